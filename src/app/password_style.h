// The password box shows every character as "*", whatever the platform's style would use (Qt's
// own default is a bullet).
#pragma once

class QLineEdit;

namespace roomdesk {

// Puts `edit` in password mode with "*" as its mask character; the style that does it belongs
// to the box and stays under any style sheet applied later.
void MakePasswordBox(QLineEdit* edit);

}  // namespace roomdesk
