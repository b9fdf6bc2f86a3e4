#include "device/screens/device_screen_host.h"

#include <QWidget>
#include <cstring>

#include "base/bus/selection.h"
#include "base/core/admin_tools_library.h"
#include "base/core/phrases_library.h"
#include "base/kit/client_align.h"
#include "base/kit/message_box.h"
#include "device/bus_protocol_library.h"
#include "device/device_dispatch.h"
#include "device/device_list.h"
#include "device/device_plugin_library.h"
#include "device/device_record.h"
#include "device/screens/home_screen.h"

DeviceScreenHost::DeviceScreenHost(NavigationContext context, KeldarBusPort* port,
                                   uint8_t* closeFlag)
    : context_(std::move(context)),
      port_(port),
      closeFlag_(closeFlag),
      closeWatch_(closeFlag, [this] { CloseDeviceScreens(); }) {
  setObjectName(QStringLiteral("TreadSelectDevice"));
}

DeviceScreenHost::~DeviceScreenHost() {
  closeWatch_.Stop();
  CloseDeviceScreens();
}

void DeviceScreenHost::OpenDevice(int index) {
  KeldarDeviceRecord* record = IdentifiedDevices().Device(static_cast<std::size_t>(index - 1));
  if (record == nullptr) return;
  const BusProtocolLibrary* bus = context_.busProtocol;

  std::array<bool, 5> loaded{};
  for (std::size_t i = 0; i < loaded.size(); ++i)
    loaded[i] = context_.devicePlugins[i] != nullptr && context_.devicePlugins[i]->IsLoaded();
  const std::string_view manufacturer(record->manufacturer,
                                      ::strnlen(record->manufacturer, sizeof record->manufacturer));
  const DeviceChoice choice = ChooseDeviceTarget(record->device_type, manufacturer, loaded);
  if (choice.target == DeviceTarget::Missing) {
    const bool water = record->device_type == 22 || record->device_type == 23;
    ShowMissingComponent(water && (bus == nullptr || !bus->IsLoaded()));
    keldar_flag_set(closeFlag_, 1);
    return;
  }
  if (bus == nullptr || !bus->IsLoaded() || !ReachMeter(*record)) return;

  if (context_.programMain != nullptr) context_.programMain->hide();
  if (choice.target == DeviceTarget::Configuration) {
    if (!context_.openConfiguration) return;
    configuration_ =
        context_.openConfiguration(closeFlag_, record, port_, bus->GetApi(), context_.phrases);
    if (configuration_ == nullptr) return;
    Host(configuration_, "ConfigurationDeviceFrame1");
    return;
  }
  const auto slot = static_cast<std::size_t>(choice.plugin);
  const DevicePluginLibrary& plugin = *context_.devicePlugins[slot];
  const PhrasesLibrary* language = context_.phrases.Library();
  auto* frame = static_cast<QWidget*>(plugin.CreateMainFrame()(
      nullptr, port_, bus->GetApi(), context_.catalogue, context_.phrases.Object(),
      language != nullptr ? language->GetApi() : nullptr,
      context_.adminTools != nullptr ? context_.adminTools->GetApi() : nullptr, record,
      closeFlag_));
  if (frame == nullptr) return;
  frames_[slot] = frame;
  Host(frame, plugin.Info().componentName);
}

bool DeviceScreenHost::AnyScreenOpen() const {
  if (configuration_ != nullptr) return true;
  for (QWidget* frame : frames_) {
    if (frame != nullptr) return true;
  }
  return false;
}

void DeviceScreenHost::Host(QWidget* screen, const char* name) {
  screen->setObjectName(QString::fromLatin1(name));
  AlignToClient(screen, context_.window);
  screen->show();
  screen->raise();
}

bool DeviceScreenHost::ReachMeter(const KeldarDeviceRecord& record) {
  if (record.address == mbus::kAddressAny) return true;
  const auto* lib = context_.busProtocol->GetApi();
  if (!mbus::Select({lib, port_, {}}, IdentifiedDevices().SelectionReaching(record))) return false;
  keldar_bus_CProcessComPortSetAdress(lib, port_, mbus::kAddressSelected);
  return true;
}

void DeviceScreenHost::CloseDeviceScreens() {
  const auto* lib = context_.busProtocol != nullptr ? context_.busProtocol->GetApi() : nullptr;
  const auto backTo254 = [&] {
    if (lib != nullptr && lib->module != nullptr && port_ != nullptr)
      keldar_bus_CProcessComPortSetAdress(lib, port_, KELDAR_BUS_ADDRESS_ANY);
  };
  if (configuration_ != nullptr) {
    delete configuration_;
    configuration_ = nullptr;
    backTo254();
  }
  for (std::size_t i = 0; i < frames_.size(); ++i) {
    if (frames_[i] == nullptr) continue;
    context_.devicePlugins[i]->DeleteMainFrame()(frames_[i]);
    frames_[i] = nullptr;
    backTo254();
  }
  // With one device the flag stays set, so the host returns to the home screen.
  if (IdentifiedDevices().DeviceCount() != 1) keldar_flag_set(closeFlag_, 0);
}

void DeviceScreenHost::ShowMissingComponent(bool busMissing) const {
  const Phrases& phrases = context_.phrases;
  if (busMissing) {
    platform::ShowMessageBox(nullptr,
                             phrases.Text("FRAME_PROGRAM_MAIN_NOT_MISSING_COMPONENT_RUNTHIS_MODE",
                                          "Не хватает компонента для работы в этом режиме."),
                             QString(), platform::kMbTaskModal | platform::kMbIconInformation);
    return;
  }
  const char* key = "FRAME_PROGRAM_MAIN_NOT_ENOUGH_COMPONENTS_WORK_WITH_DEVICE";
  const bool fromLibrary = phrases.Has(key);
  platform::ShowMessageBox(nullptr,
                           phrases.Text(key, "Не хватает компонента для работы c устройством."),
                           fromLibrary ? QString() : QStringLiteral("Ошибка"),
                           platform::kMbTaskModal | platform::kMbIconError);
}
