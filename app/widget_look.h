#pragma once

#include <QColor>
#include <functional>

class QWidget;

// The shell's shared look and the small behaviours its panels-as-buttons need.
namespace look {

inline constexpr QColor kWhite{255, 255, 255};
inline constexpr QColor kHover{240, 240, 240};
inline constexpr QColor kButtonHover{230, 230, 230};
inline constexpr QColor kBlack{0, 0, 0};

// Fills the widget's background with `colour`.
void Paint(QWidget* widget, const QColor& colour);
// Text colour of a label or panel.
void PaintText(QWidget* widget, const QColor& colour);
void SetBold(QWidget* widget, bool bold);

// Calls `action` when the left button is released over `widget`.
void OnClick(QWidget* widget, std::function<void()> action);
// Calls `action` whenever the mouse enters or moves over `widget`.
void OnHover(QWidget* widget, std::function<void()> action);

}  // namespace look
