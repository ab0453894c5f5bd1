#ifndef TOLKMAPS_SERVICE_NONCEWINDOW_H
#define TOLKMAPS_SERVICE_NONCEWINDOW_H

#include <ctime>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>

// Remembers the (consumer key, nonce) pairs of accepted logins for as long as
// their timestamps are inside the window, so that a request cannot be played
// again. Entries older than the window are forgotten: a request that old is
// refused for its timestamp anyway. Safe to use from several threads.
class NonceWindow {
public:
    explicit NonceWindow(long windowSeconds) : m_windowSeconds(windowSeconds) {}

    long windowSeconds() const { return m_windowSeconds; }
    // True when the timestamp lies within the window around `now`.
    bool timestampFresh(time_t timestamp, time_t now) const;
    // Records the pair; false when it was recorded before (a replay).
    bool remember(const std::string& consumerKey, const std::string& nonce, time_t timestamp,
                  time_t now);
    size_t size() const;

private:
    void forgetBefore(time_t oldest);

    long m_windowSeconds;
    mutable std::mutex m_mutex;
    std::set<std::pair<std::string, std::string>> m_seen;
    std::multimap<time_t, std::pair<std::string, std::string>> m_byTime;
};

#endif
