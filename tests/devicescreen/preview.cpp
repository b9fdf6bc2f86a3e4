// devicescreen-preview: one device screen against a simulated meter, in a
// window of the main window's size, for looking at (and screenshots).
//   devicescreen-preview PLUGIN.so METER.ini ADDRESS [LANGUAGE-ID] [--save] [--quit-after MS]
//                        [--type MEDIUM] [--model TEXT] [--serial DIGITS]
#include <QApplication>
#include <QFont>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "device_plugin.h"
#include "libraries.h"
#include "screen_support.h"
#include "sim_process.h"

using namespace devicescreen::test;
using keldar::bus::test::MeterFile;
using keldar::bus::test::SimProcess;

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"));
  if (argc < 4) {
    std::fputs(
        "usage: devicescreen-preview PLUGIN.so METER.ini ADDRESS [LANGUAGE-ID] [--save]"
        " [--quit-after MS] [--type MEDIUM] [--model TEXT] [--serial DIGITS]\n",
        stderr);
    return 2;
  }
  int language = 0;
  bool save = false;
  int quitAfter = 0;
  KeldarDeviceRecord device = HeatDevice(static_cast<std::uint8_t>(std::atoi(argv[3])));
  for (int i = 4; i < argc; ++i) {
    const bool valued = i + 1 < argc;
    if (std::strcmp(argv[i], "--save") == 0)
      save = true;
    else if (std::strcmp(argv[i], "--quit-after") == 0 && valued)
      quitAfter = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--type") == 0 && valued)
      device.device_type = static_cast<std::uint8_t>(std::atoi(argv[++i]));
    else if (std::strcmp(argv[i], "--model") == 0 && valued)
      std::snprintf(device.model, sizeof device.model, "%s", argv[++i]);
    else if (std::strcmp(argv[i], "--serial") == 0 && valued)
      std::snprintf(device.serial, sizeof device.serial, "%s", argv[++i]);
    else
      language = std::atoi(argv[i]);
  }

  // A meter file named by a path is taken as it is, otherwise from the simulator's folder.
  SimProcess sim({argv[2][0] == '/' ? std::string(argv[2]) : MeterFile(argv[2])});
  BusLibrary bus;
  AdminLibrary admin;
  LanguageLibrary phrasesLibrary;
  DevicePlugin plugin(argv[1]);
  if (sim.Path().empty() || !bus.Loaded() || !plugin.Loaded()) return 1;
  void* phrases = nullptr;
  if (language != 0 && phrasesLibrary.Loaded()) {
    phrases =
        reinterpret_cast<KeldarPhrasesCreateFn>(phrasesLibrary.get()->CreateCSQLite3Phrases)();
    reinterpret_cast<KeldarSetSelectLangFn>(phrasesLibrary.get()->SetSelectLang.entry)(phrases,
                                                                                       language);
  }
  KeldarBusPort* port = keldar_bus_CreateCProcessComPort(bus.get(), 0, KELDAR_BUS_ADDRESS_ANY,
                                                         sim.Path().c_str(), 2400);
  std::uint8_t closeFlag = 0;
  QWidget* frame = plugin.Create(port, bus.get(), phrases, phrasesLibrary.get(), admin.get(),
                                 &device, &closeFlag);
  frame->setWindowTitle(QStringLiteral("Device screen"));
  frame->resize(891, 540);
  frame->show();

  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (keldar_flag_get(&closeFlag) != 0) application.quit();
    if (save && Control(*frame, "PanelButtonSave").isEnabled()) {
      save = false;
      Click(Control(*frame, "PanelButtonSave"));
    }
  });
  poll.start(200);
  if (quitAfter > 0) QTimer::singleShot(quitAfter, &application, &QApplication::quit);
  const int result = application.exec();
  plugin.Delete(frame);
  keldar_bus_DeleteCProcessComPort(bus.get(), port);
  if (phrases != nullptr)
    reinterpret_cast<KeldarPhrasesDeleteFn>(phrasesLibrary.get()->DeleteCSQLite3Phrases)(phrases);
  return result;
}
