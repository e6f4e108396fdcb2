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

class AcmStream {
 public:
  AcmStream() = default;
  ~AcmStream() {
    if (s_) acmStreamClose(s_, 0);
  }
  AcmStream(const AcmStream&) = delete;
  AcmStream& operator=(const AcmStream&) = delete;
  HACMSTREAM* put() { return &s_; }
  HACMSTREAM get() const { return s_; }

 private:
  HACMSTREAM s_ = nullptr;
};

// The MP3 from its first frame on, through whichever ACM codec the system
// has for layer III (Windows' own; Wine's mpg123-based one). Empty when
// there is none or it decodes nothing.
std::vector<int16_t> DecodeMp3(std::string_view bytes, const Mp3Info& mp3) {
  MPEGLAYER3WAVEFORMAT in{};
  in.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
  in.wfx.nChannels = static_cast<WORD>(mp3.channels);
  in.wfx.nSamplesPerSec = static_cast<DWORD>(mp3.sampleRate);
  in.wfx.nAvgBytesPerSec = static_cast<DWORD>(mp3.bitrateKbps) * 125;
  in.wfx.nBlockAlign = 1;
  in.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
  in.wID = MPEGLAYER3_ID_MPEG;
  in.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
  in.nBlockSize = static_cast<WORD>(mp3.frameBytes);
  in.nFramesPerBlock = 1;
  in.nCodecDelay = 1393;  // the usual encoder delay; the codecs ignore it
  WAVEFORMATEX out = Pcm16Format(mp3.channels, mp3.sampleRate);
  AcmStream stream;
  if (acmStreamOpen(stream.put(), nullptr, &in.wfx, &out, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) != 0)
    return {};

  // One layer III frame decodes to at most 48 times its size (32 kbit/s at
  // 48 kHz); room for more keeps a codec that buffers from stalling.
  constexpr DWORD kIn = 16 * 1024;
  constexpr DWORD kOut = kIn * 64;
  std::vector<BYTE> src(kIn), dst(kOut);
  ACMSTREAMHEADER h{};
  h.cbStruct = sizeof(h);
  h.pbSrc = src.data();
  h.cbSrcLength = kIn;
  h.pbDst = dst.data();
  h.cbDstLength = kOut;
  if (acmStreamPrepareHeader(stream.get(), &h, 0) != 0) return {};

  std::vector<int16_t> pcm;
  size_t at = mp3.frameOffset, have = 0;
  DWORD flags = ACM_STREAMCONVERTF_START | ACM_STREAMCONVERTF_BLOCKALIGN;
  for (int idle = 0; idle < 2 && pcm.size() < kMaxPcmSamples;) {
    const size_t take = std::min<size_t>(kIn - have, bytes.size() - at);
    std::memcpy(src.data() + have, bytes.data() + at, take);
    have += take;
    at += take;
    // Past the input's end the codec is asked for what it still holds.
    if (at == bytes.size()) flags = (flags & ~ACM_STREAMCONVERTF_BLOCKALIGN) | ACM_STREAMCONVERTF_END;
    h.cbSrcLength = static_cast<DWORD>(have);
    h.cbSrcLengthUsed = h.cbDstLengthUsed = 0;
    if (acmStreamConvert(stream.get(), &h, flags) != 0) break;
    flags &= ~ACM_STREAMCONVERTF_START;
    const size_t used = std::min<size_t>(h.cbSrcLengthUsed, have);
    std::memmove(src.data(), src.data() + used, have - used);
    have -= used;
    const auto* samples = reinterpret_cast<const int16_t*>(dst.data());
    pcm.insert(pcm.end(), samples, samples + h.cbDstLengthUsed / 2);
    // Twice nothing from the end of the input: the codec is drained.
    idle = (at == bytes.size() && used == 0 && h.cbDstLengthUsed == 0) ? idle + 1 : 0;
    if (at < bytes.size() && used == 0 && h.cbDstLengthUsed == 0 && have == kIn) break;  // stuck
  }
  h.cbSrcLength = kIn;
  acmStreamUnprepareHeader(stream.get(), &h, 0);
  if (pcm.size() > kMaxPcmSamples) pcm.resize(kMaxPcmSamples);
  // Whole sample frames only.
  pcm.resize(pcm.size() / static_cast<size_t>(mp3.channels) * static_cast<size_t>(mp3.channels));
  return pcm;
}

}  // namespace

bool SystemSound::Play(const std::string& path, int volume) {
  Stop();
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return false;
  std::vector<int16_t> pcm;
  int channels = 0, rate = 0;
  if (const auto wave = ParseWave(*bytes)) {
    pcm = ToPcm16(*bytes, *wave, volume);
    channels = wave->channels;
    rate = wave->sampleRate;
  } else if (const auto mp3 = ParseMp3(*bytes)) {
    pcm = DecodeMp3(*bytes, *mp3);
    ScalePcm16(pcm.data(), pcm.size(), volume);
    channels = mp3->channels;
    rate = mp3->sampleRate;
  }
  if (pcm.empty()) return false;
  const WAVEFORMATEX format = Pcm16Format(channels, rate);
  if (waveOutOpen(&out_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
    out_ = nullptr;
    return false;
  }
  pcm_ = std::move(pcm);
  header_ = WAVEHDR{};
  header_.lpData = reinterpret_cast<LPSTR>(pcm_.data());
  header_.dwBufferLength = static_cast<DWORD>(pcm_.size() * sizeof(int16_t));
  if (waveOutPrepareHeader(out_, &header_, sizeof(header_)) != MMSYSERR_NOERROR) {
    waveOutClose(out_);
    out_ = nullptr;
    pcm_ = {};
    return false;
  }
  if (waveOutWrite(out_, &header_, sizeof(header_)) != MMSYSERR_NOERROR) {
    Stop();
    return false;
  }
  return true;
}

void SystemSound::Stop() {
  if (!out_) return;
  // Reset hands the buffer back at once; only then may it be freed.
  waveOutReset(out_);
  waveOutUnprepareHeader(out_, &header_, sizeof(header_));
  waveOutClose(out_);
  out_ = nullptr;
  pcm_ = {};
}

bool SystemSound::Playing() {
  if (!out_) return false;
  if (!(header_.dwFlags & WHDR_DONE)) return true;
  Stop();  // played out: the device and the buffer go back
  return false;
}

std::optional<std::string> SystemDialogs::OpenSoundFile(ui::Form& owner, const std::string& title,
                                                        const std::string& current) {
  const std::wstring now = Wide(current);
  const std::wstring folder = FolderOf(now);
  const std::wstring titleW = Wide(title);
  std::wstring file(32768, L'\0');
  // The current file preselected by its name; the dialog opens on its folder.
  const size_t nameAt = now.find_last_of(L"\\/");
  const std::wstring name = nameAt == std::wstring::npos ? now : now.substr(nameAt + 1);
  std::copy_n(name.begin(), std::min(name.size(), file.size() - 1), file.begin());
  static constexpr wchar_t kFilter[] = L"Suara (*.wav;*.mp3)\0*.wav;*.mp3\0";
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  HWND ownerWindow = ToHwnd(owner.hWnd());
  ofn.hwndOwner = ownerWindow && IsWindow(ownerWindow) ? ownerWindow : nullptr;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = titleW.empty() ? nullptr : titleW.c_str();
  // The working folder stays: nothing else in the program should move with
  // the user's browsing.
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetOpenFileNameW(&ofn)) return std::nullopt;
  file.resize(wcslen(file.c_str()));
  return Narrow(file);
}

}  // namespace qov::win32
