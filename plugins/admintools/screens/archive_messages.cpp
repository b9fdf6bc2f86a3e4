#include "screens/archive_messages.h"

#include "base/kit/message_box.h"
#include "screens/phrase_keys.h"

namespace admintools {

QString FailureText(const ScreenTexts& texts, ArchiveFailure failure) {
  switch (failure) {
    case ArchiveFailure::kNewerVersion:
      return texts.Text(keys::kArchiveNewerVersion,
                        QStringLiteral("Файл архива archive.db создан более новой версией "
                                       "программы. Обновите программу; архив не изменён."));
    case ArchiveFailure::kNotAnArchive:
      return texts.Text(keys::kArchiveUnreadable,
                        QStringLiteral("Файл archive.db повреждён или не является архивом "
                                       "программы. Архив не изменён."));
    case ArchiveFailure::kCannotOpen:
      return texts.Text(keys::kArchiveCannotOpen,
                        QStringLiteral("Не удалось открыть или создать файл архива archive.db "
                                       "в рабочей папке."));
    case ArchiveFailure::kInUse:
      return texts.Text(keys::kAdminSubscriberHasObjects,
                        QStringLiteral("У абонента есть объекты. Сначала удалите их или "
                                       "передайте другому абоненту."));
    case ArchiveFailure::kBusy:
      return texts.Text(keys::kArchiveBusy,
                        QStringLiteral("Архив archive.db занят другой программой. Закройте её "
                                       "и повторите действие."));
    case ArchiveFailure::kInvalid:
    case ArchiveFailure::kNotFound:
    case ArchiveFailure::kFailed:
      break;
  }
  return texts.Text(keys::kAdminSaveFailed,
                    QStringLiteral("Не удалось сохранить изменения в архиве."));
}

std::optional<ArchiveFailure> RunOnArchive(QWidget* owner, const ScreenTexts& texts,
                                           const std::function<void()>& operation) {
  for (;;) {
    try {
      operation();
      return std::nullopt;
    } catch (const ArchiveError& error) {
      if (error.failure() != ArchiveFailure::kBusy) return error.failure();
    } catch (...) {
      return ArchiveFailure::kFailed;
    }
    const int answer = platform::ShowMessageBox(
        owner,
        texts.Text(keys::kArchiveBusyRetry,
                   QStringLiteral("Архив archive.db занят другой программой. Закройте её и "
                                  "нажмите «Повторить».")),
        QString(), platform::kMbRetryCancel | platform::kMbIconWarning | platform::kMbTaskModal);
    if (answer != platform::kIdRetry) return ArchiveFailure::kBusy;
  }
}

QString DeviceKindText(const ScreenTexts& texts, DeviceKind kind) {
  switch (kind) {
    case DeviceKind::kHeat:
      return texts.Text(keys::kArchiveHeat, QStringLiteral("Тепловая энергия"));
    case DeviceKind::kWaterCold:
      return texts.Text(keys::kArchiveWaterCold, QStringLiteral("Холодная вода"));
    case DeviceKind::kWaterHot:
      return texts.Text(keys::kArchiveWaterHot, QStringLiteral("Горячая вода"));
  }
  return {};
}

}  // namespace admintools
