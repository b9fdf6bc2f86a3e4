#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

class QWidget;

namespace platform {

struct SaveFileCall {
  QString caption;
  QString proposed;  // the path the dialog opens with
  QStringList filters;
  QWidget* owner = nullptr;
};

// What the user chose: an empty path when they cancelled.
struct SaveFileChoice {
  QString path;
  QString filter;  // one of the offered filters
};

// Asks where to save a file, proposing `proposed` and offering `filters`
// ("CSV (*.csv)"); the first filter is chosen unless `proposed` ends in
// another's suffix. Main thread only.
SaveFileChoice ChooseSaveFile(QWidget* owner, const QString& caption, const QString& proposed,
                              const QStringList& filters);

// Test seam: while a recorder lives, the dialogs are recorded instead of shown
// and answered from `answers` (then cancelled).
class SaveFileRecorder {
 public:
  SaveFileRecorder();
  ~SaveFileRecorder();
  SaveFileRecorder(const SaveFileRecorder&) = delete;
  SaveFileRecorder& operator=(const SaveFileRecorder&) = delete;

  std::vector<SaveFileCall> calls;
  std::deque<SaveFileChoice> answers;

 private:
  SaveFileChoice Record(const SaveFileCall& call);
  friend SaveFileChoice ChooseSaveFile(QWidget*, const QString&, const QString&,
                                       const QStringList&);
};

}  // namespace platform
