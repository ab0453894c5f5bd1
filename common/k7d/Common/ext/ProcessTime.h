#ifndef TOLKMAPS_K7D_PROCESSTIME_H
#define TOLKMAPS_K7D_PROCESSTIME_H

#include <ctime>

// Process-wide stopwatch on the processor clock. Its state is shared by all
// instances and not guarded: use one stopwatch from one thread.
class ProcessTime {
public:
    void start();
    // Processor time since start() in milliseconds (clock ticks / 1000); 0 when not started.
    double elapsed() const;
    // As elapsed(), and stops the stopwatch.
    double end();

private:
    static std::clock_t s_startTicks;
    static bool s_started;
};

#endif
