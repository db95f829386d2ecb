#include "output/LinkCommands.h"

#include <atomic>

namespace {
std::atomic<LinkCommands*> registered{nullptr};
}

LinkCommands* LinkCommands::current() {
    return registered.load();
}

void LinkCommands::setCurrent(LinkCommands* commands) {
    registered.store(commands);
}

void LinkCommands::run(void (LinkCommands::*command)()) {
    if (LinkCommands* commands = current()) {
        (commands->*command)();
    }
}
