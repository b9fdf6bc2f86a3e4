#include "device/screens/home_screen.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPixmap>

#include "base/bus/gateway_address.h"
#include "base/core/brand_profile.h"
#include "base/core/file_messages.h"
#include "base/core/ini_file.h"
#include "base/kit/message_box.h"
#include "base/kit/widget_look.h"
#include "device/gateway_list.h"
#include "ui_TProgramMain.h"

namespace {

constexpr int kColumnHeight = 580;
constexpr int kColumnMargin = 20;
constexpr int kPortListWidth = 240;  // a gateway's address is longer than a port's name
constexpr char kMalformedGateway[] = "Это не адрес шлюза: пишите tcp://УЗЕЛ:ПОРТ";

void CentreOn(QWidget* widget, int centre) {
  widget->move(centre - widget->width() / 2, widget->y());
}

// Stored values are compared without regard to case, as they always were.
bool SameIgnoringCase(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

HomeScreen::HomeScreen(QWidget* parent, const BrandProfile& brand, IniFile& settings,
                       Phrases phrases, Actions actions)
    : QFrame(parent),
      ui_(std::make_unique<Ui::TProgramMain>()),
      phrases_(phrases),
      actions_(std::move(actions)),
      settings_(settings) {
  ui_->setupUi(this);
  // A gateway's tcp:// address may be typed in place of a port; it is
  // checked as it is typed.
  ui_->ComboBoxSerialPort->setInsertPolicy(QComboBox::NoInsert);
  ui_->ComboBoxSerialPort->view()->setMinimumWidth(kPortListWidth);
  connect(ui_->ComboBoxSerialPort, &QComboBox::editTextChanged, this, [this] { MarkTypedPort(); });
  for (QWidget* column : {AdministrationColumn(), ArchiveColumn(), ConnectionColumn()})
    look::Paint(column, look::kWhite);
  look::Paint(this, look::kWhite);
  PaintButtons(nullptr);

  BrandLogo()->setPixmap(QPixmap::fromImage(brand.Logo()));
  AdministrationPicture()->setPixmap(QPixmap(QStringLiteral("./images/column_admin.png")));
  ArchivePicture()->setPixmap(QPixmap(QStringLiteral("./images/column_archive.png")));
  const QPixmap separator(QStringLiteral("./images/separator.png"));
  LeftSeparator()->setPixmap(separator);
  RightSeparator()->setPixmap(separator);

  // One animated picture serves both refresh icons: still, and turning.
  refreshAnimation_.setFileName(QStringLiteral("./images/refresh.gif"));
  refreshAnimation_.setSpeed(200);
  refreshAnimation_.jumpToFrame(0);
  ui_->UpdateComPortList->setPixmap(refreshAnimation_.currentPixmap());
  ui_->UpdateComPortListAnimate->setMovie(&refreshAnimation_);
  refreshTimer_.setInterval(1000);
  refreshTimer_.setSingleShot(true);
  connect(&refreshTimer_, &QTimer::timeout, this, [this] {
    FillPortList();
    refreshAnimation_.stop();
    ui_->UpdateComPortListAnimate->hide();
    ui_->UpdateComPortList->show();
  });

  FillPortList();
  SelectStored(settings);
  RefreshTexts();
  ConnectProgress()->hide();
  ui_->UpdateComPortListAnimate->hide();
  ShowConnecting(false);
  WireButtons();
  // Said once the window is up, not before it appears.
  if (settings.LoadProblem()) {
    QTimer::singleShot(0, this, [this] {
      platform::ShowMessageBox(
          this,
          phrases_.Text(kSettingsUnreadable.key, QString::fromUtf8(kSettingsUnreadable.builtIn)),
          window()->windowTitle(), platform::kMbTaskModal | platform::kMbIconWarning);
    });
  }
}

HomeScreen::~HomeScreen() = default;

void HomeScreen::FillPortList() {
  ports_ = ListSerialPorts();
  for (const std::string& gateway : RecentGateways(settings_)) ports_.push_back({gateway, gateway});
  ui_->ComboBoxSerialPort->clear();
  for (const auto& port : ports_)
    ui_->ComboBoxSerialPort->addItem(QString::fromStdString(port.name));
  if (!ports_.empty()) ui_->ComboBoxSerialPort->setCurrentIndex(0);
}

void HomeScreen::SelectStored(IniFile& settings) {
  const QString port = QString::fromStdString(settings.ReadValue("SERIAL", "COM").value_or(""));
  const QString baud = QString::fromStdString(settings.ReadValue("SERIAL", "BAUD").value_or(""));
  for (std::size_t i = 0; i < ports_.size(); ++i) {
    if (SameIgnoringCase(QString::fromStdString(ports_[i].path), port)) {
      ui_->ComboBoxSerialPort->setCurrentIndex(static_cast<int>(i));
      break;
    }
  }
  ui_->ComboBoxSerialPortSpeed->setCurrentIndex(0);
  for (int i = 0; i < ui_->ComboBoxSerialPortSpeed->count(); ++i) {
    if (SameIgnoringCase(ui_->ComboBoxSerialPortSpeed->itemText(i), baud)) {
      ui_->ComboBoxSerialPortSpeed->setCurrentIndex(i);
      break;
    }
  }
}

void HomeScreen::RefreshTexts() {
  AdministrationCaption()->setText(
      phrases_.Text("FRAME_PROGRAM_MAIN_ADMINISTRATION", "Администрирование"));
  ui_->PanelButtonEnter->setText(phrases_.Text("FRAME_PROGRAM_MAIN_ENTER", "Войти"));
  ArchiveCaption()->setText(phrases_.Text("FRAME_PROGRAM_MAIN_VIEW_ARCHIVE", "Просмотр архива"));
  ui_->PanelButtonViewArhiv->setText(
      phrases_.Text("FRAME_PROGRAM_MAIN_SEE_ARCHIVE", "Смотреть архив"));
  ConnectionCaption()->setText(
      phrases_.Text("FRAME_PROGRAM_MAIN_CONNECTION_DEVICE", "Cоединение с устройством"));
  ui_->LabelDeviceAdress->setText(
      phrases_.Formatted("FRAME_PROGRAM_MAIN_DEVICE_ADRESS", "%s:", "Адрес устройства:"));
  ui_->PanelButtonConnect->setText(
      phrases_.Text("FRAME_PROGRAM_MAIN_ESTABLISH_COMMUNICATION", "Установить связь"));
  ui_->PanelButtonFindMeters->setText(
      phrases_.Text("FRAME_PROGRAM_MAIN_FIND_METERS", "Найти счётчики"));
  Layout();
}

void HomeScreen::ShowConnecting(bool connecting) {
  ConnectProgress()->setVisible(connecting);
  ui_->PanelLabelStatus->setVisible(connecting);
  for (QWidget* idle : {static_cast<QWidget*>(ui_->ComboBoxSerialPort),
                        static_cast<QWidget*>(ui_->ComboBoxSerialPortSpeed),
                        static_cast<QWidget*>(ui_->LabelDeviceAdress),
                        static_cast<QWidget*>(ui_->MaskEditDeviceAdress),
                        static_cast<QWidget*>(ui_->UpdateComPortList),
                        static_cast<QWidget*>(ui_->PanelButtonConnect),
                        static_cast<QWidget*>(ui_->PanelButtonFindMeters)})
    idle->setVisible(!connecting);
  if (!connecting) ui_->UpdateComPortListAnimate->hide();
}

void HomeScreen::SetStatus(const QString& text) { ui_->LabelStatus->setText(text); }
void HomeScreen::SetProgress(int progress) { ConnectProgress()->setValue(progress); }
int HomeScreen::Progress() const { return ConnectProgress()->value(); }

void HomeScreen::ConnectClick() {
  // The digits before the first blank: "1_5" is address 1, never 15.
  const int address = ParseDeviceAddress(look::ShownText(ui_->MaskEditDeviceAdress).substr(0, 5));
  if (!PortAndSpeedChosen()) return;
  ConnectProgress()->setValue(0);
  ConnectProgress()->setMaximum(1000);
  const int baud = ui_->ComboBoxSerialPortSpeed->currentText().toInt();
  if (actions_.connect) actions_.connect(ChosenPath(), baud, address);
}

bool HomeScreen::PortAndSpeedChosen() {
  const bool port = !ui_->ComboBoxSerialPort->currentText().trimmed().isEmpty();
  const bool speed = ui_->ComboBoxSerialPortSpeed->currentIndex() >= 0;
  const unsigned plain = platform::kMbOk | platform::kMbTaskModal;
  if (!port && !speed) {
    platform::ShowMessageBox(this, "Выберите Serial Port и желаемую скорость работы.",
                             window()->windowTitle(), plain);
    return false;
  }
  if (!port) {
    platform::ShowMessageBox(this, "Выберите Serial Port.", window()->windowTitle(), plain);
    return false;
  }
  if (!speed) {
    platform::ShowMessageBox(this, "Выберите желаемую скорость работы", window()->windowTitle(),
                             plain);
    return false;
  }
  if (PortMarkedMalformed()) {
    platform::ShowMessageBox(
        this,
        phrases_.Text("FRAME_PROGRAM_MAIN_GATEWAY_MALFORMED", QString::fromUtf8(kMalformedGateway)),
        window()->windowTitle(), plain);
    return false;
  }
  return true;
}

void HomeScreen::FindMetersClick() {
  if (!PortAndSpeedChosen()) return;
  std::vector<int> speeds;
  for (int i = 0; i < ui_->ComboBoxSerialPortSpeed->count(); ++i)
    speeds.push_back(ui_->ComboBoxSerialPortSpeed->itemText(i).toInt());
  const SerialPortEntry entry{ui_->ComboBoxSerialPort->currentText().trimmed().toStdString(),
                              ChosenPath()};
  if (actions_.findMeters)
    actions_.findMeters(entry, std::move(speeds),
                        ui_->ComboBoxSerialPortSpeed->currentText().toInt());
}

std::string HomeScreen::ChosenPath() const {
  const std::string typed = ui_->ComboBoxSerialPort->currentText().trimmed().toStdString();
  for (const auto& entry : ports_) {
    if (entry.name == typed) return entry.path;
  }
  return DevicePathOf(typed);
}

bool HomeScreen::PortMarkedMalformed() const {
  const std::string typed = ui_->ComboBoxSerialPort->currentText().trimmed().toStdString();
  return mbus::IsGatewayPath(typed) && !mbus::ParseGatewayAddress(typed);
}

void HomeScreen::MarkTypedPort() {
  const bool malformed = PortMarkedMalformed();
  if (QLineEdit* edit = ui_->ComboBoxSerialPort->lineEdit()) {
    edit->setStyleSheet(malformed ? QStringLiteral("color: #C00000; background: #FFE4E4;")
                                  : QString());
  }
  ui_->ComboBoxSerialPort->setToolTip(malformed
                                          ? phrases_.Text("FRAME_PROGRAM_MAIN_GATEWAY_MALFORMED",
                                                          QString::fromUtf8(kMalformedGateway))
                                          : QString());
}

void HomeScreen::RefreshPortsClick() {
  ui_->UpdateComPortList->hide();
  ui_->UpdateComPortListAnimate->show();
  refreshAnimation_.start();
  refreshTimer_.start();
}

void HomeScreen::PaintButtons(QWidget* hovered) {
  for (QWidget* button : {ui_->PanelButtonEnter, ui_->PanelButtonViewArhiv, ui_->PanelButtonConnect,
                          ui_->PanelButtonFindMeters})
    look::Paint(button, button == hovered ? look::kButtonHover : look::kWhite);
}

void HomeScreen::WireButtons() {
  look::OnClick(ui_->PanelButtonEnter, [this] {
    if (actions_.enter) actions_.enter();
  });
  look::OnClick(ui_->PanelButtonViewArhiv, [this] {
    if (actions_.viewArchive) actions_.viewArchive();
  });
  look::OnClick(ui_->PanelButtonConnect, [this] { ConnectClick(); });
  look::OnClick(ui_->PanelButtonFindMeters, [this] { FindMetersClick(); });
  look::OnClick(ui_->UpdateComPortList, [this] { RefreshPortsClick(); });
  look::OnClick(
      ui_->UpdateComPortListAnimate, [this] { RefreshPortsClick(); }, look::Keys::kPartOfButton);
  // Enter in the address connects, as the button does.
  look::OnEnter(ui_->MaskEditDeviceAdress, [this] { ConnectClick(); });
  // Tab goes through the columns from left to right, the connection last.
  QWidget* order[] = {ui_->PanelButtonEnter,        ui_->PanelButtonViewArhiv,
                      ui_->ComboBoxSerialPort,      ui_->UpdateComPortList,
                      ui_->ComboBoxSerialPortSpeed, ui_->MaskEditDeviceAdress,
                      ui_->PanelButtonConnect,      ui_->PanelButtonFindMeters};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  for (QWidget* button : {ui_->PanelButtonEnter, ui_->PanelButtonViewArhiv, ui_->PanelButtonConnect,
                          ui_->PanelButtonFindMeters})
    look::OnHover(button, [this, button] { PaintButtons(button); });
  for (QWidget* column : {AdministrationColumn(), ArchiveColumn(), ConnectionColumn()})
    look::OnHover(column, [this] { PaintButtons(nullptr); });
}

void HomeScreen::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  Layout();
}

void HomeScreen::Layout() {
  auto& ui = *ui_;
  const int top = height() / 2 - kColumnHeight / 2;
  const int columnWidth =
      (width() - ui.Separator1->width() - ui.Separator2->width() - kColumnMargin) / 3;
  ui.Background1->setGeometry(0, top, columnWidth, kColumnHeight);
  ui.Separator1->setGeometry(ui.Background1->width() + 1, top, ui.Separator1->width(),
                             kColumnHeight);
  ui.Background2->setGeometry(ui.Separator1->x() + ui.Separator1->width(), top, columnWidth,
                              kColumnHeight);
  ui.Separator2->setGeometry(ui.Background2->x() + ui.Background2->width() + 1, top,
                             ui.Separator2->width(), kColumnHeight);
  ui.Background3->setGeometry(ui.Separator2->x() + ui.Separator2->width(), top, columnWidth,
                              kColumnHeight);

  const int c = columnWidth / 2;
  const int q = c / 2;
  for (QWidget* centred :
       {ui.Label3, ui.Image5, ui.PanelButtonEnter, ui.Label2, ui.Image3, ui.PanelButtonViewArhiv,
        ui.Label1, ui.Image2, ui.PanelButtonConnect, ui.PanelButtonFindMeters})
    CentreOn(centred, c);
  CentreOn(ui.ProgressBar1, c);
  CentreOn(ui.ComboBoxSerialPort, c - q);
  CentreOn(ui.LabelDeviceAdress, c - q);
  CentreOn(ui.ComboBoxSerialPortSpeed, c + q);
  CentreOn(ui.MaskEditDeviceAdress, c + q);
  const int iconLeft = ui.ComboBoxSerialPort->x() + ui.ComboBoxSerialPort->width() +
                       ui.UpdateComPortList->width() / 2;
  ui.UpdateComPortList->move(iconLeft, ui.UpdateComPortList->y());
  ui.UpdateComPortListAnimate->move(iconLeft, ui.UpdateComPortListAnimate->y());
  ui.PanelLabelStatus->setGeometry(ui.ProgressBar1->x(), ui.PanelLabelStatus->y(),
                                   ui.ProgressBar1->width(), ui.PanelLabelStatus->height());
}

// The controls by their role; their object names are the layout's.
QWidget* HomeScreen::AdministrationColumn() const { return ui_->Background1; }
QWidget* HomeScreen::ArchiveColumn() const { return ui_->Background2; }
QWidget* HomeScreen::ConnectionColumn() const { return ui_->Background3; }
QLabel* HomeScreen::ConnectionCaption() const { return ui_->Label1; }
QLabel* HomeScreen::ArchiveCaption() const { return ui_->Label2; }
QLabel* HomeScreen::AdministrationCaption() const { return ui_->Label3; }
QLabel* HomeScreen::BrandLogo() const { return ui_->Image2; }
QLabel* HomeScreen::ArchivePicture() const { return ui_->Image3; }
QLabel* HomeScreen::AdministrationPicture() const { return ui_->Image5; }
QProgressBar* HomeScreen::ConnectProgress() const { return ui_->ProgressBar1; }
QLabel* HomeScreen::LeftSeparator() const { return ui_->Separator1; }
QLabel* HomeScreen::RightSeparator() const { return ui_->Separator2; }
