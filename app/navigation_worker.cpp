#include "app/navigation_worker.h"

#include <QWidget>

#include "app/admin_tools_library.h"
#include "app/client_align.h"
#include "app/synchronize.h"
#include "config/language_library.h"
#include "device/bus_protocol_library.h"
#include "device/connection_screen.h"
#include "keldar/bus_protocol_types.h"
#include "platform/message_box.h"

namespace {

constexpr int kPollPeriodMs = 200;
constexpr int kStopCheckMs = 20;

}  // namespace

CTreadMainForm::CTreadMainForm(NavigationContext context) : context_(std::move(context)) {
  setObjectName(QStringLiteral("TreadMainForm"));  // the thread's name for debuggers
}

CTreadMainForm::~CTreadMainForm() {
  requestInterruption();
  wait();
  CloseScreens();
}

uint8_t CTreadMainForm::CloseRequested() const { return keldar_flag_get(&closeRequest_); }

void CTreadMainForm::run() {
  while (!isInterruptionRequested()) {
    if (CloseRequested() != 0) Synchronize(this, [this] { CloseScreens(); });
    // Sleep the poll period in short steps so that a stop is seen at once.
    for (int slept = 0; slept < kPollPeriodMs && !isInterruptionRequested(); slept += kStopCheckMs)
      msleep(kStopCheckMs);
  }
}

int CTreadMainForm::OpenScreen(int kind) {
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
  TProgramMain* home = context_.programMain;
  if (home != nullptr) home->ShowConnecting(true);
  portObject_ = keldar_bus_CreateCProcessComPort(bus->GetApi(), 0, 254, devicePath, 300);
  // Identification comes with the connect worker; until then the port is
  // released again and the home screen returns to idle.
  (void)speed;
  (void)address;
  keldar_bus_DeleteCProcessComPort(bus->GetApi(), portObject_);
  portObject_ = nullptr;
  if (home != nullptr) home->ShowConnecting(false);
}

void CTreadMainForm::CloseScreens() {
  const AdminToolsLibrary* admin = context_.adminTools;
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
