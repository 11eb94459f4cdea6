#include "speech/french_voice.h"

#include "common/messages.h"

#include <algorithm>
#include <cmath>
#include <espeak-ng/speak_lib.h>
#include <map>
#include <mutex>
#include <samplerate.h>

namespace brivo::speech {
namespace {

constexpr std::size_t kKeptPhrases = 400;

std::mutex& voiceLock()
{
    static std::mutex lock;
    return lock;
}

int synthesised(short* wav, int count, espeak_EVENT* events)
{
    if (wav != nullptr && count > 0 && events != nullptr) {
        auto* out = static_cast<std::vector<std::int16_t>*>(events->user_data);
        out->insert(out->end(), wav, wav + count);
    }
    return 0;
}

// espeak-ng's own rate, once it is set up for French; 0 when it cannot be.
int voiceRate()
{
    static const int rate = [] {
        const int r = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (r <= 0)
            return 0;
        espeak_SetSynthCallback(synthesised);
        if (espeak_SetVoiceByName("fr") != EE_OK)
            return 0;
        espeak_SetParameter(espeakRATE, 150, 0);
        return r;
    }();
    return rate;
}

} // namespace

Result<std::vector<std::int16_t>> sayInFrench(const std::string& utf8Text, int sampleRate)
{
    const std::lock_guard lock(voiceLock());
    const int rate = voiceRate();
    if (rate <= 0)
        return fail(ErrorCode::DeviceFailed, std::string(messages::kNoFrenchVoice));
    // espeak-ng's output for a phrase varies a little with what it said
    // before: each phrase is made once, so that the same text always gives
    // the same file.
    static std::map<std::string, std::vector<std::int16_t>> said;
    auto known = said.find(utf8Text);
    if (known == said.end()) {
        std::vector<std::int16_t> made;
        if (espeak_Synth(utf8Text.c_str(), utf8Text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                         &made) != EE_OK)
            return fail(ErrorCode::DeviceFailed, messages::voiceFailed(utf8Text));
        if (said.size() >= kKeptPhrases)
            said.clear();
        known = said.emplace(utf8Text, std::move(made)).first;
    }
    const std::vector<std::int16_t>& voice = known->second;
    if (voice.empty() || rate == sampleRate)
        return voice;
    std::vector<float> in(voice.size());
    src_short_to_float_array(voice.data(), in.data(), static_cast<int>(voice.size()));
    const double ratio = static_cast<double>(sampleRate) / rate;
    std::vector<float> out(static_cast<std::size_t>(std::ceil(static_cast<double>(in.size()) * ratio)) + 16);
    SRC_DATA data{};
    data.data_in = in.data();
    data.input_frames = static_cast<long>(in.size());
    data.data_out = out.data();
    data.output_frames = static_cast<long>(out.size());
    data.src_ratio = ratio;
    if (src_simple(&data, SRC_SINC_FASTEST, 1) != 0)
        return fail(ErrorCode::DeviceFailed, std::string(messages::kVoiceNotResampled));
    out.resize(static_cast<std::size_t>(data.output_frames_gen));
    std::vector<std::int16_t> resampled(out.size());
    src_float_to_short_array(out.data(), resampled.data(), static_cast<int>(out.size()));
    return resampled;
}

} // namespace brivo::speech
