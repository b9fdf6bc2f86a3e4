#pragma once

#include <functional>
#include <string>

#include "base/kit/colours.h"

class QLineEdit;
class QWidget;

// The shared look and the small behaviours panels-as-buttons need.
namespace look {

// Fills the widget's background with `colour`.
void Paint(QWidget* widget, const QColor& colour);
// Text colour of a label or panel.
void PaintText(QWidget* widget, const QColor& colour);
void SetBold(QWidget* widget, bool bold);

// A mask edit's text as the user sees it, each unfilled place a blank: Qt's
// text() drops them, and "1_5" would read as 15.
std::string ShownText(const QLineEdit* edit);

// How a widget that reacts to a click takes part in the keyboard.
enum class Keys {
  kButton,        // reached with Tab, shows a focus ring, pressed with Enter or Space
  kPartOfButton,  // a picture or caption inside one: the pointer only
};

// Calls `action` once when the left button is released over `widget` (the
// release goes no further, so a button's caption and the button never both
// act), and, for a button, when Enter or Space is pressed on it.
void OnClick(QWidget* widget, std::function<void()> action, Keys keys = Keys::kButton);
// Calls `action` when Enter is pressed in `widget`, whatever it holds (a mask
// edit signals Enter only once every place is filled).
void OnEnter(QWidget* widget, std::function<void()> action);
// Calls `action` whenever the mouse enters or moves over `widget`.
void OnHover(QWidget* widget, std::function<void()> action);

}  // namespace look
