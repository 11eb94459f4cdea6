#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

// A line of /proc/self/status in KiB ("VmRSS:"); -1 when unknown.
inline long statusKilobytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::strtol(line.c_str() + field.size(), nullptr, 10);
    }
    return -1;
}

// The process's resident memory now, and its peak, in KiB.
inline long residentKilobytes()
{
    return statusKilobytes("VmRSS:");
}
inline long peakResidentKilobytes()
{
    return statusKilobytes("VmHWM:");
}
