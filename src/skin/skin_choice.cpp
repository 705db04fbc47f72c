#include "skin/skin_choice.h"

namespace roomdesk::skin {

std::optional<int> SkinForChoice(const QString& comboText, int selectedIndex) {
    if (comboText.isEmpty()) {
        return std::nullopt;
    }
    return selectedIndex + 1;
}

}  // namespace roomdesk::skin
