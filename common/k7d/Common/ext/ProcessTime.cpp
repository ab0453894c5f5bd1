#include "ProcessTime.h"

std::clock_t ProcessTime::s_startTicks = 0;
bool ProcessTime::s_started = false;

void ProcessTime::start() {
    s_startTicks = std::clock();
    s_started = true;
}

double ProcessTime::elapsed() const {
    if (!s_started) return 0.0;
    return static_cast<double>(std::clock() - s_startTicks) / 1000.0;
}

double ProcessTime::end() {
    const double value = elapsed();
    s_started = false;
    return value;
}
