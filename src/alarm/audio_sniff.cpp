#include "alarm/audio_sniff.h"

namespace tavrel {

namespace {

// Bitrates in kbit/s by [version is MPEG-1][layer index 1..3][bitrate index].
constexpr int kBitrates[2][4][16] = {
    {{0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},        // MPEG-2/2.5 L3
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},        // L2
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0}},  // L1
    {{0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},        // MPEG-1 L3
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},       // L2
     {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0}}};  // L1
constexpr int kSampleRates[4][3] = {
    {11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};

// The length of the MPEG audio frame whose header starts at p, or 0 if it is no header.
std::size_t frameLength(const std::uint8_t* p) {
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return 0;
    const int version = (p[1] >> 3) & 3;  // 0: 2.5, 1: reserved, 2: 2, 3: 1
    const int layer = (p[1] >> 1) & 3;    // 1: III, 2: II, 3: I
    const int bitrateIndex = p[2] >> 4, rateIndex = (p[2] >> 2) & 3, padding = (p[2] >> 1) & 1;
    if (version == 1 || layer == 0 || rateIndex == 3) return 0;
    const int kbps = kBitrates[version == 3 ? 1 : 0][layer][bitrateIndex];
    const int rate = kSampleRates[version][rateIndex];
    if (kbps == 0 || rate == 0) return 0;
    if (layer == 3) return static_cast<std::size_t>((12 * kbps * 1000 / rate + padding) * 4);
    const int perFrame = (layer == 1 && version != 3) ? 72 : 144;
    return static_cast<std::size_t>(perFrame * kbps * 1000 / rate + padding);
}

bool sameStream(const std::uint8_t* a, const std::uint8_t* b) {
    return (a[1] & 0x1E) == (b[1] & 0x1E) && (a[2] & 0x0C) == (b[2] & 0x0C);
}

bool framesInARow(std::span<const std::uint8_t> head, std::size_t at, int count) {
    const std::uint8_t* first = &head[at];
    for (int i = 0; i < count; ++i) {
        if (at + 4 > head.size()) return false;
        const std::size_t length = frameLength(&head[at]);
        if (length == 0 || !sameStream(first, &head[at])) return false;
        at += length;
    }
    return true;
}

bool isWave(std::span<const std::uint8_t> h) {
    return h.size() >= 12 && h[0] == 'R' && h[1] == 'I' && h[2] == 'F' && h[3] == 'F' &&
           h[8] == 'W' && h[9] == 'A' && h[10] == 'V' && h[11] == 'E';
}

}  // namespace

std::size_t id3TagSize(std::span<const std::uint8_t> h) {
    if (h.size() < 10 || h[0] != 'I' || h[1] != 'D' || h[2] != '3') return 0;
    // The size is "syncsafe": seven bits a byte.
    for (int i = 6; i < 10; ++i)
        if (h[i] & 0x80) return 0;
    const std::size_t body =
        (std::size_t{h[6]} << 21) | (std::size_t{h[7]} << 14) | (std::size_t{h[8]} << 7) | h[9];
    const bool footer = (h[5] & 0x10) != 0;
    return 10 + body + (footer ? 10 : 0);
}

bool looksLikeAudio(std::span<const std::uint8_t> head) {
    if (isWave(head)) return true;
    const std::size_t start = id3TagSize(head);
    // Encoders may leave a little padding before the first frame. Three frames in a row of
    // one stream (same version, layer and sample rate) do not happen by chance.
    for (std::size_t at = start; at + 4 <= head.size() && at < start + 4096; ++at)
        if (framesInARow(head, at, 3)) return true;
    return false;
}

}  // namespace tavrel
