#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

class QWidget;

namespace platform {

// Message box style flags and answers, with the values the program's texts use.
inline constexpr unsigned kMbOk = 0x0000;
inline constexpr unsigned kMbYesNo = 0x0004;
inline constexpr unsigned kMbIconError = 0x0010;
inline constexpr unsigned kMbIconQuestion = 0x0020;
inline constexpr unsigned kMbIconWarning = 0x0030;
inline constexpr unsigned kMbIconInformation = 0x0040;
inline constexpr unsigned kMbTaskModal = 0x2000;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

struct MessageBoxCall {
  QString text;
  QString caption;
  unsigned flags = 0;
  QWidget* owner = nullptr;
};

// Shows a modal message box and returns the answer (kIdOk, kIdYes, kIdNo).
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
