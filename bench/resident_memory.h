#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

// The process's resident memory in KiB, from /proc; -1 when unknown.
inline long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}
