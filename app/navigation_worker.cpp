#include "app/navigation_worker.h"

#include <QWidget>
#include <atomic>

#include "base/core/admin_tools_library.h"
#include "base/core/language_library.h"
#include "base/kit/client_align.h"
#include "base/kit/message_box.h"
#include "base/platform/synchronize.h"
#include "device/bus_protocol_library.h"
#include "device/configurator.h"
#include "device/connect_worker.h"
#include "device/port_problem.h"
#include "device/screens/connection_screen.h"
#include "device/screens/select_device_screen.h"
#include "keldar/bus_protocol_types.h"

namespace {

constexpr int kPollPeriodMs = 200;
constexpr int kStopCheckMs = 20;

}  // namespace

CTreadMainForm::CTreadMainForm(NavigationContext context) : context_(std::move(context)) {
  setObjectName(QStringLiteral("TreadMainForm"));  // the thread's name for debuggers
}

CTreadMainForm::~CTreadMainForm() {
  StopConnecting();
  requestInterruption();
  Join();
  CloseScreens();
}

uint8_t CTreadMainForm::CloseRequested() const { return keldar_flag_get(&closeRequest_); }

void CTreadMainForm::Work() {
  while (!isInterruptionRequested()) {
    if (CloseRequested() != 0) Synchronize(this, [this] { CloseScreens(); });
    // Sleep the poll period in short steps so that a stop is seen at once.
    for (int slept = 0; slept < kPollPeriodMs && !isInterruptionRequested(); slept += kStopCheckMs)
      msleep(kStopCheckMs);
  }
}

int CTreadMainForm::OpenScreen(int kind) {
  if (kind == kSelectDevice) {
    // The caller has hidden the home screen; CloseRequest stays as it is.
    selectDevice_ = new TProgramSelectDevice(nullptr, &closeRequest_, portObject_, context_);
    selectDevice_->setObjectName(QStringLiteral("ProgramSelectDeviceFrame1"));
    AlignToClient(selectDevice_, context_.window);
    if (Configurator().DeviceCount() != 1) selectDevice_->show();
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
  const CLanguageLibrary* language = context_.phrases.Library();
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

void CTreadMainForm::StartConnection(const char* devicePath, int speed, int address) {
  const BusProtocolLibrary* bus = context_.busProtocol;
  if (bus == nullptr || !bus->IsLoaded()) {
    ShowMissingComponent();
    return;
  }
  if (Connecting()) return;
  connectWorker_.reset();  // the previous run has ended
  if (context_.programMain != nullptr) context_.programMain->ShowConnecting(true);
  portObject_ =
      keldar_bus_CreateCProcessComPort(bus->GetApi(), 0, KELDAR_BUS_ADDRESS_ANY, devicePath, 300);
  // A port that will not open is the user's to fix: say why, and stay idle.
  if (const PortProblem* problem =
          PortProblemOf(keldar_bus_CProcessComPortGetOpenError(bus->GetApi(), portObject_))) {
    if (portObject_ != nullptr) keldar_bus_DeleteCProcessComPort(bus->GetApi(), portObject_);
    portObject_ = nullptr;
    if (context_.programMain != nullptr) context_.programMain->ShowConnecting(false);
    const bool fromLibrary = context_.phrases.Has(problem->key);
    const QString text = context_.phrases.Text(problem->key, QString::fromUtf8(problem->builtIn))
                             .replace(QStringLiteral("%s"), QString::fromUtf8(devicePath));
    platform::ShowMessageBox(nullptr, text, fromLibrary ? QString() : QStringLiteral("Ошибка"),
                             platform::kMbTaskModal | platform::kMbIconError);
    return;
  }

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
  connectWorker_ = std::make_unique<TFrameProgramSetting>(
      BusLink{bus->GetApi(), portObject_, {}}, IdentifyRequest{devicePath, speed, address},
      std::move(texts), *context_.catalogue, static_cast<IdentifyObserver&>(*this));
  connectWorker_->start();
}

bool CTreadMainForm::Connecting() const { return connectWorker_ && connectWorker_->isRunning(); }

void CTreadMainForm::StopConnecting() {
  if (!connectWorker_) return;
  connectWorker_->requestInterruption();
  connectWorker_->Join();
  connectWorker_.reset();
}

void CTreadMainForm::ShowProgress(int progress, const std::string& status) {
  Synchronize(this, [this, progress, status] {
    if (context_.programMain == nullptr) return;
    context_.programMain->SetProgress(progress);
    context_.programMain->SetStatus(QString::fromStdString(status));
  });
}

bool CTreadMainForm::OpenSelection() {
  // Shared, so a call the worker stopped waiting for still writes somewhere valid.
  auto opened = std::make_shared<std::atomic<bool>>(false);
  Synchronize(this, [this, opened] {
    if (context_.programMain != nullptr) context_.programMain->hide();
    *opened = OpenScreen(kSelectDevice) == 1;
  });
  return *opened;
}

void CTreadMainForm::DeviceInformationNotFound() {
  Synchronize(this, [this] {
    const char* key = "FRAME_PROGRAM_MAIN_INFORMATION_ABOUT_DEVICE_NOT_FOUND";
    const bool fromLibrary = context_.phrases.Has(key);
    platform::ShowMessageBox(nullptr,
                             context_.phrases.Text(key, "Информация про устройство не найдена."),
                             fromLibrary ? QString() : QStringLiteral("Ошибка"),
                             platform::kMbTaskModal | platform::kMbIconInformation);
  });
}

void CTreadMainForm::Finish(bool selectionOpened) {
  Synchronize(this, [this, selectionOpened] {
    if (context_.programMain != nullptr) context_.programMain->ShowConnecting(false);
    // Without a selection screen the worker releases the port right after.
    if (!selectionOpened) portObject_ = nullptr;
  });
}

void CTreadMainForm::CloseScreens() {
  const AdminToolsLibrary* admin = context_.adminTools;
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

void CTreadMainForm::ShowHome() const {
  if (context_.programMain != nullptr) context_.programMain->show();
}

void CTreadMainForm::ShowMissingComponent() const {
  const QString text =
      context_.phrases.Text("FRAME_PROGRAM_MAIN_NOT_MISSING_COMPONENT_RUNTHIS_MODE",
                            "Не хватает компонента для работы в этом режиме.");
  platform::ShowMessageBox(nullptr, text, QString(),
                           platform::kMbTaskModal | platform::kMbIconInformation);
}
