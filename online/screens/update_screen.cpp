#include "online/screens/update_screen.h"

#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>
#include <limits>

#include "base/core/brand_profile.h"
#include "base/kit/fonts.h"
#include "base/kit/message_box.h"
#include "base/kit/widget_look.h"
#include "online/screens/update_messages.h"
#include "online/update_worker.h"
#include "ui_TProgramUpdate.h"

namespace {

constexpr const char* kUpdateKey = "FRAME_PROGRAM_UPDATE_UPDATE";
constexpr const char* kAbortKey = "FRAME_PROGRAM_UPDATE_ABORT";
constexpr const char* kInterruptedKey = "FRAME_PROGRAM_UPDATE_UPDATE_INTERRUPTED";

const QString kUpdateText = QStringLiteral("Обновление");
const QString kAbortText = QStringLiteral("Прервать");
const QString kInterruptedText = QStringLiteral("Обновление прервано.");
const QString kErrorCaption = QStringLiteral("Ошибка");

constexpr int kHeadingPixels = 32;
constexpr int kPanelPixels = 11;
constexpr unsigned kErrorFlags = platform::kMbIconError | platform::kMbTaskModal;  // 0x2010

// The heading's box is drawn for Tahoma; where another face stands in and is
// wider, the text steps down a pixel at a time until it fits the box whole.
void FitHeading(QLabel* label) {
  constexpr int kSmallest = 12;
  int pixels = kHeadingPixels;
  look::SetPixelSize(label, pixels);
  while (pixels > kSmallest &&
         QFontMetrics(label->font()).horizontalAdvance(label->text()) > label->width()) {
    look::SetPixelSize(label, --pixels);
  }
}

QString FromBytes(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

UpdateScreen::UpdateScreen(QWidget* parent, const BrandProfile& brand, Phrases phrases)
    : QFrame(parent),
      ui_(std::make_unique<Ui::TProgramUpdate>()),
      phrases_(phrases),
      environment_(UpdateEnvironment::FromProfile(brand)) {
  ui_->setupUi(this);
  look::Paint(this, look::kWhite);
  look::Paint(ui_->Background, look::kWhite);
  look::Paint(AbortButton(), look::kBlack);
  look::PaintText(AbortButton(), look::kWhite);
  look::SetPixelSize(AbortButton(), kPanelPixels);
  Gauge()->setRange(0, 1);
  Gauge()->setValue(0);
  look::OnClick(AbortButton(), [this] { Panel1Click(); });
  RefreshTexts();
}

UpdateScreen::~UpdateScreen() {
  // The worker reports to this screen: it is stopped and joined first.
  StopWorker();
}

void UpdateScreen::SetEnvironment(UpdateEnvironment environment) {
  environment_ = std::move(environment);
}

void UpdateScreen::RefreshTexts() {
  Heading()->setText(phrases_.Text(kUpdateKey, kUpdateText));
  FitHeading(Heading());
  AbortButton()->setText(phrases_.Text(kAbortKey, kAbortText));
}

void UpdateScreen::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  FrameResize();
}

void UpdateScreen::FrameResize() {
  const int half = width() / 2;
  for (QWidget* control : {static_cast<QWidget*>(AbortButton()), static_cast<QWidget*>(Gauge()),
                           static_cast<QWidget*>(Heading())}) {
    control->move(half - control->width() / 2, control->y());
  }
}

void UpdateScreen::StopWorker() {
  if (!worker_) return;
  worker_->Stop();
  worker_.reset();
}

void UpdateScreen::StartUpdate(std::string id, std::string finger, std::string newVersion) {
  // One update at a time: a running one is only brought to the front.
  if (worker_ && !stopRequested_ && !worker_->RunEnded()) {
    show();
    raise();
    return;
  }
  // A stopped worker may still be finishing its last chunk; it must end
  // before a new one writes the same script.
  StopWorker();
  stopRequested_ = false;
  const std::uint64_t generation = ++generation_;
  progress_ = 0;
  Gauge()->setValue(0);

  worker_ = std::make_unique<UpdateWorker>(
      environment_, std::move(id), std::move(finger), std::move(newVersion), this,
      [this, generation](std::int32_t step) {
        if (generation == generation_) AdvanceGauge(step);
      },
      [this, generation] {
        if (generation == generation_) WorkerEnded(worker_.get());
      });
  maximum_ = worker_->GaugeMaximum();
  // A range of 0..0 would make the bar a busy indicator; the gauge stays empty instead.
  Gauge()->setRange(
      0, static_cast<int>(std::clamp<std::int64_t>(maximum_, 1, std::numeric_limits<int>::max())));
  Gauge()->setValue(0);
  show();
  raise();
  worker_->Start();
}

void UpdateScreen::AdvanceGauge(std::int32_t step) {
  // The gauge stops at its maximum; a chunk asked for again is counted again.
  progress_ =
      std::min(progress_ + std::max<std::int32_t>(step, 0), std::max<std::int64_t>(maximum_, 0));
  const int top = Gauge()->maximum();
  const auto shown = maximum_ <= top
                         ? progress_
                         : static_cast<std::int64_t>(static_cast<double>(progress_) /
                                                     static_cast<double>(maximum_) * top);
  Gauge()->setValue(static_cast<int>(shown));
}

void UpdateScreen::Panel1Click() {
  hide();
  if (!worker_ || stopRequested_) return;
  // The worker is owned here, so the pointer stays valid between this test and the stop.
  if (worker_->RunEnded()) return;
  worker_->RequestStop();
  stopRequested_ = true;

  if (phrases_.Has(kInterruptedKey)) {
    platform::ShowMessageBox(nullptr, phrases_.Formatted(kInterruptedKey, "%s", kInterruptedText),
                             QString(), kErrorFlags);
  } else {
    platform::ShowMessageBox(this, kInterruptedText, QString(), kErrorFlags);
  }
}

void UpdateScreen::WorkerEnded(const UpdateWorker* worker) {
  // A stop the user asked for was told at the click; a successful run ended the process.
  if (worker == nullptr || stopRequested_) return;
  const UpdateResult result = worker->Result();
  if (result.outcome == UpdateOutcome::kHandedOver || result.outcome == UpdateOutcome::kStopped)
    return;
  hide();
  TellFailure(result);
}

void UpdateScreen::TellFailure(const UpdateResult& result) {
  const UpdateMessage message = MessageFor(result);
  QString text = phrases_.Text(message.key, message.builtIn);
  // The folder, or the file concerned, helps whoever fixes it.
  if (message.withDetail && !result.detail.empty())
    text += QLatin1Char('\n') + FromBytes(result.detail);
  if (phrases_.Has(message.key)) {
    platform::ShowMessageBox(nullptr, text, QString(), kErrorFlags);
  } else {
    platform::ShowMessageBox(this, text, kErrorCaption, kErrorFlags);
  }
}

// The controls by their role; their object names are the layout's.
QLabel* UpdateScreen::Heading() const { return ui_->Label1; }
QProgressBar* UpdateScreen::Gauge() const { return ui_->ProgressBar1; }
QLabel* UpdateScreen::AbortButton() const { return ui_->Panel1; }
