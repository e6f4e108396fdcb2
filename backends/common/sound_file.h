// What kind of sound a file holds, read from its first bytes, and PCM
// samples scaled to a volume. The user picks any file as the adzan: a
// truncated, odd or foreign file must be refused here (the caller falls back
// to the shipped sound), never played as noise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace qov::desktop {

// Integer PCM samples in a WAVE file: 1 or 2 channels of 8 (unsigned), 16,
// 24 or 32 bits.
struct WaveInfo {
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;
  size_t dataOffset = 0;
  // Cut to the bytes present and to whole sample frames: a truncated file
  // plays what it holds.
  size_t dataBytes = 0;
};
std::optional<WaveInfo> ParseWave(std::string_view bytes);

// The first MPEG audio layer III frame, after an ID3v2 tag, that a second
// frame follows (or that ends the file): a lone sync pattern in a tag or in
// junk is no MP3.
struct Mp3Info {
  int mpegVersion = 0;  // 10 for 1, 20 for 2, 25 for 2.5
  int sampleRate = 0;
  int channels = 0;
  int bitrateKbps = 0;
  size_t frameOffset = 0;
  size_t frameBytes = 0;   // this frame's length, its padding included
  int samplesPerFrame = 0;
};
std::optional<Mp3Info> ParseMp3(std::string_view bytes);
// The length of the ID3v2 tag the file starts with (its footer included),
// 0 without one: a tag with cover art runs to megabytes.
size_t Id3v2Bytes(std::string_view head);

enum class SoundKind { kWave, kMp3 };
// What the program plays, or nullopt; `head` is the file's start past any
// ID3v2 tag (a few dozen kilobytes suffice).
std::optional<SoundKind> SoundKindOf(std::string_view head);

// The data of a WaveInfo as 16-bit samples scaled to `volume` percent
// (clamped to 0..100).
std::vector<int16_t> ToPcm16(std::string_view bytes, const WaveInfo& wave, int volume);
// Scales 16-bit samples in place to `volume` percent (clamped to 0..100).
void ScalePcm16(int16_t* samples, size_t count, int volume);

}  // namespace qov::desktop
