#pragma once

#include "look/panel_button.h"

namespace devicescreen {
using PanelButton = pluginlook::PanelButton;
}  // namespace devicescreen
