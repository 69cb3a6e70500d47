#include "alarm/audio_sniff.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tavrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, no padding: 417-byte frames.
Bytes frames(int count) {
    Bytes out;
    for (int i = 0; i < count * 417; ++i) out.push_back(0x55);
    for (int i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(i) * 417;
        out[at] = 0xFF, out[at + 1] = 0xFB, out[at + 2] = 0x90, out[at + 3] = 0x00;
    }
    return out;
}

Bytes id3Tag(std::size_t body) {
    Bytes tag(10 + body, 0);
    tag[0] = 'I', tag[1] = 'D', tag[2] = '3', tag[3] = 4;
    for (int i = 0; i < 4; ++i) tag[6 + i] = static_cast<std::uint8_t>(body >> (21 - 7 * i) & 0x7F);
    return tag;
}

Bytes operator+(Bytes a, const Bytes& b) {
    for (std::uint8_t x : b) a.push_back(x);
    return a;
}

TEST(AudioSniff, RecognisesMpegFramesAndWave) {
    EXPECT_TRUE(looksLikeAudio(frames(3)));
    EXPECT_TRUE(looksLikeAudio(Bytes(100, 0) + frames(3))) << "padding before the first frame";
    const Bytes wave{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    EXPECT_TRUE(looksLikeAudio(wave));
}

TEST(AudioSniff, SkipsAnId3TagOfAnySize) {
    EXPECT_EQ(id3TagSize(id3Tag(300000)), 300010u);
    EXPECT_EQ(id3TagSize(frames(1)), 0u);
    const Bytes tagged = id3Tag(500) + frames(3);
    EXPECT_TRUE(looksLikeAudio(tagged));
}

TEST(AudioSniff, RefusesWhatIsNotSound) {
    EXPECT_FALSE(looksLikeAudio(Bytes{}));
    EXPECT_FALSE(looksLikeAudio(Bytes(5000, 0)));
    EXPECT_FALSE(looksLikeAudio(Bytes(5000, 0xFF))) << "all sync bits but no valid header";
    EXPECT_FALSE(looksLikeAudio(frames(2))) << "two headers in a row could still be chance";
    const Bytes text{'I', 'D', '3', ' ', 'i', 's', ' ', 'n',
                     'o', 't', ' ', 'a', ' ', 't', 'a', 'g'};
    EXPECT_FALSE(looksLikeAudio(text));
}

TEST(AudioSniff, RandomBytesAreNotTakenForMpeg) {
    std::mt19937 random(20261211);
    for (int trial = 0; trial < 5000; ++trial) {
        Bytes noise(16 * 1024);
        for (auto& b : noise) b = static_cast<std::uint8_t>(random());
        ASSERT_FALSE(looksLikeAudio(noise)) << "trial " << trial;
    }
}

}  // namespace
}  // namespace tavrel
