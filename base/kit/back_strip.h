#pragma once

#include <functional>

class QLabel;
class QWidget;

namespace look {

// The 145-pixel strip on the left of a screen that leads back, the same on
// the program's screens and the plug-ins': white, light grey with a bold
// caption under the mouse; a click on the strip or its caption, or Enter or
// Space once Tab has reached it, runs `onBack` (the main window turns Escape
// into Space on the top screen's strip).
// The strip turns white again when the pointer leaves it or, when `background`
// is given, only once the pointer moves over `background` (the program's own
// screens, whose strip borders the window's bottom bar).
void MakeBackStrip(QWidget* strip, QLabel* caption, std::function<void()> onBack,
                   QWidget* background = nullptr);

}  // namespace look
