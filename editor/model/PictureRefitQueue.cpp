#include "editor/model/PictureRefitQueue.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace {

struct Waiting {
    const SKTGraphic* key = nullptr;
    std::weak_ptr<SKTGraphic> graphic;
    std::function<void(SKTGraphic&)> refit;
};

std::vector<Waiting>& waiting() {
    static std::vector<Waiting> list;
    return list;
}

void runWaiting() {
    std::vector<Waiting> due;
    due.swap(waiting());
    for (Waiting& entry : due) {
        if (const std::shared_ptr<SKTGraphic> graphic = entry.graphic.lock()) {
            entry.refit(*graphic);
        }
    }
}

// One timer for every waiting object, owned by the application.
QTimer* timer() {
    static QPointer<QTimer> instance;
    if (!instance) {
        instance = new QTimer(QCoreApplication::instance());
        instance->setSingleShot(true);
        instance->setInterval(PictureRefitQueue::kRestMilliseconds);
        QObject::connect(instance, &QTimer::timeout, runWaiting);
        waiting().clear();
    }
    return instance;
}

bool onGuiThread() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

} // namespace

bool PictureRefitQueue::schedule(SKTGraphic& graphic, std::function<void(SKTGraphic&)> refit) {
    if (!onGuiThread()) {
        return false;
    }
    std::weak_ptr<SKTGraphic> handle = graphic.weak_from_this();
    if (handle.expired()) {
        return false;
    }
    QTimer* clock = timer();
    std::vector<Waiting>& list = waiting();
    const auto same = std::find_if(list.begin(), list.end(),
                                   [&](const Waiting& entry) { return entry.key == &graphic; });
    if (same != list.end()) {
        same->graphic = std::move(handle);
        same->refit = std::move(refit);
    } else {
        list.push_back({&graphic, std::move(handle), std::move(refit)});
    }
    clock->start();
    return true;
}

bool PictureRefitQueue::isWaiting(const SKTGraphic& graphic) {
    if (!onGuiThread()) {
        return false;
    }
    const std::vector<Waiting>& list = waiting();
    return std::any_of(list.begin(), list.end(), [&](const Waiting& entry) {
        return entry.key == &graphic && !entry.graphic.expired();
    });
}
