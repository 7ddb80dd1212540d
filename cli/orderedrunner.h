#pragma once

#include "sheetjob.h"

#include <QtGlobal>

#include <functional>

// Works through tasks 0 .. count - 1 on up to `threads` threads, the calling
// thread among them, and reports every result on the calling thread in task
// order, once it and all before it are done. A thread takes runs of
// neighbouring tasks (files of one folder), not one task at a time. Each
// thread asks makeTask once for a task function of its own, so it can keep
// state from task to task; makeTask is called on the threads that use it.
// With one thread (or one task) everything runs on the calling thread.
using SheetTask = std::function<SheetResult(qsizetype index)>;
void runInOrder(qsizetype count, int threads, const std::function<SheetTask()> &makeTask,
                const std::function<void(qsizetype index, const SheetResult &result)> &report);
