#pragma once

#include <QFrame>
#include <QMovie>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "base/core/phrases.h"
#include "device/serial_ports.h"

class QLabel;
class QProgressBar;
class QWidget;

namespace Ui {
class TProgramMain;
}
class BrandProfile;
class IniFile;

// The home screen: administration, local archive, and the connection column
// where the technician picks port, speed and address and connects.
class HomeScreen : public QFrame {
  Q_OBJECT

 public:
  // What the screen's buttons ask of the navigation host.
  struct Actions {
    std::function<void()> enter;
    std::function<void()> viewArchive;
    std::function<void(const std::string& devicePath, int speed, int address)> connect;
    // Opens the meter search on the chosen port, offering `speeds` with `speed` chosen.
    std::function<void(const SerialPortEntry& port, std::vector<int> speeds, int speed)> findMeters;
  };

  HomeScreen(QWidget* parent, const BrandProfile& brand, IniFile& settings, Phrases phrases,
             Actions actions);
  ~HomeScreen() override;

  // Applies the phrases again and lays the screen out (after a language change).
  void RefreshTexts();
  // Switches between the idle controls and the progress bar with status line.
  void ShowConnecting(bool connecting);
  void SetStatus(const QString& text);
  void SetProgress(int progress);
  int Progress() const;
  // Rebuilds the port list (serial ports, then the gateways used before),
  // keeping item 0 selected.
  void FillPortList();
  // The connect button's work, also run by tests.
  void ConnectClick();
  // The find-meters button's work, also run by tests.
  void FindMetersClick();
  // Whether the port list holds a malformed tcp:// address, as marked.
  bool PortMarkedMalformed() const;

  const std::vector<SerialPortEntry>& Ports() const { return ports_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The controls by their role; their object names are the layout's.
  QWidget* AdministrationColumn() const;
  QWidget* ArchiveColumn() const;
  QWidget* ConnectionColumn() const;
  QLabel* ConnectionCaption() const;
  QLabel* ArchiveCaption() const;
  QLabel* AdministrationCaption() const;
  QLabel* BrandLogo() const;
  QLabel* ArchivePicture() const;
  QLabel* AdministrationPicture() const;
  QProgressBar* ConnectProgress() const;
  QLabel* LeftSeparator() const;
  QLabel* RightSeparator() const;
  void SelectStored(IniFile& settings);
  void WireButtons();
  void PaintButtons(QWidget* hovered);
  void RefreshPortsClick();
  // True when a port and a speed are chosen; says what is missing otherwise.
  bool PortAndSpeedChosen();
  void Layout();
  // The device path of the port chosen or typed (a tcp:// gateway may be typed).
  std::string ChosenPath() const;
  // Marks a typed gateway address that cannot be opened, as it is typed.
  void MarkTypedPort();

  std::unique_ptr<Ui::TProgramMain> ui_;
  Phrases phrases_;
  Actions actions_;
  IniFile& settings_;
  std::vector<SerialPortEntry> ports_;
  QMovie refreshAnimation_;
  QTimer refreshTimer_;
};
