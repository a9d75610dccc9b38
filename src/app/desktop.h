#pragma once

class QApplication;

namespace quor {

// The look every window of the program shares: Chinese texts in Qt's own
// dialogs, a CJK font, the Fusion style.
void setUpDesktop(QApplication &app);

} // namespace quor
