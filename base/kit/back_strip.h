#pragma once

#include <functional>

class QLabel;
class QWidget;

// The 145-pixel strip on the left of most screens: its label turns bold and
// the strip light grey under the mouse; moving over `background` restores it;
// a click on strip or label, or Enter or Space on the strip, runs `onBack`
// (the main window turns Escape into Space on the top screen's strip).
void MakeBackStrip(QWidget* strip, QLabel* label, QWidget* background,
                   std::function<void()> onBack);
