#pragma once

#include <QString>

namespace platform {

// Opens an address with the desktop's default handler; the outcome is not reported.
void OpenUrl(const QString& address);

}  // namespace platform
