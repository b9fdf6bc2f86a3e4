#pragma once

#include <QFrame>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "screens/screen_texts.h"
#include "store/archive.h"

class QChartView;

namespace Ui {
class TProgramReadLocalArhiv;
}

namespace admintools {

// The local-archive screen: the readings device screens saved, newest first,
// filtered by kind of device and by device, with their values and units. A
// chosen device's readings are charted beside the list, and a counter that
// went backwards is marked in both. What the filters show can be exported to
// CSV or JSON. Leaving it sets the close flag.
class ArchiveScreen : public QFrame {
  Q_OBJECT

 public:
  // Table columns: the read time, the device, its kind, one per quantity (in
  // the order of Quantity), the error flags and the meter's own time.
  enum Column {
    kColumnReadTime,
    kColumnDevice,
    kColumnKind,
    kColumnFirstQuantity,
    kColumnErrors = kColumnFirstQuantity + static_cast<int>(kQuantityCount),
    kColumnMeterTime,
    kColumnCount
  };
  // The newest readings shown; older ones are counted but not listed.
  static constexpr int kShownReadings = 5000;

  ArchiveScreen(uint8_t* closeFlag, ScreenTexts texts, std::string archiveFile = Archive::kFileName,
                QWidget* parent = nullptr);
  ~ArchiveScreen() override;

  // Reads the archive again, keeping the chosen kind and device.
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
  // False when the archive could not be read (the page then says why).
  bool LoadDevices();
  void LoadReadings();
  void ShowColumnsFor(std::optional<DeviceKind> kind);
  void MarkBackwards(const std::vector<DeviceReading>& readings);
  void ShowChart(const std::vector<DeviceReading>& readings);
  std::vector<ReadingKey> SelectedReadings() const;

  std::unique_ptr<Ui::TProgramReadLocalArhiv> ui_;
  uint8_t* closeFlag_;
  ScreenTexts texts_;
  std::string archiveFile_;
  std::unique_ptr<Archive> archive_;
  QChartView* chart_ = nullptr;  // owned by its frame
};

}  // namespace admintools
