#pragma once

// A program started under a file size limit (ulimit -f) is killed by the
// signal SIGXFSZ the moment a write passes the limit, without a word. Ignoring
// the signal makes that write fail with an error ("file too large") instead,
// which the program reports like any other failed write. Call once at start.
void ignoreFileSizeLimitSignal();
