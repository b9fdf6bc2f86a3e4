#include "device/screens/select_device_screen.h"

#include <QLabel>
#include <QPixmap>
#include <cstring>

#include "base/kit/back_strip.h"
#include "base/kit/fonts.h"
#include "base/kit/widget_look.h"
#include "device/device_kind.h"
#include "device/device_list.h"
#include "device/screens/device_screen_host.h"
#include "keldar/plugin_abi.h"
#include "ui_TProgramSelectDevice.h"

namespace {

constexpr int kTileGap = 8;
constexpr int kTilePixels = 14;

}  // namespace

SelectDeviceScreen::SelectDeviceScreen(QWidget* owner, uint8_t* closeRequest, KeldarBusPort* port,
                                       NavigationContext context)
    : QFrame(owner),
      ui_(std::make_unique<Ui::TProgramSelectDevice>()),
      context_(std::move(context)),
      closeRequest_(closeRequest) {
  ui_->setupUi(this);
  look::Paint(this, look::kWhite);
  look::Paint(ui_->Background, look::kWhite);
  keldar_flag_set(&closeFlag_, 0);
  const Phrases& phrases = context_.phrases;
  BackCaption()->setText(phrases.Text("FRAME_PROGRAM_SETTING_GO_BACK", BackCaption()->text()));
  ui_->Label->setText(
      phrases.Text("FRAME_PROGRAM_SELECT_DEVICE_SELECT_DEVICE_OPERATE", ui_->Label->text()));
  look::MakeBackStrip(
      ui_->Back, BackCaption(), [this] { keldar_flag_set(closeRequest_, 1); }, ui_->Background);
  look::OnHover(ui_->Background, [this] { HoverTile(0); });

  const bool several = IdentifiedDevices().DeviceCount() >= 2;
  worker_ =
      std::make_unique<DeviceScreenHost>(context_, port, several ? &closeFlag_ : closeRequest_);
  BuildTiles();
  Layout();
  if (IdentifiedDevices().DeviceCount() == 1) {
    hide();
    worker_->OpenDevice(1);
    // A meter that no longer answers leaves nothing to show: go back home
    // rather than leave the window empty.
    if (!worker_->AnyScreenOpen()) keldar_flag_set(closeRequest_, 1);
  }
}

SelectDeviceScreen::~SelectDeviceScreen() {
  tiles_.clear();
  worker_.reset();  // closes any open work screen first
}

void SelectDeviceScreen::BuildTiles() {
  const std::size_t count = IdentifiedDevices().DeviceCount();
  for (std::size_t i = 0; i < count; ++i) {
    const KeldarDeviceRecord* record = IdentifiedDevices().Device(i);
    const DeviceKind& kind = KindOfDeviceType(record->device_type);
    const int tag = static_cast<int>(i) + 1;

    auto* tile = new QFrame(ui_->Background);
    tile->setObjectName(QStringLiteral("Tile%1").arg(tag));
    tile->resize(kTileWidth, kTileHeight);
    tile->setProperty("tag", tag);
    look::Paint(tile, look::kWhite);
    auto* icon = new QLabel(tile);
    icon->setObjectName(QStringLiteral("TileIcon"));
    icon->setGeometry(5, 5, 41, 41);
    icon->setPixmap(QPixmap(QString::fromUtf8(kind.icon)));
    icon->setProperty("tag", tag);
    auto* label = new QLabel(tile);
    label->setObjectName(QStringLiteral("TileText"));
    label->setGeometry(41, 5, kTileWidth - 51, 41);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setWordWrap(true);
    look::SetPixelSize(label, kTilePixels);
    label->setProperty("tag", tag);
    const QString model = QString::fromUtf8(
        record->model, static_cast<qsizetype>(::strnlen(record->model, sizeof record->model)));
    label->setText(model + QLatin1Char('\n') +
                   context_.phrases.Text(kind.phraseKey, QString::fromUtf8(kind.builtInText)));

    // The tile is the button; a click on its picture or text opens the device
    // once, as a click on its margin does.
    const auto open = [this, tag] { worker_->OpenDevice(tag); };
    look::OnClick(tile, open);
    for (QWidget* part : {static_cast<QWidget*>(icon), static_cast<QWidget*>(label)})
      look::OnClick(part, open, look::Keys::kPartOfButton);
    for (QWidget* part :
         {static_cast<QWidget*>(tile), static_cast<QWidget*>(icon), static_cast<QWidget*>(label)})
      look::OnHover(part, [this, tag] { HoverTile(tag); });
    tile->show();
    tiles_.push_back(tile);
  }
}

void SelectDeviceScreen::HoverTile(int tag) {
  for (QFrame* tile : tiles_) {
    const bool hovered = tile->property("tag").toInt() == tag;
    look::Paint(tile, hovered ? look::kHover : look::kWhite);
    tile->setCursor(hovered ? Qt::PointingHandCursor : Qt::ArrowCursor);
  }
  look::Paint(ui_->Back, look::kWhite);
  look::SetBold(BackCaption(), false);
}

void SelectDeviceScreen::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  Layout();
}

void SelectDeviceScreen::Layout() {
  // Tiles and title are centred in the frame (not in the page beside the strip).
  const int offset = ui_->Background->x();
  const int centre = width() / 2 - offset;
  ui_->Label->move(centre - ui_->Label->width() / 2, ui_->Label->y());
  for (std::size_t i = 0; i < tiles_.size(); ++i) {
    const int top = static_cast<int>(i + 1) * (kTileHeight + kTileGap);
    tiles_[i]->move(centre - kTileWidth / 2, top);
  }
}

// The controls by their role; their object names are the layout's.
QLabel* SelectDeviceScreen::BackCaption() const { return ui_->Label1; }
