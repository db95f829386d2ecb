#include "platform/ProcessSignals.h"

#include <csignal>

void Ignore_File_Size_Signal() {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGXFSZ, &action, nullptr);
}
