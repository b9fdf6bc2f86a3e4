#include "base/kit/message_box.h"

#include <QMessageBox>

namespace platform {
namespace {

MessageBoxRecorder* gRecorder = nullptr;

QMessageBox::Icon IconOf(unsigned flags) {
  switch (flags & 0xF0) {
    case kMbIconError:
      return QMessageBox::Critical;
    case kMbIconQuestion:
      return QMessageBox::Question;
    case kMbIconWarning:
      return QMessageBox::Warning;
    case kMbIconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder() { gRecorder = this; }

MessageBoxRecorder::~MessageBoxRecorder() {
  if (gRecorder == this) gRecorder = nullptr;
}

int MessageBoxRecorder::Record(const MessageBoxCall& call) {
  calls.push_back(call);
  if (onShow) onShow(call);
  if (answers.empty()) return defaultAnswer;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags) {
  if (gRecorder != nullptr) return gRecorder->Record({text, caption, flags, owner});

  QMessageBox box(IconOf(flags), caption, text, QMessageBox::NoButton, owner);
  const unsigned buttons = flags & 0x0F;
  if (buttons == kMbYesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
  } else if (buttons == kMbRetryCancel) {
    box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Retry);
    box.setEscapeButton(QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  // Task-modal: the box blocks every window of the program.
  box.setWindowModality(Qt::ApplicationModal);
  const int result = box.exec();
  if (buttons == kMbYesNo) return result == QMessageBox::Yes ? kIdYes : kIdNo;
  if (buttons == kMbRetryCancel) return result == QMessageBox::Retry ? kIdRetry : kIdCancel;
  return kIdOk;
}

}  // namespace platform
