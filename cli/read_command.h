// keldar-cli read: reads a meter over a serial line (SND_NKE, then REQ_UD2
// for every telegram of its answer).
#pragma once

#include "command.h"

namespace keldar::cli {
const Command& ReadCommand();
}
