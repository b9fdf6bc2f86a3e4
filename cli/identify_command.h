#pragma once

#include "command.h"

namespace keldar::cli {

const Command& IdentifyCommand();
const Command& PortsCommand();

}  // namespace keldar::cli
