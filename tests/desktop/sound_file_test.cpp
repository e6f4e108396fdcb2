// Telling a user's sound file apart from anything else, and scaling PCM.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends/common/sound_file.h"

namespace qov::desktop {
namespace {

std::string Le(uint32_t v, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
  return s;
}

std::string Chunk(const std::string& id, const std::string& body) {
  return id + Le(static_cast<uint32_t>(body.size()), 4) + body + (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string Fmt(int tag, int channels, int rate, int bits) {
  return Le(tag, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * channels * bits / 8, 4) +
         Le(channels * bits / 8, 2) + Le(bits, 2);
}

std::string Riff(const std::string& chunks) { return "RIFF" + Le(4 + chunks.size(), 4) + "WAVE" + chunks; }

// A layer III frame header (MPEG-1, 128 kbit/s, 44.1 kHz, stereo unless
// told) padded out to its frame length.
std::string Frame(unsigned b1 = 0xFB, unsigned b2 = 0x90, unsigned b3 = 0x00) {
  std::string f = {'\xFF', static_cast<char>(b1), static_cast<char>(b2), static_cast<char>(b3)};
  // A lone frame is an MP3 exactly when it ends the file.
  for (size_t n = 4; n < 2000; ++n) {
    f.resize(n, '\0');
    if (ParseMp3(f)) return f;
  }
  return f.substr(0, 4);
}

TEST(WaveFiles, AreReadOrRefused) {
  const std::string pcm16 = Chunk("fmt ", Fmt(1, 2, 44100, 16));
  const std::string data8 = Chunk("data", std::string(8, '\x80'));
  const std::string extensible =
      Chunk("fmt ", Fmt(0xFFFE, 1, 8000, 24) + Le(22, 2) + Le(24, 2) + Le(4, 4) + Le(1, 2) +
                        std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14));
  const struct {
    const char* what;
    std::string file;
    int bits;  // 0: refused
    size_t offset, bytes;
  } cases[] = {
      {"plain", Riff(pcm16 + data8), 16, 44, 8},
      {"a list before the data, odd-sized", Riff(pcm16 + Chunk("LIST", "abc") + data8), 16, 56, 8},
      {"truncated data plays what it holds", Riff(pcm16 + Chunk("data", std::string(9, 'x'))).substr(0, 44 + 6),
       16, 44, 4},
      {"extensible PCM", Riff(extensible + data8), 24, 68, 6},
      {"8-bit mono", Riff(Chunk("fmt ", Fmt(1, 1, 11025, 8)) + data8), 8, 44, 8},
      {"IEEE float", Riff(Chunk("fmt ", Fmt(3, 2, 44100, 32)) + data8), 0, 0, 0},
      {"ADPCM", Riff(Chunk("fmt ", Fmt(2, 1, 22050, 4)) + data8), 0, 0, 0},
      {"six channels", Riff(Chunk("fmt ", Fmt(1, 6, 48000, 16)) + Chunk("data", std::string(24, 'x'))), 0, 0, 0},
      {"data before its format", Riff(data8 + pcm16), 0, 0, 0},
      {"no data", Riff(pcm16), 0, 0, 0},
      {"empty data", Riff(pcm16 + Chunk("data", "")), 0, 0, 0},
      {"not RIFF", "RIFX" + Riff(pcm16 + data8).substr(4), 0, 0, 0},
      {"AVI", "RIFF" + Le(4, 4) + "AVI ", 0, 0, 0},
      {"short", "RIFF", 0, 0, 0},
  };
  for (const auto& c : cases) {
    const auto w = ParseWave(c.file);
    ASSERT_EQ(w.has_value(), c.bits != 0) << c.what;
    if (!w) continue;
    EXPECT_EQ(w->bitsPerSample, c.bits) << c.what;
    EXPECT_EQ(w->dataOffset, c.offset) << c.what;
    EXPECT_EQ(w->dataBytes, c.bytes) << c.what;
  }
}

TEST(Mp3Files, AreFoundBehindTagsOrRefused) {
  const std::string id3 = std::string("ID3\x04\x00\x00\x00\x00\x01\x05", 10) + std::string(133, 'T');
  const struct {
    const char* what;
    std::string file;
    size_t offset;  // npos: refused
    int version, rate, channels, kbps;
    size_t frameBytes;
  } cases[] = {
      {"two frames", Frame() + Frame(), 0, 10, 44100, 2, 128, 417},
      {"one frame ends the file", Frame(), 0, 10, 44100, 2, 128, 417},
      {"behind an ID3v2 tag", id3 + Frame() + Frame(), 143, 10, 44100, 2, 128, 417},
      {"padding before the frame", std::string(7, '\0') + Frame() + Frame(), 7, 10, 44100, 2, 128, 417},
      {"a padded frame", Frame(0xFB, 0x92) + Frame(), 0, 10, 44100, 2, 128, 418},
      {"MPEG-2 mono 64 kbit/s 22.05 kHz", Frame(0xF3, 0x80, 0xC0) + Frame(0xF3, 0x80, 0xC0), 0, 20, 22050, 1, 64,
       208},
      {"MPEG-2.5 8 kHz", Frame(0xE3, 0x18) + Frame(0xE3, 0x18), 0, 25, 8000, 2, 8, 72},
      {"a lone sync in junk", std::string("\xFF\xFB\x90\x00", 4) + std::string(600, 'j'), std::string::npos, 0, 0, 0, 0, 0},
      {"layer II", Frame(0xFD) + Frame(0xFD), std::string::npos, 0, 0, 0, 0, 0},
      {"free format", Frame(0xFB, 0x00) + Frame(0xFB, 0x00), std::string::npos, 0, 0, 0, 0, 0},
      {"reserved rate", Frame(0xFB, 0x9C) + Frame(0xFB, 0x9C), std::string::npos, 0, 0, 0, 0, 0},
      {"text", "just some text, no sound at all", std::string::npos, 0, 0, 0, 0, 0},
      {"empty", "", std::string::npos, 0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const auto m = ParseMp3(c.file);
    ASSERT_EQ(m.has_value(), c.offset != std::string::npos) << c.what;
    if (!m) continue;
    EXPECT_EQ(m->frameOffset, c.offset) << c.what;
    EXPECT_EQ(m->mpegVersion, c.version) << c.what;
    EXPECT_EQ(m->sampleRate, c.rate) << c.what;
    EXPECT_EQ(m->channels, c.channels) << c.what;
    EXPECT_EQ(m->bitrateKbps, c.kbps) << c.what;
    EXPECT_EQ(m->frameBytes, c.frameBytes) << c.what;
  }
  EXPECT_EQ(Id3v2Bytes(id3), 143u);
  EXPECT_EQ(Id3v2Bytes(std::string("ID3\x04\x00\x10\x00\x00\x01\x05", 10)), 153u);  // with a footer
  EXPECT_EQ(Id3v2Bytes(std::string("ID3\x04\x00\x00\x80\x00\x01\x05", 10)), 0u);   // not 7-bit: no tag
  EXPECT_EQ(Id3v2Bytes(Frame()), 0u);
  EXPECT_EQ(SoundKindOf(Frame() + Frame()), SoundKind::kMp3);
  EXPECT_EQ(SoundKindOf(Riff(Chunk("fmt ", Fmt(1, 1, 8000, 16)) + Chunk("data", "ab"))), SoundKind::kWave);
  EXPECT_EQ(SoundKindOf(Riff(Chunk("fmt ", Fmt(3, 1, 8000, 32)) + Chunk("data", "abcd"))), std::nullopt);
}

TEST(Pcm, BecomesSixteenBitsAtTheVolume) {
  const struct {
    int bits, volume;
    std::string data;
    std::vector<int16_t> out;
  } cases[] = {
      {8, 100, std::string("\x80\xFF\x00", 3), {0, 32512, -32768}},
      {8, 50, std::string("\x80\xFF\x00", 3), {0, 16256, -16384}},
      {16, 100, Le(0x7FFF, 2) + Le(0x8000, 2), {32767, -32768}},
      {16, 25, Le(0x7FFF, 2) + Le(0x8000, 2), {8191, -8192}},
      {16, 0, Le(0x7FFF, 2), {0}},
      {16, 150, Le(1000, 2), {1000}},  // clamped to 100
      {16, -5, Le(1000, 2), {0}},
      {24, 100, Le(0x123456, 3) + Le(0xFEDCBA, 3), {0x1234, static_cast<int16_t>(0xFEDC)}},
      {32, 50, Le(0x40000000, 4), {8192}},
  };
  for (const auto& c : cases) {
    WaveInfo w;
    w.channels = 1;
    w.bitsPerSample = c.bits;
    w.dataOffset = 2;
    w.dataBytes = c.data.size();
    EXPECT_EQ(ToPcm16("xx" + c.data, w, c.volume), c.out) << c.bits << " bits at " << c.volume;
  }
  std::vector<int16_t> s = {1000, -1000, 32767};
  ScalePcm16(s.data(), s.size(), 10);
  EXPECT_EQ(s, (std::vector<int16_t>{100, -100, 3276}));
}

}  // namespace
}  // namespace qov::desktop
