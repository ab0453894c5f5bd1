#ifndef TOLKMAPS_MODEL_OPENSSLTHREADLOCK_H
#define TOLKMAPS_MODEL_OPENSSLTHREADLOCK_H

namespace qiv {

// TLS thread-safety set-up for transfers running on several threads at once.
// The TLS library in use locks internally, so what remains is a process-wide,
// reference-counted initialisation: each tile data manager calls
// `thread_setup` when it is built and `thread_cleanup` when it goes, and the
// set-up stays in force until the last of them is gone. Any thread.

// Counts one more user, initialising the TLS library on the first; 1 on
// success, 0 when the initialisation fails (then nothing is counted).
int thread_setup();
// Counts one user less; 0 when nothing was set up, else 1.
int thread_cleanup();

} // namespace qiv

#endif
