// SIGTERM and SIGINT ask the server to stop: the loop finishes its tick and
// tells every peer before it exits.
#pragma once

// From now on SIGTERM and SIGINT are noted, not fatal; SIGPIPE is ignored,
// so that a log reader that went away costs only the log.
void catch_stop_signals();
// The signal that asked to stop, 0 while none has.
int stop_signal();
// "SIGTERM" or "SIGINT".
const char* signal_name(int signal_number);
