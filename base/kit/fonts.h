#pragma once

class QWidget;

// Fonts of the screens: the layouts are drawn for Tahoma in sizes a Designer
// file cannot always hold.
namespace look {

// Designer files hold point sizes only; titles and tiles are set in pixels.
void SetPixelSize(QWidget* widget, int pixels);

// Gives every widget under `root` its font explicitly: the attributes its
// layout sets, the rest from its parent. A widget under a style sheet would
// otherwise take the application's font instead of the layout's Tahoma.
// Call once, right after the layout is set up.
void PinFonts(QWidget& root);

}  // namespace look
