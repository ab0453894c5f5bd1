#include "NonceWindow.h"

bool NonceWindow::timestampFresh(time_t timestamp, time_t now) const {
    return timestamp >= now - m_windowSeconds && timestamp <= now + m_windowSeconds;
}

bool NonceWindow::remember(const std::string& consumerKey, const std::string& nonce,
                           time_t timestamp, time_t now) {
    std::lock_guard<std::mutex> lock(m_mutex);
    forgetBefore(now - m_windowSeconds);
    auto entry = std::make_pair(consumerKey, nonce);
    if (!m_seen.insert(entry).second) return false;
    m_byTime.emplace(timestamp, entry);
    return true;
}

void NonceWindow::forgetBefore(time_t oldest) {
    auto end = m_byTime.lower_bound(oldest);
    for (auto it = m_byTime.begin(); it != end; ++it) m_seen.erase(it->second);
    m_byTime.erase(m_byTime.begin(), end);
}

size_t NonceWindow::size() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seen.size();
}
