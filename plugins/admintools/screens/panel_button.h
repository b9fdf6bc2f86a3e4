#pragma once

#include "look/panel_button.h"

namespace admintools {
using PanelButton = pluginlook::PanelButton;
}  // namespace admintools
