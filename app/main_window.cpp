#include "app/main_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QShortcut>
#include <utility>

#include "app/navigation_host.h"
#include "base/core/admin_tools_library.h"
#include "base/core/brand_profile.h"
#include "base/core/ini_file.h"
#include "base/core/phrases_library.h"
#include "base/core/startup_language.h"
#include "base/kit/client_align.h"
#include "base/kit/colours.h"
#include "base/kit/message_box.h"
#include "base/kit/widget_look.h"
#include "base/platform/locale.h"
#include "base/platform/text.h"
#include "config/about_screen.h"
#include "config/configuration_screen.h"
#include "config/settings_screen.h"
#include "device/bus_protocol_library.h"
#include "device/device_plugin_library.h"
#include "device/firmware_catalogue.h"
#include "device/screens/home_screen.h"
#include "online/screens/update_screen.h"
#include "ui_TForm1.h"

MainWindow* Form1 = nullptr;

namespace {

MainWindow::StartupCheckRunner& CheckRunner() {
  static MainWindow::StartupCheckRunner runner = [](const BrandProfile& brand, const char* database,
                                                    const char* version, const Phrases& phrases,
                                                    StartupCheckHost& host) {
    StartupCheck(brand, database, version, phrases, host);
  };
  return runner;
}

}  // namespace

// The layouts' pictures live in a static library; register them before use.
static void RegisterLayoutResources() { Q_INIT_RESOURCE(forms); }

namespace {

constexpr int kIconGap = 6;

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::TForm1>()) {
  Form1 = this;
  RegisterLayoutResources();

  // The window and its components, then the bar colour.
  ui_->setupUi(this);
  look::Paint(ui_->Bottom, look::kBar);

  catalogue_ = std::make_unique<FirmwareCatalogue>();

  brand_ = std::make_unique<BrandProfile>();

  // The language library, its phrases object and the interface language.
  language_ = std::make_unique<PhrasesLibrary>();
  if (language_->IsLoaded()) {
    phrases_ = language_->CreatePhrases();
    SelectStartupLanguage(Settings(), *language_, phrases_, platform::SystemDefaultLcid());
  }

  adminTools_ = std::make_unique<AdminToolsLibrary>();
  busProtocol_ = std::make_unique<BusProtocolLibrary>();
  for (std::size_t i = 0; i < devices_.size(); ++i)
    devices_[i] = std::make_unique<DevicePluginLibrary>(kDevicePlugins[i]);

  // Qt paints every widget double-buffered and composited; nothing to switch on.

  setWindowTitle(QString::fromUtf8(brand_->DisplayName().data(), brand_->DisplayName().size()) +
                 QLatin1Char(' ') +
                 QString::fromUtf8(brand_->Version().data(), brand_->Version().size()));

  programSetting_ = new SettingsScreen(nullptr, Settings(), PhraseSource(), [this] {
    if (programMain_ != nullptr) programMain_->RefreshTexts();
    if (frameAbout_ != nullptr) frameAbout_->RefreshTexts();
  });
  AlignToClient(programSetting_, this);
  programSetting_->hide();
  frameAbout_ = new AboutScreen(this, *brand_, PhraseSource());
  frameAbout_->hide();

  // The support address, never clipped: the field grows to its text.
  const QString email =
      QString::fromUtf8(brand_->SupportEmail().data(), brand_->SupportEmail().size());
  SupportAddress()->setText(email);
  const int textWidth = QFontMetrics(SupportAddress()->font()).horizontalAdvance(email) + 4;
  if (textWidth > SupportAddress()->width())
    SupportAddress()->resize(textWidth, SupportAddress()->height());

  HomeScreen::Actions actions;
  actions.enter = [this] { navigation_->OpenScreen(NavigationHost::kAdministration); };
  actions.viewArchive = [this] { navigation_->OpenScreen(NavigationHost::kArchive); };
  actions.connect = [this](const std::string& path, int speed, int address) {
    navigation_->StartConnection(path.c_str(), speed, address);
  };
  actions.findMeters = [this](const SerialPortEntry& port, std::vector<int> speeds, int speed) {
    navigation_->OpenFindMeters(port, std::move(speeds), speed);
  };
  programMain_ = new HomeScreen(nullptr, *brand_, Settings(), PhraseSource(), std::move(actions));
  AlignToClient(programMain_, ui_->Main);
  programMain_->show();

  NavigationContext context;
  context.window = this;
  context.programMain = programMain_;
  context.adminTools = adminTools_.get();
  context.busProtocol = busProtocol_.get();
  context.catalogue = catalogue_.get();
  context.phrases = PhraseSource();
  context.openConfiguration = [](std::uint8_t* closeFlag, KeldarDeviceRecord* record,
                                 KeldarBusPort* port, const KeldarBusProtocolLibrary* bus,
                                 const Phrases& phrases) -> QWidget* {
    return new DeviceConfigurationScreen(nullptr, closeFlag, record, port, bus, phrases);
  };
  for (std::size_t i = 0; i < devices_.size(); ++i) context.devicePlugins[i] = devices_[i].get();
  navigation_ = std::make_unique<NavigationHost>(context);

  platform::CopyToField(DatabaseName_, brand_->LocalDatabase());
  platform::CopyToField(ProgramVersion_, brand_->Version());

  programUpdate_ = new UpdateScreen(nullptr, *brand_, PhraseSource());
  AlignToClient(programUpdate_, this);
  programUpdate_->hide();

  DownloadIcon()->hide();

  // The version check runs before the window is first shown.
  RunStartupCheck();

  // The bottom bar's icons are buttons: the about box, the settings, the update.
  look::OnClick(AboutIcon(), [this] { Image1Click(); });
  look::OnClick(SettingsIcon(), [this] { Image4Click(); });
  look::OnClick(DownloadIcon(), [this] { Image2Click(); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &MainWindow::GoBack);
  ui_->Bottom->installEventFilter(this);
  ui_->Main->installEventFilter(this);
  FormResize();
}

MainWindow::~MainWindow() {
  // Screens first, then the objects, then the libraries they came from.
  // The update screen stops and joins its worker before anything it uses goes.
  delete std::exchange(programUpdate_, nullptr);
  delete std::exchange(frameAbout_, nullptr);
  delete std::exchange(programSetting_, nullptr);
  navigation_.reset();
  catalogue_.reset();
  brand_.reset();
  if (language_->IsLoaded()) language_->DeletePhrases(phrases_);
  phrases_ = nullptr;
  language_.reset();
  adminTools_.reset();
  busProtocol_.reset();
  for (auto& device : devices_) device.reset();
  Form1 = nullptr;
}

Phrases MainWindow::PhraseSource() const { return Phrases(language_.get(), phrases_); }

void MainWindow::FormResize() {
  if (frameAbout_ != nullptr) {
    frameAbout_->move(ui_->Main->width() / 2 - frameAbout_->width() / 2,
                      ui_->Main->height() / 2 - frameAbout_->height() / 2);
  }
  MailIcon()->move(5, MailIcon()->y());
  SupportAddress()->move(30, SupportAddress()->y());
  const int barWidth = ui_->Bottom->width();
  const int aboutLeft = barWidth - AboutIcon()->width();
  const int settingsLeft = aboutLeft - SettingsIcon()->width() - kIconGap;
  const int downloadLeft = settingsLeft - DownloadIcon()->width() - kIconGap;
  AboutIcon()->move(aboutLeft, 0);
  SettingsIcon()->move(settingsLeft, 0);
  DownloadIcon()->move(downloadLeft, 0);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && (watched == ui_->Bottom || watched == ui_->Main)) {
    FormResize();
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::GoBack() {
  if (frameAbout_ != nullptr && frameAbout_->isVisible()) {
    frameAbout_->hide();
    return;
  }
  // Only the screen on top: the last visible one in stacking order.
  const QObjectList& children = this->children();
  for (auto it = children.crbegin(); it != children.crend(); ++it) {
    auto* screen = qobject_cast<QWidget*>(*it);
    if (screen == nullptr || screen->isWindow() || !screen->isVisible() || screen == frameAbout_)
      continue;
    auto* back = screen->findChild<QWidget*>(QStringLiteral("Back"));
    if (back != nullptr && back->isVisible()) {
      // Pressed as the keyboard presses it, whichever kit drew the strip.
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
      QCoreApplication::sendEvent(back, &press);
    }
    return;
  }
}

void MainWindow::Image1Click() {
  frameAbout_->show();
  frameAbout_->raise();
}

void MainWindow::Image4Click() {
  programSetting_->show();
  programSetting_->raise();
}

void MainWindow::Image2Click() { RunStartupCheck(); }

void MainWindow::SetStartupCheckRunner(StartupCheckRunner runner) {
  CheckRunner() = std::move(runner);
}

void MainWindow::RunStartupCheck() {
  if (CheckRunner()) CheckRunner()(*brand_, DatabaseName_, ProgramVersion_, PhraseSource(), *this);
}

void MainWindow::HideProgramUpdate() {
  if (programUpdate_ != nullptr) programUpdate_->hide();
}

void MainWindow::ShowDownloadIcon(bool visible) { DownloadIcon()->setVisible(visible); }

int MainWindow::Ask(const QString& text, const QString& caption, unsigned flags) {
  return platform::ShowMessageBox(nullptr, text, caption, flags);
}

void MainWindow::StartUpdate(std::string id, std::string finger, std::string newVersion) {
  updateRequests_.push_back({id, finger, newVersion});
  if (programUpdate_ == nullptr) return;
  programUpdate_->raise();
  programUpdate_->StartUpdate(std::move(id), std::move(finger), std::move(newVersion));
}

// The controls by their role; their object names are the layout's.
QLineEdit* MainWindow::SupportAddress() const { return ui_->Edit1; }
QLabel* MainWindow::AboutIcon() const { return ui_->Image1; }
QLabel* MainWindow::DownloadIcon() const { return ui_->Image2; }
QLabel* MainWindow::SettingsIcon() const { return ui_->Image4; }
QLabel* MainWindow::MailIcon() const { return ui_->Image6; }
