#include "process_figures.h"

#include <cstdio>

#include <sys/resource.h>

process_figures process_figures_now()
{
    process_figures now;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            std::sscanf(line, "VmRSS: %ld kB", &now.resident_kb);
            std::sscanf(line, "VmHWM: %ld kB", &now.peak_kb);
        }
        std::fclose(status);
    }
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) == 0)
        now.cpu_ms = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                     (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    return now;
}
