// What the server costs the machine, as the kernel counts it, for the line
// of figures after each match.
#pragma once

struct process_figures {
    long resident_kb = -1;  // -1 where the kernel does not say
    long peak_kb = -1;
    double cpu_ms = 0;  // user and system time so far
};

process_figures process_figures_now();
