#pragma once

#include <QColor>

// The colours every screen of the program shares, the plug-ins' included.
namespace look {

inline constexpr QColor kWhite{255, 255, 255};
inline constexpr QColor kBlack{0, 0, 0};
// A back strip under the mouse, and the main window's bottom bar.
inline constexpr QColor kHover{240, 240, 240};
inline constexpr QColor kBar = kHover;
// A white panel button under the mouse.
inline constexpr QColor kButtonHover{230, 230, 230};
// A black panel button under the mouse, and one that cannot be pressed.
inline constexpr QColor kPanelHover{0x3c, 0x3c, 0x3c};
inline constexpr QColor kPanelDisabled{0xbd, 0xbd, 0xbd};
inline constexpr QColor kPanelDisabledText{0xf4, 0xf4, 0xf4};

}  // namespace look
