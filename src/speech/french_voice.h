#pragma once

#include "common/result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brivo::speech {

// French speech from espeak-ng, resampled (libsamplerate) to `sampleRate`,
// 16-bit mono. One synthesis at a time, from any thread; a phrase said
// before in the process is said again the same. Fails (DeviceFailed, French message) when espeak-ng or its
// French voice cannot be used.
Result<std::vector<std::int16_t>> sayInFrench(const std::string& utf8Text, int sampleRate);

} // namespace brivo::speech
