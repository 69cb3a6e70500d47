#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tavrel {

// Whether a file's first bytes look like sound the player can decode: a RIFF/WAVE file, or
// MPEG audio (after an ID3v2 tag, if any) with two consecutive valid frame headers. Some
// decoders "play" anything without a sound and without an error; this check is what lets
// the alarm fall back to its own tone instead of ringing silently.
bool looksLikeAudio(std::span<const std::uint8_t> head);

// The bytes an ID3v2 tag at the start of a file takes (header included), 0 when there is none.
std::size_t id3TagSize(std::span<const std::uint8_t> head);

}  // namespace tavrel
