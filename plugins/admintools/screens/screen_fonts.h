#pragma once

class QWidget;

namespace admintools {

// Gives every widget under `root` its font explicitly: the attributes its
// layout sets, the rest from its parent. A widget under a style sheet would
// otherwise take the application's font instead of the layout's Tahoma.
// Call once, right after the layout is set up.
void PinFonts(QWidget& root);

}  // namespace admintools
