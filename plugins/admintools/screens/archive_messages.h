#pragma once

#include <QString>

#include "screens/screen_texts.h"
#include "store/archive_error.h"
#include "store/archive_model.h"

namespace admintools {

// What the screens tell the user when the archive refuses an operation.
QString FailureText(const ScreenTexts& texts, ArchiveFailure failure);
// The name of a kind of device ("Тепловая энергия", "Холодная вода", …).
QString DeviceKindText(const ScreenTexts& texts, DeviceKind kind);

}  // namespace admintools
