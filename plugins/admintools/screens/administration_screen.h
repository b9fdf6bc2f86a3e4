#pragma once

#include <QFrame>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "screens/screen_texts.h"
#include "store/archive.h"

namespace Ui {
class TProgramAdministration;
}

namespace admintools {

// The administration screen: the archive's subscribers and, for the one
// selected, its objects (the places meters belong to), each listed, added,
// edited and deleted after a confirmation; an object's form also chooses which
// of the archive's devices belong to it. Leaving it sets the close flag.
class AdministrationScreen : public QFrame {
  Q_OBJECT

 public:
  AdministrationScreen(uint8_t* closeFlag, ScreenTexts texts,
                       std::string archiveFile = Archive::kFileName, QWidget* parent = nullptr);
  ~AdministrationScreen() override;

 private:
  void RefreshTexts();
  void ConnectControls();
  bool OpenArchive();
  // Runs an archive operation; a refusal is shown in `errorLabel` (or the
  // status line) and gives false.
  bool Run(const std::function<void()>& operation, class QLabel* errorLabel = nullptr);

  void LoadSubscribers(int64_t selectId = 0);
  void LoadObjects(int64_t selectId = 0);
  void UpdateButtons();
  const Subscriber* SelectedSubscriber() const;
  const Object* SelectedObject() const;

  void ShowLists();
  void OpenSubscriberForm(const Subscriber* subscriber);
  void SaveSubscriber();
  void OpenObjectForm(const Object* object);
  void SaveObject();

  void AskToDelete(const QString& question, std::function<void()> deletion);
  void ConfirmDelete();
  void CancelDelete();
  void DeleteSubscriber();
  void DeleteObject();

  std::unique_ptr<Ui::TProgramAdministration> ui_;
  uint8_t* closeFlag_;
  ScreenTexts texts_;
  std::string archiveFile_;
  std::unique_ptr<Archive> archive_;
  std::vector<Subscriber> subscribers_;
  std::vector<Object> objects_;
  std::vector<Device> devices_;
  int64_t editingId_ = 0;  // the row a form edits; 0 while adding
  std::function<void()> pendingDeletion_;
};

}  // namespace admintools
