// The colour dialog behind the "Set Warna Jarum" menu.
#pragma once

#include <optional>

#include "platform/model.h"
#include "platform/services.h"

namespace qov {

// Opens the colour dialog owned by `owner`, with no colour preselected and
// black custom colours. The chosen colour, or nothing when cancelled.
std::optional<ui::Color> PilihWarna(Dialogs& dialogs, ui::Handle owner);

}  // namespace qov
