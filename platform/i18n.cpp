#include "platform/i18n.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace qov::i18n {
namespace {

const Language* current = nullptr;

bool Before(const Entry& e, const char* id) { return std::strcmp(e.id, id) < 0; }

}  // namespace

bool SetLanguage(std::string_view code) {
  for (const Language& l : Languages()) {
    if (code == l.code) {
      current = &l;
      return true;
    }
  }
  current = &Languages().front();
  return false;
}

const Language& Current() { return current ? *current : Languages().front(); }

const char* Tr(const char* id) {
  const std::span<const Entry> entries = Current().entries;
  const auto it = std::lower_bound(entries.begin(), entries.end(), id, Before);
  return it != entries.end() && std::strcmp(it->id, id) == 0 ? it->text : id;
}

const char* Tr(const char* context, const char* id) {
  char key[128];
  const int n = std::snprintf(key, sizeof key, "%s\x04%s", context, id);
  if (n < 0 || static_cast<size_t>(n) >= sizeof key) return id;
  const char* text = Tr(key);
  return text == key ? id : text;
}

std::string Tr(const std::string& id) {
  const char* text = Tr(id.c_str());
  return text == id.c_str() ? id : std::string(text);
}

std::string Fill(const char* pattern, std::initializer_list<std::string_view> args) {
  const std::string_view p = Tr(pattern);
  std::string out;
  out.reserve(p.size() + 16);
  for (size_t i = 0; i < p.size(); ++i) {
    if (p[i] == '{' && i + 2 < p.size() && p[i + 1] >= '1' && p[i + 1] <= '9' && p[i + 2] == '}') {
      const size_t n = static_cast<size_t>(p[i + 1] - '1');
      if (n < args.size()) out += *(args.begin() + n);
      i += 2;
    } else {
      out += p[i];
    }
  }
  return out;
}

}  // namespace qov::i18n
