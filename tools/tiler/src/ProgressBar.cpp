#include "ProgressBar.h"

#include <algorithm>

namespace {

constexpr int kWidth = 30;
constexpr double kRedrawSeconds = 0.2;
constexpr double kEstimateAfterSeconds = 3;

double secondsBetween(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

}  // namespace

void ProgressBar::start(const std::string& phase, int64_t total) {
    m_phase = phase;
    m_total = std::max<int64_t>(total, 1);
    m_done = 0;
    m_tiles = 0;
    m_started = std::chrono::steady_clock::now();
    m_drawn = m_started;
    draw(true);
}

void ProgressBar::advance(int64_t units, int64_t tiles) {
    m_done = std::min(m_total, m_done + units);
    m_tiles = tiles;
    draw(false);
}

void ProgressBar::finish() {
    m_done = m_total;
    draw(true);
    if (m_enabled) fputc('\n', m_out);
}

void ProgressBar::draw(bool force) {
    if (!m_enabled) return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && secondsBetween(m_drawn, now) < kRedrawSeconds) return;
    m_drawn = now;
    const double share = static_cast<double>(m_done) / static_cast<double>(m_total);
    const int filled = static_cast<int>(share * kWidth);
    const double elapsed = secondsBetween(m_started, now);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(kWidth, '.');
    fprintf(m_out, "\r%-10s [%s] %3.0f%% %9lld tiles %7.0f tiles/s", m_phase.c_str(), bar.c_str(), share * 100,
            static_cast<long long>(m_tiles), elapsed > 0 ? m_tiles / elapsed : 0.0);
    if (elapsed > kEstimateAfterSeconds && share > 0 && share < 1) {
        const int left = static_cast<int>(elapsed / share - elapsed);
        fprintf(m_out, "  %d:%02d left", left / 60, left % 60);
    } else {
        fprintf(m_out, "           ");
    }
    fflush(m_out);
}
