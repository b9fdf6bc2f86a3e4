// keldar-cli archive: the readings saved in the local archive, listed or
// exported as CSV or JSON.
#pragma once

#include "command.h"

namespace keldar::cli {
const Command& ArchiveCommand();
}
