#pragma once

#include "command.h"

namespace keldar::cli {

const Command& ScanCommand();

}  // namespace keldar::cli
