#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "base/platform/message_flags.h"

class QWidget;

namespace platform {

struct MessageBoxCall {
  QString text;
  QString caption;
  unsigned flags = 0;
  QWidget* owner = nullptr;
};

// Shows a modal message box and returns the answer (kIdOk, kIdYes, kIdNo,
// kIdRetry, kIdCancel).
// Main thread only.
int ShowMessageBox(QWidget* owner, const QString& text, const QString& caption, unsigned flags);

// Test seam: while a recorder lives, message boxes are recorded instead of
// shown and answered from `answers` (then `defaultAnswer`).
class MessageBoxRecorder {
 public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  std::vector<MessageBoxCall> calls;
  std::deque<int> answers;
  int defaultAnswer = kIdNo;
  // Runs inside the box, as a user reading it would (tests use it to act while a box is open).
  std::function<void(const MessageBoxCall&)> onShow;

 private:
  int Record(const MessageBoxCall& call);
  friend int ShowMessageBox(QWidget*, const QString&, const QString&, unsigned);
};

}  // namespace platform
