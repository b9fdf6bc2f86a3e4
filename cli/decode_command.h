// keldar-cli decode: telegrams given as hex, printed decoded as tables or JSON.
#pragma once

#include "command.h"

namespace keldar::cli {
const Command& DecodeCommand();
}
