#pragma once

#include "command.h"

namespace keldar::cli {

const Command& ConfigCommand();
const Command& SetAddressCommand();
const Command& SetSerialCommand();
const Command& SetTypeCommand();

}  // namespace keldar::cli
