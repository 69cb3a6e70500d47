// The built-in tone is handed to the sound service as a file image, so it must be a WAV file a
// player accepts as it stands, and it must be heard.
#include "alarm/alarm_tone.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace tavrel {
namespace {

std::uint32_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}
std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}
std::string tag(const std::vector<std::uint8_t>& b, std::size_t at) {
    return {b.begin() + static_cast<std::ptrdiff_t>(at),
            b.begin() + static_cast<std::ptrdiff_t>(at + 4)};
}

struct Chunk {
    std::size_t at;  // first byte of the body
    std::uint32_t size;
};

struct Wav {
    std::optional<Chunk> fmt, data;
};

// Walks the RIFF chunks; every chunk must lie inside the file, and together they must fill it.
Wav readChunks(const std::vector<std::uint8_t>& file) {
    Wav wav;
    std::size_t at = 12;
    while (at + 8 <= file.size()) {
        const std::string id = tag(file, at);
        const Chunk chunk{at + 8, le32(file, at + 4)};
        EXPECT_LE(chunk.at + chunk.size, file.size()) << "chunk " << id << " runs past the end";
        if (id == "fmt ") wav.fmt = chunk;
        if (id == "data") wav.data = chunk;
        at = chunk.at + chunk.size + chunk.size % 2;
    }
    EXPECT_EQ(at, file.size()) << "bytes after the last chunk";
    return wav;
}

TEST(AlarmTone, IsACompletePcmWavFile) {
    const std::vector<std::uint8_t>& file = alarmToneWav();
    ASSERT_GE(file.size(), 44u);
    EXPECT_EQ(tag(file, 0), "RIFF");
    EXPECT_EQ(le32(file, 4), file.size() - 8);
    EXPECT_EQ(tag(file, 8), "WAVE");

    const Wav wav = readChunks(file);
    ASSERT_TRUE(wav.fmt && wav.data);
    ASSERT_GE(wav.fmt->size, 16u);
    const std::size_t f = wav.fmt->at;
    const std::uint32_t format = le16(file, f), channels = le16(file, f + 2),
                        rate = le32(file, f + 4), byteRate = le32(file, f + 8),
                        blockAlign = le16(file, f + 12), bits = le16(file, f + 14);
    EXPECT_EQ(format, 1u);  // PCM
    EXPECT_EQ(channels, 1u);
    EXPECT_EQ(bits, 16u);
    EXPECT_GE(rate, 8000u);
    EXPECT_EQ(blockAlign, channels * bits / 8);
    EXPECT_EQ(byteRate, rate * blockAlign);
    EXPECT_GT(wav.data->size, 0u);
    EXPECT_EQ(wav.data->size % blockAlign, 0u);
}

TEST(AlarmTone, SoundsForSeconds) {
    const std::vector<std::uint8_t>& file = alarmToneWav();
    const Wav wav = readChunks(file);
    ASSERT_TRUE(wav.fmt && wav.data);
    const std::uint32_t rate = le32(file, wav.fmt->at + 4);
    ASSERT_GT(rate, 0u);

    // Samples clearly above the noise floor, and the span from the first to the last of them.
    constexpr int kAudible = 32767 / 10;
    std::size_t audible = 0, first = 0, last = 0;
    int crossings = 0;
    std::int16_t previous = 0;
    const std::size_t samples = wav.data->size / 2;
    for (std::size_t i = 0; i < samples; ++i) {
        const auto s = static_cast<std::int16_t>(le16(file, wav.data->at + 2 * i));
        if (std::abs(s) >= kAudible) {
            if (audible++ == 0) first = i;
            last = i;
        }
        if ((s < 0) != (previous < 0)) ++crossings;
        previous = s;
    }

    const double seconds = static_cast<double>(samples) / rate;
    EXPECT_GE(seconds, 2.0);
    EXPECT_LE(seconds, 30.0);  // played once; an alarm tone, not a recording
    EXPECT_GE(static_cast<double>(last - first) / rate, 2.0) << "sound only at the start";
    EXPECT_GE(static_cast<double>(audible) / rate, 0.5) << "seconds of audible samples";
    // A tone swings both ways; a constant offset is heard as nothing.
    EXPECT_GE(crossings / seconds, 200.0);
}

}  // namespace
}  // namespace tavrel
