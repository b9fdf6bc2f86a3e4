#pragma once

#include "look/back_strip.h"

namespace admintools {
using BackStrip = pluginlook::BackStrip;
}  // namespace admintools
