#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "screens/screen_texts.h"
#include "store/archive_error.h"
#include "store/archive_model.h"

class QWidget;

namespace admintools {

// What the screens tell the user when the archive refuses an operation.
QString FailureText(const ScreenTexts& texts, ArchiveFailure failure);
// Runs `operation` on the archive. While another program holds the archive,
// asks whether to try again (Retry / Cancel). Nothing when it succeeded, else
// the failure that ended it (kBusy after Cancel).
std::optional<ArchiveFailure> RunOnArchive(QWidget* owner, const ScreenTexts& texts,
                                           const std::function<void()>& operation);
// The name of a kind of device ("Тепловая энергия", "Холодная вода", …).
QString DeviceKindText(const ScreenTexts& texts, DeviceKind kind);

}  // namespace admintools
