#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/core/phrases.h"
#include "online/startup_check.h"

class QLabel;
class QLineEdit;

namespace Ui {
class TForm1;
}
class AdminToolsLibrary;
class BrandProfile;
class BusProtocolLibrary;
class PhrasesLibrary;
class NavigationHost;
class DevicePluginLibrary;
class FirmwareCatalogue;
class AboutScreen;
class UpdateScreen;
class HomeScreen;
class SettingsScreen;

// The program's one top-level window. Its constructor is the start-up
// sequence of the whole system; its destructor tears it down in the reverse,
// fixed order, unloading the plug-in libraries last.
class MainWindow : public QWidget, private StartupCheckHost {
  Q_OBJECT

 public:
  // How the window runs its version check; tests point it at a local server
  // or leave it out. The default asks the edition's server.
  using StartupCheckRunner =
      std::function<void(const BrandProfile&, const char* databaseName, const char* programVersion,
                         const Phrases&, StartupCheckHost&)>;
  static void SetStartupCheckRunner(StartupCheckRunner runner);

  // An update the user accepted: the server's id, finger and version.
  struct UpdateRequest {
    std::string id;
    std::string finger;
    std::string newVersion;
  };

  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // Places the bottom-bar icons and centres the about box; runs on every resize.
  void FormResize();

  const BrandProfile& Brand() const { return *brand_; }
  FirmwareCatalogue& Catalogue() const { return *catalogue_; }
  const PhrasesLibrary& Language() const { return *language_; }
  Phrases PhraseSource() const;
  const AdminToolsLibrary& AdminTools() const { return *adminTools_; }
  const BusProtocolLibrary& BusProtocol() const { return *busProtocol_; }
  const DevicePluginLibrary& DevicePlugin(std::size_t index) const { return *devices_.at(index); }

  const char* DatabaseName() const { return DatabaseName_; }
  const std::vector<UpdateRequest>& UpdateRequests() const { return updateRequests_; }
  // Runs the version check again (the download icon's click).
  void RunStartupCheck();
  const char* ProgramVersion() const { return ProgramVersion_; }

  HomeScreen* ProgramMain() const { return programMain_; }
  SettingsScreen* ProgramSetting() const { return programSetting_; }
  AboutScreen* FrameAbout() const { return frameAbout_; }
  UpdateScreen* ProgramUpdate() const { return programUpdate_; }
  NavigationHost* Navigation() const { return navigation_.get(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The controls by their role; their object names are the layout's.
  QLineEdit* SupportAddress() const;
  QLabel* AboutIcon() const;
  QLabel* DownloadIcon() const;
  QLabel* SettingsIcon() const;
  QLabel* MailIcon() const;
  // Escape: closes the about box, else presses the back strip of the screen on top.
  void GoBack();
  void Image1Click();
  void Image4Click();
  void Image2Click();

  // What the version check does to the window.
  void HideProgramUpdate() override;
  void ShowDownloadIcon(bool visible) override;
  int Ask(const QString& text, const QString& caption, unsigned flags) override;
  void StartUpdate(std::string id, std::string finger, std::string newVersion) override;

  std::unique_ptr<Ui::TForm1> ui_;
  std::unique_ptr<FirmwareCatalogue> catalogue_;
  std::unique_ptr<BrandProfile> brand_;
  std::unique_ptr<PhrasesLibrary> language_;
  void* phrases_ = nullptr;
  std::unique_ptr<AdminToolsLibrary> adminTools_;
  std::unique_ptr<BusProtocolLibrary> busProtocol_;
  std::array<std::unique_ptr<DevicePluginLibrary>, 5> devices_;
  SettingsScreen* programSetting_ = nullptr;  // children of the window
  AboutScreen* frameAbout_ = nullptr;
  HomeScreen* programMain_ = nullptr;
  UpdateScreen* programUpdate_ = nullptr;
  std::unique_ptr<NavigationHost> navigation_;
  std::vector<UpdateRequest> updateRequests_;
  char DatabaseName_[50] = {};
  char ProgramVersion_[50] = {};
};

// The main window, set from the start of its construction until its destruction.
extern MainWindow* Form1;
