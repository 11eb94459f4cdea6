#include "audio/wav_file_writer.h"
#include "player/wav_reader.h"
#include "support/case_name.h"
#include "support/little_endian.h"

#include <gtest/gtest.h>

namespace brivo {
namespace {

std::string header(std::uint32_t samples, std::int32_t rate = 11025)
{
    const auto bytes = wavHeader(samples, rate);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

const auto le32 = [](std::uint32_t value) { return test::littleEndian(value, 4); };

// A canonical 44-byte PCM header with a LIST chunk before the data.
std::string canonical(std::uint16_t channels, std::uint16_t bits, std::uint16_t format, std::uint32_t dataBytes)
{
    std::string fmt = std::string("fmt ") + le32(16);
    fmt += std::string{static_cast<char>(format), 0, static_cast<char>(channels), 0};
    fmt += le32(8000) + le32(8000U * channels * bits / 8);
    fmt += std::string{static_cast<char>(channels * bits / 8), 0, static_cast<char>(bits), 0};
    const std::string list = std::string("LIST") + le32(3) + "abc" + '\0';
    const std::string data = std::string("data") + le32(dataBytes) + std::string(dataBytes, '\x01');
    const std::string body = "WAVE" + fmt + list + data;
    return "RIFF" + le32(static_cast<std::uint32_t>(body.size())) + body;
}

// The renderer's own format, a file without samples, and a canonical
// stereo header with another chunk before the data.
TEST(WavReader, ReadsTheRendererFormatAndSkipsOtherChunks)
{
    const Result<PcmSound> sound = readWav(header(2) + std::string("\x10\x00\xF0\xFF", 4));
    ASSERT_TRUE(sound) << sound.error().message;
    EXPECT_EQ(sound->sampleRate, 11025);
    EXPECT_EQ(sound->channels, 1);
    EXPECT_EQ(sound->samples, (std::vector<std::int16_t>{16, -16}));
    EXPECT_TRUE(readWav(header(0))->samples.empty());
    const Result<PcmSound> stereo = readWav(canonical(2, 16, 1, 8));
    ASSERT_TRUE(stereo) << stereo.error().message;
    EXPECT_EQ(stereo->channels, 2);
    EXPECT_EQ(stereo->frames(), 2U);
}

struct BadFile {
    const char* name;
    std::string bytes;
};

class WavReaderRefuses : public testing::TestWithParam<BadFile> {};

TEST_P(WavReaderRefuses, WithAFrenchReason)
{
    const Result<PcmSound> sound = readWav(GetParam().bytes);
    ASSERT_FALSE(sound);
    EXPECT_EQ(sound.error().code, ErrorCode::BadFormat);
    EXPECT_TRUE(sound.error().message.starts_with("L")) << sound.error().message;
}

INSTANTIATE_TEST_SUITE_P(
    , WavReaderRefuses,
    testing::Values(BadFile{"Empty", ""}, BadFile{"NotRiff", "RIFX" + header(0).substr(4)},
                    BadFile{"HeaderCut", header(0).substr(0, 30)},
                    BadFile{"DataLongerThanFile", header(100) + std::string(20, '\0')},
                    BadFile{"EightBit", canonical(1, 8, 1, 8)}, BadFile{"Float", canonical(1, 16, 3, 8)},
                    BadFile{"SixChannels", canonical(6, 16, 1, 24)}, BadFile{"NoDataChunk", header(0).substr(0, 50)},
                    BadFile{"HugeChunkSize", "RIFF" + le32(100) + "WAVE" + "JUNK" + le32(0xFFFFFFF0U) + "xx"}),
    test::CaseName());

} // namespace
} // namespace brivo
