#include "base/kit/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

void OpenUrl(const QString& address) {
  if (!address.isEmpty()) QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

}  // namespace platform
