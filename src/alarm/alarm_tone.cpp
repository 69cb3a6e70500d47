#include "alarm/alarm_tone.h"

#include <cmath>

namespace tavrel {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSampleRate = 22050;
constexpr double kPitchHz = 880.0;
constexpr double kAmplitude = 0.5 * 32767;
constexpr int kBeepMs = 150, kGapMs = 100, kBeepsPerBurst = 4, kPauseMs = 400, kBursts = 4;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

std::vector<std::int16_t> beepPattern() {
    std::vector<std::int16_t> samples;
    const auto silence = [&](int ms) { samples.insert(samples.end(), kSampleRate * ms / 1000, 0); };
    for (int burst = 0; burst < kBursts; ++burst) {
        for (int beep = 0; beep < kBeepsPerBurst; ++beep) {
            const int n = kSampleRate * kBeepMs / 1000;
            for (int i = 0; i < n; ++i) {
                const double t = static_cast<double>(i) / kSampleRate;
                samples.push_back(
                    static_cast<std::int16_t>(kAmplitude * std::sin(2 * kPi * kPitchHz * t)));
            }
            silence(kGapMs);
        }
        silence(kPauseMs);
    }
    return samples;
}

std::vector<std::uint8_t> makeWav() {
    const std::vector<std::int16_t> samples = beepPattern();
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> wav;
    putTag(wav, "RIFF");
    put32(wav, 36 + dataBytes);
    putTag(wav, "WAVE");
    putTag(wav, "fmt ");
    put32(wav, 16);
    put16(wav, 1);  // PCM
    put16(wav, 1);  // mono
    put32(wav, kSampleRate);
    put32(wav, kSampleRate * 2);
    put16(wav, 2);
    put16(wav, 16);
    putTag(wav, "data");
    put32(wav, dataBytes);
    for (std::int16_t s : samples) put16(wav, static_cast<std::uint16_t>(s));
    return wav;
}

}  // namespace

const std::vector<std::uint8_t>& alarmToneWav() {
    static const std::vector<std::uint8_t> wav = makeWav();
    return wav;
}

}  // namespace tavrel
