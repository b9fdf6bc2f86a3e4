#include "base/kit/file_dialog.h"

#include <QFileDialog>

namespace platform {
namespace {

SaveFileRecorder* gRecorder = nullptr;

}  // namespace

SaveFileRecorder::SaveFileRecorder() { gRecorder = this; }

SaveFileRecorder::~SaveFileRecorder() {
  if (gRecorder == this) gRecorder = nullptr;
}

SaveFileChoice SaveFileRecorder::Record(const SaveFileCall& call) {
  calls.push_back(call);
  if (answers.empty()) return {};
  SaveFileChoice answer = answers.front();
  answers.pop_front();
  return answer;
}

SaveFileChoice ChooseSaveFile(QWidget* owner, const QString& caption, const QString& proposed,
                              const QStringList& filters) {
  if (gRecorder != nullptr) return gRecorder->Record({caption, proposed, filters, owner});

  // Qt's own dialog: it looks the same on every desktop and speaks the
  // program's language rather than the desktop's.
  QFileDialog dialog(owner, caption);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(filters);
  for (const QString& filter : filters) {
    const auto star = filter.indexOf(QStringLiteral("*."));
    const auto close = filter.indexOf(QLatin1Char(')'), star);
    if (star < 0 || close < 0) continue;
    if (proposed.endsWith(filter.mid(star + 1, close - star - 1), Qt::CaseInsensitive)) {
      dialog.selectNameFilter(filter);
      break;
    }
  }
  dialog.selectFile(proposed);
  dialog.setWindowModality(Qt::ApplicationModal);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return {dialog.selectedFiles().front(), dialog.selectedNameFilter()};
}

}  // namespace platform
