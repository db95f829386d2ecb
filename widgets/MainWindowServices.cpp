#include "widgets/MainWindowServices.h"

#include <atomic>

namespace {
std::atomic<MainWindowServices*> g_services{nullptr};
}

MainWindowServices* MainWindowServices::current() {
    return g_services.load();
}

void MainWindowServices::setCurrent(MainWindowServices* services) {
    g_services.store(services);
}
