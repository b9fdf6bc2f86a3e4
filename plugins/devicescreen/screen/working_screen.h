#pragma once

#include <QFrame>
#include <memory>

#include "core/device_flavour.h"
#include "core/meter_record.h"
#include "keldar/device_plugin_api.h"
#include "screen/read_job.h"
#include "screen/screen_texts.h"

namespace Ui {
class TMainFrame;
}

namespace devicescreen {

// What the shell hands to a device screen; every pointer stays valid while
// the screen exists.
struct FrameArguments {
  KeldarBusPort* port = nullptr;
  const KeldarBusProtocolLibrary* bus = nullptr;
  void* phrases = nullptr;
  const KeldarLanguageLibrary* language = nullptr;
  const KeldarAdminToolsLibrary* adminTools = nullptr;
  KeldarDeviceRecord device{};
  std::uint8_t* closeFlag = nullptr;
};

// The working screen of one meter: who it is, what it reads now, and saving
// that reading into the local archive. The first read starts at once.
class WorkingScreen : public QFrame {
  Q_OBJECT

 public:
  WorkingScreen(const FrameArguments& arguments, const DeviceFlavour& flavour,
             QWidget* parent = nullptr);
  ~WorkingScreen() override;

  // Starts a read unless one is running.
  void Refresh();
  void SaveToArchive();
  bool ReadRunning() const { return reading_; }
  const MeterReading& LastReading() const { return last_; }

 private:
  enum class Tone { Neutral, Good, Bad };

  void RefreshTexts();
  void ShowIdentity();
  void ShowOutcome(ReadOutcome outcome);
  void ShowMessage(const QString& text, Tone tone);
  void UpdateCommands();
  void Leave();

  std::unique_ptr<Ui::TMainFrame> ui_;
  FrameArguments arguments_;
  DeviceFlavour flavour_;
  ScreenTexts texts_;
  MeterReading last_;  // the last complete reading; empty until one arrives
  bool reading_ = false;
  ReadJob job_;  // declared last: stopped and joined before anything it reports to
};

}  // namespace devicescreen
