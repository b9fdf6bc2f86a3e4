#pragma once

#include <QFrame>
#include <memory>
#include <vector>

#include "base/core/phrases.h"
#include "device/configuration_messages.h"

class QLabel;

namespace Ui {
class TProgramConfigurationDevice;
}
struct KeldarBusPort;
struct KeldarBusProtocolLibrary;
struct KeldarDeviceRecord;

// The device configuration screen: device type, serial number, and primary
// and secondary M-Bus address of one identified meter.
class DeviceConfigurationScreen : public QFrame {
  Q_OBJECT

 public:
  // Reads the meter's current addresses before it returns.
  DeviceConfigurationScreen(QWidget* owner, uint8_t* closeFlag, KeldarDeviceRecord* record,
                            KeldarBusPort* port, const KeldarBusProtocolLibrary* bus,
                            Phrases phrases);
  ~DeviceConfigurationScreen() override;

  void ButtonSetDeviceTypeClick();
  void ButtonSetSerialNumberClick();
  void ButtonSetDeviceAdressClick();
  void MaskEditPrimaryAddressKeyUp();
  void MaskEditSecondaryAddressKeyUp();
  void RefreshTexts();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The controls by their role; their object names are the layout's.
  QLabel* BackCaption() const;
  void FillDeviceTypes();
  void Show(ConfigurationEvent event) const;
  void Layout();
  // The edit's text with its unfilled positions as blanks.
  static std::string EditText(const class QLineEdit* edit);

  std::unique_ptr<Ui::TProgramConfigurationDevice> ui_;
  uint8_t* closeFlag_;
  KeldarDeviceRecord* record_;
  std::unique_ptr<DeviceConfiguration> configuration_;
  Phrases phrases_;
  std::vector<int> codes_;
  std::vector<QString> descriptions_;
};
