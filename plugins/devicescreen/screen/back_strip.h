#pragma once

#include "look/back_strip.h"

namespace devicescreen {
using BackStrip = pluginlook::BackStrip;
}  // namespace devicescreen
