#pragma once

#include <QString>
#include <optional>

namespace roomdesk::skin {

// What the skin button does with the skin combo box: nullopt when the box's text is empty (the
// window then shows "先选择皮肤" and changes nothing), otherwise the skin number to apply, the
// selected item's index + 1. Text typed into the box without a selected item (index -1) gives 0,
// which applies no skin.
std::optional<int> SkinForChoice(const QString& comboText, int selectedIndex);

}  // namespace roomdesk::skin
