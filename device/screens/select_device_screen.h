#pragma once

#include <QFrame>
#include <memory>
#include <vector>

#include "device/screens/navigation_context.h"

namespace Ui {
class TProgramSelectDevice;
}
class DeviceScreenHost;
class QLabel;
struct KeldarBusPort;

// One tile per identified device; a tile opens the device's work screen. With
// a single device the screen hides itself and opens that device at once.
class SelectDeviceScreen : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kTileWidth = 386;
  static constexpr int kTileHeight = 57;

  SelectDeviceScreen(QWidget* owner, uint8_t* closeRequest, KeldarBusPort* port,
                     NavigationContext context);
  ~SelectDeviceScreen() override;

  // Places the tiles and the title; runs on every resize.
  void Layout();
  const std::vector<QFrame*>& Tiles() const { return tiles_; }
  DeviceScreenHost& Worker() { return *worker_; }
  uint8_t* OwnCloseFlag() { return &closeFlag_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The controls by their role; their object names are the layout's.
  QLabel* BackCaption() const;
  void BuildTiles();
  void HoverTile(int tag);

  std::unique_ptr<Ui::TProgramSelectDevice> ui_;
  NavigationContext context_;
  uint8_t* closeRequest_;
  uint8_t closeFlag_ = 0;
  std::vector<QFrame*> tiles_;
  std::unique_ptr<DeviceScreenHost> worker_;
};
