#pragma once

#include <string>

namespace phrases {

// Folder this library was loaded from ("" when it cannot be told), where its data lives.
std::string ModuleFolder();

}  // namespace phrases
