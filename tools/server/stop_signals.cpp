#include "stop_signals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t caught = 0;

void note(int signal_number)
{
    caught = signal_number;
}

}  // namespace

void catch_stop_signals()
{
    struct sigaction action = {};
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

int stop_signal()
{
    return caught;
}

const char* signal_name(int signal_number)
{
    return signal_number == SIGINT ? "SIGINT" : "SIGTERM";
}
