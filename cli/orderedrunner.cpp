#include "orderedrunner.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

// The results of one run, handed from the threads that make them to the
// calling thread, which reports them in order.
class OrderedResults
{
public:
    explicit OrderedResults(qsizetype count) : slots_(static_cast<size_t>(count)) {}

    void put(qsizetype index, SheetResult result)
    {
        bool awaited = false;
        {
            const std::lock_guard lock(mutex_);
            slots_[size_t(index)] = std::move(result);
            awaited = index == awaited_;
        }
        // Only the result the calling thread sleeps on wakes it, so thousands
        // of small tasks do not cost a wake-up each.
        if (awaited)
            arrived_.notify_one();
    }

    // Reports the results that are ready, in order; with wait, every one.
    void report(bool wait, const std::function<void(qsizetype, const SheetResult &)> &reportOne)
    {
        std::unique_lock lock(mutex_);
        while (reported_ < qsizetype(slots_.size())) {
            std::optional<SheetResult> &slot = slots_[size_t(reported_)];
            if (!slot) {
                if (!wait)
                    return;
                awaited_ = reported_;
                arrived_.wait(lock, [&slot] { return slot.has_value(); });
                awaited_ = -1;
            }
            const SheetResult result = std::move(*slot);
            slot.reset();
            lock.unlock();
            reportOne(reported_, result);
            lock.lock();
            ++reported_;
        }
    }

private:
    std::vector<std::optional<SheetResult>> slots_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    qsizetype awaited_ = -1;
    qsizetype reported_ = 0; // the calling thread's alone
};

} // namespace

void runInOrder(qsizetype count, int threads, const std::function<SheetTask()> &makeTask,
                const std::function<void(qsizetype index, const SheetResult &result)> &report)
{
    if (count <= 0)
        return;
    OrderedResults results(count);
    const qsizetype helpers = std::clamp<qsizetype>(threads, 1, count) - 1;
    // Each thread takes a run of neighbouring tasks at a time, mostly the
    // files of one folder, whose sheets go into one folder too: two threads
    // creating files in one folder wait for each other's lock on it (on ext4
    // a second thread made a batch slower than one). Runs are short enough
    // that the last one leaves the other threads little to wait for.
    const qsizetype run = std::clamp<qsizetype>(count / ((helpers + 1) * 8), 1, 256);
    std::atomic<qsizetype> next{0};
    const auto work = [&](const SheetTask &task, bool reporting) {
        for (qsizetype first = next.fetch_add(run); first < count; first = next.fetch_add(run)) {
            for (qsizetype index = first; index < std::min(first + run, count); ++index) {
                results.put(index, task(index));
                if (reporting)
                    results.report(false, report);
            }
        }
    };

    // The calling thread works too, and reports between its own tasks.
    std::vector<std::jthread> pool;
    pool.reserve(size_t(helpers));
    for (qsizetype n = 0; n < helpers; ++n)
        pool.emplace_back([&] { work(makeTask(), false); });
    work(makeTask(), true);
    results.report(true, report);
}
