#pragma once

#include <cstdint>
#include <vector>

namespace tavrel {

// The built-in alarm tone, for when the chosen ringtone cannot be played: a complete
// in-memory WAV file (PCM, 16 bit, mono) of a few seconds of beeps.
const std::vector<std::uint8_t>& alarmToneWav();

}  // namespace tavrel
