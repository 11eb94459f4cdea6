#pragma once

#include <cstdint>
#include <string>

namespace brivo::test {

// `value` as `bytes` bytes, least significant first, as WAV files store it.
inline std::string littleEndian(std::uint32_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
    return out;
}

} // namespace brivo::test
