#ifndef TOLKMAPS_K7D_HANDLEBASE_H
#define TOLKMAPS_K7D_HANDLEBASE_H

#include <memory>

// Holds one object of class T (or a subclass) under shared ownership;
// copies of a handle share the object.
template <typename T>
class HandleBase {
public:
    virtual ~HandleBase() = default;

    T* get() const { return m_object.get(); }
    T* operator->() const { return m_object.get(); }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }

protected:
    HandleBase() = default;
    explicit HandleBase(std::shared_ptr<T> object) : m_object(std::move(object)) {}

    std::shared_ptr<T> m_object;
};

#endif
