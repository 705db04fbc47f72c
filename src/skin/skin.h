#pragma once

#include <QString>

// The window's skins: 58 Qt style sheets, numbered 1 to 58, compiled into the program as
// resources (generated from palettes.txt and skin.qss.in when the build is configured).
namespace roomdesk::skin {

inline constexpr int kSkinCount = 58;

// The style sheet of skin n (1..58), read from the resources; empty for any other number.
QString SkinStyleSheet(int n);

// Applies skin n to the whole application: takes a fresh copy of the style sheet of skin n, hands
// it to the application, and releases the copy. Nothing has to be put beside the executable
// before: Qt draws the style sheets itself, so there is no engine file to write.
// A number outside 1..58 carries no skin data: the skin in force stays, and the window keeps
// working. Without a QApplication the call does nothing. Call it on the window's thread.
void ApplySkin(int n);

}  // namespace roomdesk::skin
