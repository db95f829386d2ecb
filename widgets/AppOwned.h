#pragma once
// The one instance of a window class for the whole run: made on first use,
// owned by the application and deleted when it quits.

#include <QCoreApplication>
#include <QPointer>

template <typename T> T* appOwnedInstance(QPointer<T>& slot) {
    if (!slot) {
        slot = new T();
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, slot.data(),
                         &QObject::deleteLater);
    }
    return slot.data();
}
