#include "app/navigation_host.h"

#include <QWidget>
#include <vector>

#include "base/core/admin_tools_library.h"
#include "base/core/file_messages.h"
#include "base/core/ini_file.h"
#include "base/core/phrases_library.h"
#include "base/kit/client_align.h"
#include "base/kit/message_box.h"
#include "base/platform/worker.h"
#include "device/bus_protocol_library.h"
#include "device/device_list.h"
#include "device/firmware_catalogue.h"
#include "device/identify_reason.h"
#include "device/screens/home_screen.h"
#include "device/screens/port_messages.h"
#include "device/screens/scan_screen.h"
#include "device/screens/select_device_screen.h"
#include "keldar/bus_protocol_types.h"

NavigationHost::NavigationHost(NavigationContext context)
    : context_(std::move(context)),
      closeWatch_(&closeRequest_, [this] { CloseScreens(); }),
      connectWorker_(*this) {
  setObjectName(QStringLiteral("TreadMainForm"));
}

NavigationHost::~NavigationHost() {
  closeWatch_.Stop();
  findMeters_.reset();  // stops and joins its scan
  StopConnecting();
  CloseScreens();
}

uint8_t NavigationHost::CloseRequested() const { return keldar_flag_get(&closeRequest_); }

int NavigationHost::OpenScreen(int kind) {
  if (kind == kSelectDevice) {
    // The caller has hidden the home screen; CloseRequest stays as it is.
    selectDevice_ = new SelectDeviceScreen(nullptr, &closeRequest_, portObject_, context_);
    selectDevice_->setObjectName(QStringLiteral("ProgramSelectDeviceFrame1"));
    AlignToClient(selectDevice_, context_.window);
    if (IdentifiedDevices().DeviceCount() != 1) selectDevice_->show();
    return 1;
  }
  if (kind != kAdministration && kind != kArchive) return 0;
  const AdminToolsLibrary* admin = context_.adminTools;
  if (admin == nullptr || !admin->IsLoaded()) {
    ShowMissingComponent();
    return 0;
  }
  if (context_.programMain != nullptr) context_.programMain->hide();

  const auto create =
      kind == kAdministration ? admin->CreateAdministration() : admin->CreateArchive();
  const PhrasesLibrary* language = context_.phrases.Library();
  auto* frame = static_cast<QWidget*>(create(nullptr, &closeRequest_, context_.phrases.Object(),
                                             language != nullptr ? language->GetApi() : nullptr));
  if (frame == nullptr) {
    ShowHome();
    return 0;
  }
  (kind == kAdministration ? administration_ : archive_) = frame;
  frame->setObjectName(kind == kAdministration ? QStringLiteral("ProgramAdministrationFrame1")
                                               : QStringLiteral("ProgramReadLocalArhivFrame1"));
  AlignToClient(frame, context_.window);
  frame->show();
  frame->raise();

  keldar_flag_set(&closeRequest_, 0);
  if (context_.programMain != nullptr) context_.programMain->hide();
  return 1;
}

void NavigationHost::StartConnection(const char* devicePath, int speed, int address,
                                     std::optional<mbus::Selection> selection) {
  const BusProtocolLibrary* bus = context_.busProtocol;
  if (bus == nullptr || !bus->IsLoaded()) {
    ShowMissingComponent();
    return;
  }
  if (Connecting()) return;
  connectWorker_.Stop();  // the previous run has ended; this joins its thread
  if (context_.programMain != nullptr) context_.programMain->ShowConnecting(true);
  // The run opens the port itself (a gateway may be slow to answer, or never
  // answer): the port is known once the selection opens.
  portObject_ = nullptr;

  IdentifyTexts texts;
  const Phrases& phrases = context_.phrases;
  texts.connecting =
      phrases.Text("FRAME_PROGRAM_MAIN_CONNECTING_DEVICE", QString::fromStdString(texts.connecting))
          .toStdString();
  texts.connected = phrases
                        .Text("FRAME_PROGRAM_MAIN_CONNECTION_ESTABLISHED",
                              QString::fromStdString(texts.connected))
                        .toStdString();
  texts.readingConfiguration = phrases
                                   .Text("FRAME_PROGRAM_MAIN_READ_DEVICE_CONFIGURATION",
                                         QString::fromStdString(texts.readingConfiguration))
                                   .toStdString();
  texts.fixedSpeed =
      phrases
          .Text("FRAME_PROGRAM_MAIN_GATEWAY_FIXED_SPEED", QString::fromStdString(texts.fixedSpeed))
          .toStdString();
  connecting_ = true;
  selectionPromised_.store(false);
  connectWorker_.Start(bus->GetApi(),
                       IdentifyRequest{devicePath, speed, address, std::move(selection)},
                       std::move(texts), *context_.catalogue);
}

bool NavigationHost::Connecting() const { return connecting_; }

void NavigationHost::StopConnecting() {
  connectWorker_.Stop();
  if (!connecting_) return;
  connecting_ = false;
  // The run's end was not handed over yet. The run deleted the port unless it
  // kept it for a selection screen that has not been opened.
  KeldarBusPort* port = connectWorker_.Port();
  if (selectionPromised_.load() && selectDevice_ == nullptr && port != nullptr)
    keldar_bus_DeleteCProcessComPort(context_.busProtocol->GetApi(), port);
  if (selectDevice_ == nullptr) portObject_ = nullptr;
}

void NavigationHost::ShowProgress(int progress, const std::string& status) {
  platform::HandOver(this, [this, progress, status] {
    if (context_.programMain == nullptr) return;
    context_.programMain->SetProgress(progress);
    context_.programMain->SetStatus(QString::fromStdString(status));
  });
}

bool NavigationHost::OpenSelection() {
  // The selection always opens; the port then stays for its screens.
  selectionPromised_.store(true);
  platform::HandOver(this, [this] {
    // A run stopped meanwhile has had its port deleted by StopConnecting.
    if (!connecting_) return;
    portObject_ = connectWorker_.Port();
    if (context_.programMain != nullptr) context_.programMain->hide();
    OpenScreen(kSelectDevice);
  });
  return true;
}

void NavigationHost::DeviceInformationNotFound() {
  platform::HandOver(this, [this] {
    const char* key = "FRAME_PROGRAM_MAIN_INFORMATION_ABOUT_DEVICE_NOT_FOUND";
    const bool fromLibrary = context_.phrases.Has(key);
    platform::ShowMessageBox(nullptr,
                             context_.phrases.Text(key, "Информация про устройство не найдена."),
                             fromLibrary ? QString() : QStringLiteral("Ошибка"),
                             platform::kMbTaskModal | platform::kMbIconInformation);
  });
}

void NavigationHost::NothingFound(const IdentifyExplanation& explanation) {
  const ReasonMessage* message = MessageOf(explanation.reason);
  if (message == nullptr) return;
  platform::HandOver(this, [this, message, explanation] {
    const QString text = context_.phrases.Text(message->key, QString::fromUtf8(message->builtIn));
    platform::ShowMessageBox(nullptr,
                             QString::fromStdString(Explained(text.toStdString(), explanation)),
                             QString(), platform::kMbTaskModal | platform::kMbIconWarning);
  });
}

void NavigationHost::Finish(bool selectionOpened) {
  platform::HandOver(this, [this, selectionOpened] {
    connecting_ = false;
    connectWorker_.Stop();  // the run has ended; its thread is joined here
    if (context_.programMain != nullptr) context_.programMain->ShowConnecting(false);
    // Without a selection screen the run has released the port.
    if (!selectionOpened) portObject_ = nullptr;
    ReportFileProblems();
  });
}

void NavigationHost::PortNotOpened(const PortProblem& problem, const std::string& path) {
  // The problem is one of the program's static descriptions.
  const PortProblem* said = &problem;
  platform::HandOver(this, [this, said, path] {
    connecting_ = false;
    connectWorker_.Stop();  // the run has ended; its thread is joined here
    if (context_.programMain != nullptr) context_.programMain->ShowConnecting(false);
    // A port that will not open is the user's to fix: say why, and stay idle.
    ShowPortProblem(context_.phrases, *said, path);
  });
}

void NavigationHost::ReportFileProblems() {
  // The run looked the meter up in the catalogue and stored port and speed.
  std::vector<FileMessage> problems;
  if (context_.catalogue != nullptr && context_.catalogue->Problem())
    problems.push_back(kCatalogueUnreadable);
  if (Settings().StoreProblem()) problems.push_back(kSettingsNotStored);
  for (const FileMessage& problem : problems) {
    platform::ShowMessageBox(nullptr,
                             context_.phrases.Text(problem.key, QString::fromUtf8(problem.builtIn)),
                             QString(), platform::kMbTaskModal | platform::kMbIconWarning);
  }
}

void NavigationHost::CloseScreens() {
  const AdminToolsLibrary* admin = context_.adminTools;
  CloseFindMeters();
  if (selectDevice_ != nullptr) {
    delete selectDevice_;
    selectDevice_ = nullptr;
    keldar_flag_set(&closeRequest_, 0);
    if (portObject_ != nullptr)
      keldar_bus_DeleteCProcessComPort(context_.busProtocol->GetApi(), portObject_);
    portObject_ = nullptr;
  }
  if (administration_ != nullptr) {
    admin->DeleteAdministration()(administration_);
    administration_ = nullptr;
    keldar_flag_set(&closeRequest_, 0);
  }
  if (archive_ != nullptr) {
    admin->DeleteArchive()(archive_);
    archive_ = nullptr;
    keldar_flag_set(&closeRequest_, 0);
  }
  ShowHome();
}

void NavigationHost::OpenFindMeters(const SerialPortEntry& port, std::vector<int> speeds,
                                    int speed) {
  if (Connecting() || findMeters_ != nullptr) return;
  ScanScreen::Actions actions;
  actions.back = [this] { CloseFindMeters(); };
  actions.connect = [this](const std::string& devicePath, int speed, const FoundMeter& meter) {
    ConnectToFound(devicePath, speed, meter);
  };
  findMeters_ =
      std::make_unique<ScanScreen>(nullptr, context_, ScanScreen::Port{port.path, port.name},
                                   std::move(speeds), speed, std::move(actions));
  findMeters_->setObjectName(QStringLiteral("ProgramFindMetersFrame1"));
  AlignToClient(findMeters_.get(), context_.window);
  if (context_.programMain != nullptr) context_.programMain->hide();
  findMeters_->show();
  findMeters_->raise();
}

void NavigationHost::CloseFindMeters() {
  if (findMeters_ == nullptr) return;
  // Left from its own button: it goes once that click is over.
  findMeters_->hide();
  findMeters_.release()->deleteLater();
  ShowHome();
}

void NavigationHost::ConnectToFound(const std::string& devicePath, int speed,
                                    const FoundMeter& meter) {
  CloseFindMeters();
  if (context_.programMain != nullptr) context_.programMain->SetProgress(0);
  if (meter.NeedsSelection())
    StartConnection(devicePath.c_str(), speed, mbus::kAddressSelected, SelectionOf(meter));
  else
    StartConnection(devicePath.c_str(), speed, meter.primaryAddress.value_or(0));
}

void NavigationHost::ShowHome() const {
  if (context_.programMain != nullptr) context_.programMain->show();
}

void NavigationHost::ShowMissingComponent() const {
  const QString text =
      context_.phrases.Text("FRAME_PROGRAM_MAIN_NOT_MISSING_COMPONENT_RUNTHIS_MODE",
                            "Не хватает компонента для работы в этом режиме.");
  platform::ShowMessageBox(nullptr, text, QString(),
                           platform::kMbTaskModal | platform::kMbIconInformation);
}
