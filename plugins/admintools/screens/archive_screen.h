#pragma once

#include <QFrame>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "screens/readings_model.h"
#include "screens/screen_texts.h"
#include "store/archive.h"
#include "store/archive_error.h"

class QChartView;

namespace Ui {
class TProgramReadLocalArhiv;
}

namespace admintools {

// The local-archive screen: the readings device screens saved, newest first,
// filtered by kind of device, device, subscriber and period of reading, with
// their values and units; the
// list reads its rows a page at a time as it scrolls. A chosen device's
// readings are charted beside the list, and a counter that went backwards is
// marked in both. What the filters show can be exported to CSV or JSON.
// Leaving it sets the close flag.
class ArchiveScreen : public QFrame {
  Q_OBJECT

 public:
  using Column = ReadingsModel::Column;
  static constexpr int kColumnReadTime = ReadingsModel::kColumnReadTime;
  static constexpr int kColumnDevice = ReadingsModel::kColumnDevice;
  static constexpr int kColumnKind = ReadingsModel::kColumnKind;
  static constexpr int kColumnFirstQuantity = ReadingsModel::kColumnFirstQuantity;
  static constexpr int kColumnErrors = ReadingsModel::kColumnErrors;
  static constexpr int kColumnMeterTime = ReadingsModel::kColumnMeterTime;
  static constexpr int kColumnCount = ReadingsModel::kColumnCount;

  ArchiveScreen(uint8_t* closeFlag, ScreenTexts texts, std::string archiveFile = Archive::kFileName,
                QWidget* parent = nullptr);
  ~ArchiveScreen() override;

  // Reads the archive again, keeping the chosen kind, device and subscriber.
  void Refresh();
  // Asks whether to delete the selected readings; ConfirmDelete deletes them.
  void AskToDelete();
  void ConfirmDelete();
  void CancelDelete();
  // Asks for a file and writes what the filters show to it.
  void Export();

 private:
  void RefreshTexts();
  bool EnsureArchive();
  void ShowMessage(const QString& text);
  std::optional<DeviceKind> ChosenKind() const;
  std::optional<int64_t> ChosenDevice() const;
  std::optional<std::string> ChosenSubscriber() const;
  // The first and the last second of the chosen days, when chosen.
  std::optional<int64_t> PeriodStart() const;
  std::optional<int64_t> PeriodEnd() const;
  // What the kind, device, subscriber and period chosen select.
  ReadingFilter Filter() const;
  // False when the archive could not be read (the page then says why).
  bool LoadDevices();
  bool LoadSubscribers();
  void LoadReadings();
  void ShowColumnsFor(std::optional<DeviceKind> kind);
  void ShowChart();
  std::vector<ReadingKey> SelectedReadings() const;

  std::unique_ptr<Ui::TProgramReadLocalArhiv> ui_;
  uint8_t* closeFlag_;
  ScreenTexts texts_;
  std::string archiveFile_;
  std::unique_ptr<Archive> archive_;
  ReadingsModel* model_ = nullptr;  // owned by the screen
  QChartView* chart_ = nullptr;     // owned by its frame
  // Why the last page could not be read, when it could not.
  std::optional<ArchiveFailure> pageFailure_;
};

}  // namespace admintools
