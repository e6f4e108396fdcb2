// Text crossing into and out of the system: UTF-8 <-> UTF-16, registry
// values as the user may have left them, and the tray's tooltip field.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "backends/common/reg_value.h"
#include "platform/utf.h"
#include "tests/data_lines.h"

namespace qov::desktop {
namespace {

std::u16string U16(std::string_view s) { return Utf8ToUtf16<char16_t>(s); }
std::string U8(const std::u16string& s) { return Utf16ToUtf8(s); }

TEST(Utf, RoundTripsEveryPlane) {
  for (const char* s : {"", "Jakarta", "Kab. Bandung Barat", "Désirée", "\xe2\x82\xac 12",  // euro sign
                        "\xf0\x9f\x95\x8c masjid"}) {                                    // U+1F54C
    SCOPED_TRACE(s);
    EXPECT_EQ(U8(U16(s)), s);
  }
  EXPECT_EQ(U16("\xf0\x9f\x95\x8c"), (std::u16string{0xD83D, 0xDD4C}));
}

// Every malformed sequence becomes U+FFFD and decoding resumes at the next
// byte, so nothing after the damage is lost.
TEST(Utf, MalformedUtf8BecomesReplacementCharacters) {
  for (const auto& k : testing::DataRows("desktop/data/malformed_utf8.txt")) {
    std::u16string units;
    std::istringstream hex(k.at(2));
    for (unsigned u = 0; hex >> std::hex >> u;) units.push_back(static_cast<char16_t>(u));
    EXPECT_EQ(U16(k.at(1)), units) << k[0];
  }
}

TEST(Utf, LoneSurrogatesFromTheSystemBecomeReplacementCharacters) {
  EXPECT_EQ(U8(std::u16string{u'a', 0xD800, u'b'}), "a\xef\xbf\xbd" "b");
  EXPECT_EQ(U8(std::u16string{0xDC00}), "\xef\xbf\xbd");
  EXPECT_EQ(U8(std::u16string{u'x', 0xD83D}), "x\xef\xbf\xbd");  // high surrogate at the end
}

std::vector<uint8_t> Utf16Le(std::u16string_view s, bool terminate) {
  std::vector<uint8_t> b;
  for (char16_t c : s) {
    b.push_back(static_cast<uint8_t>(c & 0xFF));
    b.push_back(static_cast<uint8_t>(c >> 8));
  }
  if (terminate) b.insert(b.end(), {0, 0});
  return b;
}

// Strings come back as stored (blanks kept, not expanded, up to the first
// NUL, an odd byte dropped); anything not one of our strings reads as missing.
TEST(RegistryValue, ReadsOurStringsAsStoredAndAnythingElseAsMissing) {
  const uint32_t kRegDword = 4, kRegBinary = 3, kRegMultiSz = 7;
  const struct {
    uint32_t type;
    std::vector<uint8_t> bytes;
    std::string want;
  } cases[] = {
      {kRegSz, Utf16Le(u" -6.15", true), " -6.15"},     {kRegSz, Utf16Le(u"Jakarta", false), "Jakarta"},
      {kRegExpandSz, Utf16Le(u"%X%", true), "%X%"},     {kRegSz, Utf16Le({u"19\0x", 4}, false), "19"},
      {kRegSz, {'2', 0, '0', 0, '5'}, "20"},            {kRegDword, Utf16Le(u"7", true), ""},
      {kRegBinary, Utf16Le(u"7", true), ""},            {kRegMultiSz, Utf16Le(u"7", true), ""},
      {kRegSz, std::vector<uint8_t>(SettingsStore::kMaxValueBytes + 2, 'a'), ""},
  };
  for (const auto& k : cases) EXPECT_EQ(DecodeRegString(k.type, k.bytes.data(), k.bytes.size()), k.want) << k.want;
  EXPECT_EQ(DecodeRegString(kRegSz, nullptr, 0), "");
  EXPECT_EQ(DecodeRegString(kRegSz, nullptr, 8), "");
}

TEST(TrayTip, IsTheFieldUpToItsTerminatorAtMost127Utf16Units) {
  std::string field = "QOV Clock";
  field.push_back('\0');
  field.resize(128, ' ');
  const std::string dash = "\xe2\x80\x94", alef = "\xd8\xa7", emoji = "\xf0\x9f\x95\x8c";
  const struct {
    std::string tip, shown;
  } cases[] = {
      {field, "QOV Clock"},
      {std::string(128, 'x'), std::string(127, 'x')},  // terminator lost
      {"Ashar 15:07 " + dash + " 1 jam 4 menit lagi", "Ashar 15:07 " + dash + " 1 jam 4 menit lagi"},
      // Cut before a character that would not fit whole: valid UTF-8 stays.
      {std::string(126, 'a') + alef + alef, std::string(126, 'a') + alef},
      {std::string(126, 'a') + emoji, std::string(126, 'a')},  // a surrogate pair
      {std::string(125, 'a') + emoji + "b", std::string(125, 'a') + emoji},
      {std::string(100, 'a') + std::string(40, '\x80'), std::string(100, 'a') + std::string(27, '\x80')},
  };
  for (const auto& c : cases) EXPECT_EQ(TipText(c.tip), c.shown) << c.tip;
}

}  // namespace
}  // namespace qov::desktop
