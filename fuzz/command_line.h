#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A fuzz input as a command line: its words separated by NUL bytes, after
// the program's name.
inline std::vector<std::string> commandLineOf(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(data[i]));
    }
    return args;
}
