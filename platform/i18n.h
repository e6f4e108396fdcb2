// The language of every text the user sees. Indonesian is the source: a
// text is written in Indonesian where it reaches the user, wrapped in Tr(),
// and looked up in the chosen language's catalogue (i18n/<code>.po, compiled
// in). A text the catalogue lacks shows in Indonesian. Tables whose texts
// are translated later mark them with N_() so the extraction finds them.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#define N_(text) text

namespace qov::i18n {

struct Entry {
  const char* id;  // the Indonesian text
  const char* text;
};

struct Language {
  const char* code;  // "id", "en": the stored value "Bahasa"
  const char* name;  // in its own language, as the menu lists it
  std::span<const Entry> entries;  // sorted by id; empty for Indonesian
};

// Every language, Indonesian first; generated from i18n/*.po.
std::span<const Language> Languages();

// Chooses the language by its code; an unknown or empty code chooses
// Indonesian and answers false.
bool SetLanguage(std::string_view code);
const Language& Current();

// `id` in the current language; `id` itself when no entry has it. The
// answer lives as long as the program, so a caller keeps the pointer.
const char* Tr(const char* id);
std::string Tr(const std::string& id);
// The same for a word that means two things in another language ("Jumat",
// the day and the prayer): the catalogue's msgctxt `context`.
const char* Tr(const char* context, const char* id);

// Tr(pattern) with "{1}", "{2}" ... replaced by `args` in order, so a
// language can place them where its grammar wants them.
std::string Fill(const char* pattern, std::initializer_list<std::string_view> args);

}  // namespace qov::i18n
