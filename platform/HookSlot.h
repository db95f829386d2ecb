#pragma once
// One replaceable function: set by start-up code and tests, read from any
// thread. An empty slot means "use the default".

#include <QMutex>
#include <utility>

template <typename F> class HookSlot {
public:
    F get() const {
        QMutexLocker lock(&m_mutex);
        return m_function;
    }
    void set(F function) {
        QMutexLocker lock(&m_mutex);
        m_function = std::move(function);
    }

private:
    mutable QMutex m_mutex;
    F m_function;
};
