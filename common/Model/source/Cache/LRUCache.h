#ifndef TOLKMAPS_MODEL_LRUCACHE_H
#define TOLKMAPS_MODEL_LRUCACHE_H

#include <functional>
#include <list>
#include <unordered_map>
#include <utility>

namespace qiv {

// A bounded map that forgets its least recently used entries. Subclasses say
// how a value is released (`deleteValue`) and may bound by something other
// than the entry count (`clean`). No lock: owners serialise access. Values
// still held at destruction are not released here; an owning subclass clears
// itself in its own destructor.
template <typename K, typename V, typename Hash = std::hash<K>>
class LRUCache {
public:
    explicit LRUCache(int capacity) : m_capacity(capacity) { m_map.max_load_factor(1.0f); }
    virtual ~LRUCache() = default;
    LRUCache(const LRUCache&) = delete;
    LRUCache& operator=(const LRUCache&) = delete;

    // 0 and the value when present (the entry becomes the most recent); -1 when absent.
    virtual int get(const K& key, V& value) {
        auto found = m_map.find(key);
        if (found == m_map.end()) return -1;
        m_list.splice(m_list.begin(), m_list, found->second);
        value = found->second->second;
        return 0;
    }

    // Releases any other value held under the key, stores the new one as the
    // most recent and evicts down to the bound. Putting the value that is
    // already stored only refreshes it (releasing it would leave it dangling).
    virtual void put(const K& key, const V& value) {
        auto found = m_map.find(key);
        if (found != m_map.end() && found->second->second == value) {
            m_list.splice(m_list.begin(), m_list, found->second);
            clean();
            return;
        }
        erase(key);
        m_list.emplace_front(key, value);
        m_map[key] = m_list.begin();
        clean();
    }

    virtual void erase(const K& key) {
        auto found = m_map.find(key);
        if (found == m_map.end()) return;
        deleteValue(found->second->second);
        m_list.erase(found->second);
        m_map.erase(found);
    }

    // Releases every entry; the capacity stays as it was.
    virtual void clear() {
        int capacity = m_capacity;
        m_capacity = 0;
        clean();
        m_capacity = capacity;
    }

    // Presence, without touching the order.
    virtual bool exist(const K& key) const { return m_map.count(key) != 0; }

    virtual void clean() {
        while (static_cast<long long>(m_list.size()) > m_capacity) evictOldest();
    }

    virtual void deleteValue(V& /*value*/) {}

    int size() const { return static_cast<int>(m_list.size()); }
    int capacity() const { return m_capacity; }

protected:
    void evictOldest() {
        auto& oldest = m_list.back();
        deleteValue(oldest.second);
        m_map.erase(oldest.first);
        m_list.pop_back();
    }

    std::list<std::pair<K, V>> m_list;
    std::unordered_map<K, typename std::list<std::pair<K, V>>::iterator, Hash> m_map;
    int m_capacity;
};

} // namespace qiv

#endif
