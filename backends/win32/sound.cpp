// Sound files the user picks: the file dialog, and playback at a volume.
#include "backends/win32/services.h"

// After <windows.h>, which they need.
#include <mmreg.h>
#include <msacm.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "backends/common/sound_file.h"
#include "backends/win32/file_dialog.h"
#include "platform/i18n.h"

namespace qov::win32 {
namespace {

// About six minutes of CD-quality WAVE; a longer file plays its start.
constexpr size_t kMaxFileBytes = 64u << 20;
// About twelve minutes of decoded CD-quality MP3.
constexpr size_t kMaxPcmSamples = 64u << 20;

std::optional<std::string> ReadFileBytes(const std::string& path) {
  AutoHandle h(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (h.get() == INVALID_HANDLE_VALUE) {
    h.release();
    return std::nullopt;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(h.get(), &size) || size.QuadPart < 0) return std::nullopt;
  std::string bytes(static_cast<size_t>(std::min<LONGLONG>(size.QuadPart, kMaxFileBytes)), '\0');
  size_t got = 0;
  while (got < bytes.size()) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - got, 1u << 20));
    if (!ReadFile(h.get(), bytes.data() + got, want, &n, nullptr)) return std::nullopt;
    if (n == 0) break;
    got += n;
  }
  bytes.resize(got);
  return bytes;
}

WAVEFORMATEX Pcm16Format(int channels, int rate) {
  WAVEFORMATEX f{};
  f.wFormatTag = WAVE_FORMAT_PCM;
  f.nChannels = static_cast<WORD>(channels);
  f.nSamplesPerSec = static_cast<DWORD>(rate);
  f.wBitsPerSample = 16;
  f.nBlockAlign = static_cast<WORD>(channels * 2);
  f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
  return f;
}

}  // namespace

// An MP3 from its first frame on, through whichever ACM codec the system
// has for layer III (Windows' own; Wine's mpg123-based one), a piece at a
// time.
class Mp3Decoder {
 public:
  Mp3Decoder(std::string bytes, const Mp3Info& mp3) : bytes_(std::move(bytes)), mp3_(mp3), at_(mp3.frameOffset) {}
  ~Mp3Decoder() {
    if (prepared_) {
      header_.cbSrcLength = kIn;
      acmStreamUnprepareHeader(stream_, &header_, 0);
    }
    if (stream_) acmStreamClose(stream_, 0);
  }
  Mp3Decoder(const Mp3Decoder&) = delete;
  Mp3Decoder& operator=(const Mp3Decoder&) = delete;

  // False when the system has no codec for this MP3.
  bool Open() {
    MPEGLAYER3WAVEFORMAT in{};
    in.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    in.wfx.nChannels = static_cast<WORD>(mp3_.channels);
    in.wfx.nSamplesPerSec = static_cast<DWORD>(mp3_.sampleRate);
    in.wfx.nAvgBytesPerSec = static_cast<DWORD>(mp3_.bitrateKbps) * 125;
    in.wfx.nBlockAlign = 1;
    in.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    in.wID = MPEGLAYER3_ID_MPEG;
    in.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    in.nBlockSize = static_cast<WORD>(mp3_.frameBytes);
    in.nFramesPerBlock = 1;
    in.nCodecDelay = 1393;  // the usual encoder delay; the codecs ignore it
    WAVEFORMATEX out = Pcm16Format(mp3_.channels, mp3_.sampleRate);
    if (acmStreamOpen(&stream_, nullptr, &in.wfx, &out, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) != 0) {
      stream_ = nullptr;
      return false;
    }
    src_.resize(kIn);
    dst_.resize(kOut);
    header_.cbStruct = sizeof(header_);
    header_.pbSrc = src_.data();
    header_.cbSrcLength = kIn;
    header_.pbDst = dst_.data();
    header_.cbDstLength = kOut;
    prepared_ = acmStreamPrepareHeader(stream_, &header_, 0) == 0;
    return prepared_;
  }

  // At least `samples` more samples (whole sample frames), fewer at the
  // end; empty once the codec is drained.
  std::vector<int16_t> Next(size_t samples) {
    std::vector<int16_t> pcm;
    while (!done_ && pcm.size() < samples) Step(&pcm);
    pcm.resize(pcm.size() / static_cast<size_t>(mp3_.channels) * static_cast<size_t>(mp3_.channels));
    return pcm;
  }

  bool Done() const { return done_; }

 private:
  // One 16 kB piece of the input decodes to at most 48 times its size
  // (32 kbit/s at 48 kHz); room for more keeps a codec that buffers from
  // stalling.
  static constexpr DWORD kIn = 16 * 1024;
  static constexpr DWORD kOut = kIn * 64;

  void Step(std::vector<int16_t>* pcm) {
    const size_t take = std::min<size_t>(kIn - have_, bytes_.size() - at_);
    std::memcpy(src_.data() + have_, bytes_.data() + at_, take);
    have_ += take;
    at_ += take;
    // Past the input's end the codec is asked for what it still holds.
    if (at_ == bytes_.size()) flags_ = (flags_ & ~ACM_STREAMCONVERTF_BLOCKALIGN) | ACM_STREAMCONVERTF_END;
    header_.cbSrcLength = static_cast<DWORD>(have_);
    header_.cbSrcLengthUsed = header_.cbDstLengthUsed = 0;
    if (acmStreamConvert(stream_, &header_, flags_) != 0) {
      done_ = true;
      return;
    }
    flags_ &= ~ACM_STREAMCONVERTF_START;
    const size_t used = std::min<size_t>(header_.cbSrcLengthUsed, have_);
    std::memmove(src_.data(), src_.data() + used, have_ - used);
    have_ -= used;
    const auto* samples = reinterpret_cast<const int16_t*>(dst_.data());
    pcm->insert(pcm->end(), samples, samples + header_.cbDstLengthUsed / 2);
    produced_ += header_.cbDstLengthUsed / 2;
    const bool idle = used == 0 && header_.cbDstLengthUsed == 0;
    // Twice nothing from the end of the input: drained. Nothing from a full
    // buffer: stuck on data the codec refuses.
    idles_ = at_ == bytes_.size() && idle ? idles_ + 1 : 0;
    if (idles_ == 2 || (idle && have_ == kIn) || produced_ >= kMaxPcmSamples) done_ = true;
  }

  std::string bytes_;
  Mp3Info mp3_;
  HACMSTREAM stream_ = nullptr;
  ACMSTREAMHEADER header_{};
  bool prepared_ = false;
  std::vector<BYTE> src_, dst_;
  size_t at_, have_ = 0, produced_ = 0;
  DWORD flags_ = ACM_STREAMCONVERTF_START | ACM_STREAMCONVERTF_BLOCKALIGN;
  int idles_ = 0;
  bool done_ = false;
};

SystemSound::SystemSound() = default;

SystemSound::~SystemSound() { Stop(); }

bool SystemSound::Play(const std::string& path, int volume) {
  Stop();
  auto bytes = ReadFileBytes(path);
  if (!bytes) return false;
  std::vector<int16_t> pcm;
  int channels = 0, rate = 0;
  std::unique_ptr<Mp3Decoder> decoder;
  if (const auto wave = ParseWave(*bytes)) {
    pcm = ToPcm16(*bytes, *wave, volume);
    channels = wave->channels;
    rate = wave->sampleRate;
  } else if (const auto mp3 = ParseMp3(*bytes)) {
    channels = mp3->channels;
    rate = mp3->sampleRate;
    decoder = std::make_unique<Mp3Decoder>(std::move(*bytes), *mp3);
    if (!decoder->Open()) return false;
    pcm = decoder->Next(static_cast<size_t>(rate * channels));  // a second
    ScalePcm16(pcm.data(), pcm.size(), volume);
  }
  if (pcm.empty()) return false;
  const WAVEFORMATEX format = Pcm16Format(channels, rate);
  if (waveOutOpen(&out_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
    out_ = nullptr;
    return false;
  }
  if (!Queue(std::move(pcm))) {
    Stop();
    return false;
  }
  if (decoder && !decoder->Done()) {
    decoder_ = std::move(decoder);
    volume_ = volume;
    cancel_ = 0;
    thread_.reset(CreateThread(nullptr, 0, &SystemSound::DecodeRest, this, 0, nullptr));
    // Without a thread the start plays alone.
    if (!thread_) decoder_.reset();
  }
  return true;
}

bool SystemSound::Queue(std::vector<int16_t> pcm) {
  Block& block = blocks_.emplace_back();
  block.pcm = std::move(pcm);
  block.header.lpData = reinterpret_cast<LPSTR>(block.pcm.data());
  block.header.dwBufferLength = static_cast<DWORD>(block.pcm.size() * sizeof(int16_t));
  if (waveOutPrepareHeader(out_, &block.header, sizeof(block.header)) != MMSYSERR_NOERROR) {
    block.header.dwFlags = WHDR_DONE;  // nothing to wait for or give back
    return false;
  }
  if (waveOutWrite(out_, &block.header, sizeof(block.header)) != MMSYSERR_NOERROR) {
    waveOutUnprepareHeader(out_, &block.header, sizeof(block.header));
    block.header.dwFlags = WHDR_DONE;
    return false;
  }
  return true;
}

DWORD WINAPI SystemSound::DecodeRest(void* self) {
  auto* sound = static_cast<SystemSound*>(self);
  // A few seconds a piece, each decoded in milliseconds: Stop never waits
  // long for this thread.
  while (!sound->cancel_ && !sound->decoder_->Done()) {
    std::vector<int16_t> pcm = sound->decoder_->Next(256 * 1024);
    if (pcm.empty()) break;
    ScalePcm16(pcm.data(), pcm.size(), sound->volume_);
    if (!sound->Queue(std::move(pcm))) break;
  }
  return 0;
}

void SystemSound::Stop() {
  if (thread_) {
    InterlockedExchange(&cancel_, 1);
    WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
  }
  decoder_.reset();
  if (!out_) return;
  // Reset hands the buffers back at once; only then may they be freed.
  waveOutReset(out_);
  for (Block& block : blocks_) {
    if (block.header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(out_, &block.header, sizeof(block.header));
  }
  waveOutClose(out_);
  out_ = nullptr;
  blocks_.clear();
}

bool SystemSound::Playing() {
  if (!out_) return false;
  // While the decoder thread runs it owns blocks_ (Stop joins it first).
  if (thread_ && WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT) return true;
  const bool playing = std::any_of(blocks_.begin(), blocks_.end(),
                                   [](const Block& b) { return !(b.header.dwFlags & WHDR_DONE); });
  if (!playing) Stop();  // played out: the device and the buffers go back
  return playing;
}

std::optional<std::string> SystemDialogs::OpenSoundFile(ui::Form& owner, const std::string& title,
                                                        const std::string& current) {
  const std::wstring now = Wide(current);
  const std::wstring folder = FolderOf(now);
  // The current file preselected by its name; the dialog opens on its folder.
  const size_t nameAt = now.find_last_of(L"\\/");
  const std::wstring name = nameAt == std::wstring::npos ? now : now.substr(nameAt + 1);
  static constexpr wchar_t kPattern[] = L" (*.wav;*.mp3)\0*.wav;*.mp3";  // the filter's fixed half
  FileDialog dialog(owner, name, Wide(i18n::Tr("Suara")) + std::wstring(kPattern, std::size(kPattern)), Wide(title));
  dialog.ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.ofn.Flags |= OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&dialog.ofn)) return std::nullopt;
  return dialog.Chosen();
}

}  // namespace qov::win32
