#pragma once

#include <functional>
#include <memory>
#include <utility>

// A window made when it is first needed instead of at start-up: get() makes it once with the
// factory it was given and returns it from then on; it lives as long as the holder. Start-up
// spends no time on dialogs a session never opens.
template <class T> class TLazy
{
public:
    using Factory = std::function<std::unique_ptr<T>()>;

    void setFactory(Factory make) { m_make = std::move(make); }

    T& get()
    {
        if (!m_object)
            m_object = m_make();
        return *m_object;
    }
    T& operator*() { return get(); }
    T* operator->() { return &get(); }
    // Whether it was made already (nothing is made by asking).
    bool made() const { return m_object != nullptr; }

private:
    Factory m_make;
    std::unique_ptr<T> m_object;
};
