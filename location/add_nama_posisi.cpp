// Loading the city list into the table and the city drop-down, once at
// start-up.
#include <optional>
#include <string>

#include "app/clockface.h"
#include "location/city_list.h"

namespace qov {

void ClockFace::AddNamaPosisi() {
  Combo1->ClearItems();
  daftarPosisi.assign(kDaftarPosisiSize, Posisi{});

  std::string path = svc_.files->AppPath();
  // At a drive's root the folder already ends in a separator.
  if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
  path += kCityListFile;
  // A missing or unreadable file reads as empty: one blank entry.
  const std::optional<std::string> bytes = svc_.files->ReadAll(path, kCityListMaxBytes);

  // Records past the table's end are not read at all, so every entry of the
  // list has its record; the list keeps file order and the item data is
  // the record's index.
  std::vector<Posisi> records = ParseCityList(bytes ? *bytes : std::string(), daftarPosisi.size());
  for (size_t i = 0; i < records.size(); ++i) {
    daftarPosisi[i] = std::move(records[i]);
    Combo1->AddItem(daftarPosisi[i].nama, static_cast<int32_t>(i));
  }
}

}  // namespace qov
