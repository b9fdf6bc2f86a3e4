#pragma once

#include <functional>

class QLabel;
class QWidget;

// The 145-pixel strip on the left of most screens: its label turns bold and
// the strip light grey under the mouse; moving over `background` restores it;
// a click on strip or label runs `onBack`.
void MakeBackStrip(QWidget* strip, QLabel* label, QWidget* background,
                   std::function<void()> onBack);
