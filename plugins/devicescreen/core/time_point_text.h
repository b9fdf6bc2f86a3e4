// Whether a date text from the M-Bus library names a real time point.
#pragma once

#include <string_view>

namespace devicescreen {

// "2024-02-29", "2024-02-29T23:59", "2024-02-29T23:59:59" or "23:59:59" with
// every field in range; false for "2000-00-00", "2023-02-29" or "24:00:00".
bool IsTimePointText(std::string_view text);

}  // namespace devicescreen
