#ifndef TOLKMAPS_TILER_PROGRESSBAR_H
#define TOLKMAPS_TILER_PROGRESSBAR_H

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

// A one-line progress bar on a terminal: the phase, the share done, tiles
// made, tiles per second and, on long runs, an estimate of the time left.
// Draws nothing when switched off; redraws at most a few times a second.
class ProgressBar {
public:
    explicit ProgressBar(bool enabled, FILE* out = stderr) : m_enabled(enabled), m_out(out) {}

    // Starts a phase of `total` units of work.
    void start(const std::string& phase, int64_t total);
    // Marks `units` more work done, with the number of tiles so far.
    void advance(int64_t units, int64_t tiles);
    // Ends the phase's line.
    void finish();

private:
    void draw(bool force);

    bool m_enabled;
    FILE* m_out;
    std::string m_phase;
    int64_t m_total = 0;
    int64_t m_done = 0;
    int64_t m_tiles = 0;
    std::chrono::steady_clock::time_point m_started;
    std::chrono::steady_clock::time_point m_drawn;
};

#endif
