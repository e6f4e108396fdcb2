#include "backends/common/sound_file.h"

#include <algorithm>

namespace qov::desktop {
namespace {

uint32_t Le16(std::string_view b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8;
}
uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
// KSDATAFORMAT_SUBTYPE_PCM after its first two bytes (the format tag).
constexpr char kPcmSubtypeTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";

int ClampVolume(int volume) { return std::clamp(volume, 0, 100); }

int16_t Scaled(int32_t sample, int volume) { return static_cast<int16_t>(sample * volume / 100); }

// An MPEG audio layer III frame header at `at`, or nullopt.
std::optional<Mp3Info> Mp3Header(std::string_view b, size_t at) {
  if (at + 4 > b.size()) return std::nullopt;
  const uint32_t h = static_cast<uint32_t>(static_cast<uint8_t>(b[at])) << 24 |
                     static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 16 |
                     static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 8 | static_cast<uint8_t>(b[at + 3]);
  if ((h >> 21) != 0x7FF) return std::nullopt;
  const unsigned version = (h >> 19) & 3, layer = (h >> 17) & 3, rateIndex = (h >> 12) & 15,
                 freqIndex = (h >> 10) & 3, padding = (h >> 9) & 1, mode = (h >> 6) & 3;
  // Version 1 is reserved; layer 1 (bits 01) is layer III; free-format and
  // the invalid bitrate index are refused.
  if (version == 1 || layer != 1 || rateIndex == 0 || rateIndex == 15 || freqIndex == 3) return std::nullopt;
  static constexpr int kRates1[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
  static constexpr int kRates2[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
  static constexpr int kFreqs[] = {44100, 48000, 32000};
  Mp3Info info;
  const bool mpeg1 = version == 3;
  info.mpegVersion = mpeg1 ? 10 : version == 2 ? 20 : 25;
  info.bitrateKbps = mpeg1 ? kRates1[rateIndex] : kRates2[rateIndex];
  info.sampleRate = kFreqs[freqIndex] / (mpeg1 ? 1 : version == 2 ? 2 : 4);
  info.channels = mode == 3 ? 1 : 2;
  info.samplesPerFrame = mpeg1 ? 1152 : 576;
  info.frameBytes = static_cast<size_t>(info.samplesPerFrame / 8 * info.bitrateKbps * 1000 / info.sampleRate) + padding;
  info.frameOffset = at;
  return info;
}

}  // namespace

std::optional<WaveInfo> ParseWave(std::string_view b) {
  if (b.size() < 12 || b.substr(0, 4) != "RIFF" || b.substr(8, 4) != "WAVE") return std::nullopt;
  std::optional<WaveInfo> format;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    const std::string_view id = b.substr(at, 4);
    const size_t size = Le32(b, at + 4);
    const size_t body = at + 8;
    if (id == "fmt ") {
      if (size < 16 || body + 16 > b.size()) return std::nullopt;
      uint32_t tag = Le16(b, body);
      if (tag == kFormatExtensible) {
        if (size < 40 || body + 40 > b.size()) return std::nullopt;
        tag = Le16(b, body + 24);
        if (b.substr(body + 26, 14) != std::string_view(kPcmSubtypeTail, 14)) return std::nullopt;
      }
      WaveInfo w;
      w.channels = static_cast<int>(Le16(b, body + 2));
      w.sampleRate = static_cast<int>(Le32(b, body + 4));
      w.bitsPerSample = static_cast<int>(Le16(b, body + 14));
      const bool bitsOk = w.bitsPerSample == 8 || w.bitsPerSample == 16 || w.bitsPerSample == 24 ||
                          w.bitsPerSample == 32;
      if (tag != kFormatPcm || w.channels < 1 || w.channels > 2 || !bitsOk || w.sampleRate < 1000 ||
          w.sampleRate > 192000)
        return std::nullopt;
      format = w;
    } else if (id == "data") {
      if (!format) return std::nullopt;
      const size_t frame = static_cast<size_t>(format->channels) * static_cast<size_t>(format->bitsPerSample / 8);
      format->dataOffset = body;
      format->dataBytes = std::min(size, b.size() - body) / frame * frame;
      if (format->dataBytes == 0) return std::nullopt;
      return format;
    }
    // Chunks are padded to an even length.
    at = body + size + (size & 1);
  }
  return std::nullopt;
}

size_t Id3v2Bytes(std::string_view b) {
  if (b.size() < 10 || b.substr(0, 3) != "ID3") return 0;
  const auto byte = [&](size_t i) { return static_cast<size_t>(static_cast<uint8_t>(b[i])); };
  // The size is stored in four 7-bit bytes; a footer adds 10.
  if ((byte(6) | byte(7) | byte(8) | byte(9)) & 0x80) return 0;
  return 10 + (byte(6) << 21 | byte(7) << 14 | byte(8) << 7 | byte(9)) + ((byte(5) & 0x10) ? 10 : 0);
}

std::optional<Mp3Info> ParseMp3(std::string_view b) {
  const size_t start = Id3v2Bytes(b);
  // Some encoders leave padding or junk before the first frame; far beyond
  // that it is some other file.
  const size_t end = std::min(b.size(), start + 64 * 1024);
  for (size_t at = start; at + 4 <= end; ++at) {
    if (static_cast<uint8_t>(b[at]) != 0xFF) continue;
    const auto first = Mp3Header(b, at);
    if (!first) continue;
    const size_t next = at + first->frameBytes;
    if (next == b.size()) return first;
    const auto second = Mp3Header(b, next);
    if (second && second->mpegVersion == first->mpegVersion && second->sampleRate == first->sampleRate)
      return first;
  }
  return std::nullopt;
}

std::optional<SoundKind> SoundKindOf(std::string_view head) {
  if (head.substr(0, 4) == "RIFF") {
    // The head may end inside the data: the format is what counts here.
    if (ParseWave(head)) return SoundKind::kWave;
    return std::nullopt;
  }
  if (ParseMp3(head)) return SoundKind::kMp3;
  return std::nullopt;
}

std::vector<int16_t> ToPcm16(std::string_view b, const WaveInfo& w, int volume) {
  volume = ClampVolume(volume);
  const size_t width = static_cast<size_t>(w.bitsPerSample / 8);
  const std::string_view data = b.substr(w.dataOffset, w.dataBytes);
  std::vector<int16_t> out(data.size() / width);
  for (size_t i = 0; i < out.size(); ++i) {
    const size_t at = i * width;
    int32_t s;
    if (width == 1) {
      s = (static_cast<uint8_t>(data[at]) - 128) * 256;
    } else {
      // The two most significant bytes of a little-endian sample.
      s = static_cast<int16_t>(Le16(data, at + width - 2));
    }
    out[i] = Scaled(s, volume);
  }
  return out;
}

void ScalePcm16(int16_t* samples, size_t count, int volume) {
  volume = ClampVolume(volume);
  if (volume == 100) return;
  for (size_t i = 0; i < count; ++i) samples[i] = Scaled(samples[i], volume);
}

}  // namespace qov::desktop
