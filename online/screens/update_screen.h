#pragma once

#include <QFrame>
#include <cstdint>
#include <memory>
#include <string>

#include "base/core/phrases.h"
#include "online/update_run.h"

class QLabel;
class QProgressBar;

namespace Ui {
class TProgramUpdate;
}
class BrandProfile;
class UpdateWorker;

// The screen shown while an update downloads: a heading, the progress gauge
// and a panel that stops the update. The main window creates the one
// instance at start-up, hidden; the start-up check starts updates through it.
// It owns its worker, so the worker stays valid between the still-active test
// and the stop, and destroying the screen stops the worker and waits for it.
class UpdateScreen : public QFrame {
  Q_OBJECT

 public:
  UpdateScreen(QWidget* parent, const BrandProfile& brand, Phrases phrases);
  ~UpdateScreen() override;

  // The user accepted the server's version: fetches the file list (blocking,
  // at most kGaugeListBudget, to size the gauge), starts the worker and shows
  // the screen.
  void StartUpdate(std::string id, std::string finger, std::string newVersion);
  // Hides the screen and stops a running update, telling the user.
  void Panel1Click();
  // Centres the heading, the gauge and the panel horizontally.
  void FrameResize();
  void RefreshTexts();

  // How updates reach the server and hand over to the script; the edition's
  // by default. Tests keep the process alive and point it at a local server.
  void SetEnvironment(UpdateEnvironment environment);
  const UpdateEnvironment& Environment() const { return environment_; }

  // The current worker, or null; for tests.
  UpdateWorker* Worker() const { return worker_.get(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The controls by their role; their object names are the layout's.
  QLabel* Heading() const;
  QProgressBar* Gauge() const;
  QLabel* AbortButton() const;
  void AdvanceGauge(std::int32_t step);
  void WorkerEnded(const UpdateWorker* worker);
  void StopWorker();
  void TellFailure(const UpdateResult& result);

  std::unique_ptr<Ui::TProgramUpdate> ui_;
  Phrases phrases_;
  UpdateEnvironment environment_;
  std::unique_ptr<UpdateWorker> worker_;
  bool stopRequested_ = false;  // the user stopped worker_; it no longer counts as running
  std::int64_t progress_ = 0;
  std::int64_t maximum_ = 0;
  std::uint64_t generation_ = 0;  // which update the gauge belongs to
};
