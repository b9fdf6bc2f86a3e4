#include "config/settings_screen.h"

#include <QCheckBox>
#include <cstdlib>
#include <string>

#include "base/core/file_messages.h"
#include "base/core/ini_file.h"
#include "base/core/phrases_library.h"
#include "base/kit/back_strip.h"
#include "base/kit/message_box.h"
#include "base/kit/widget_look.h"
#include "device/bus_log_setting.h"
#include "ui_TProgramSetting.h"

namespace {

constexpr const char* kNotSelected = "Язык интерфейса не выбран.";

}  // namespace

SettingsScreen::SettingsScreen(QWidget* parent, IniFile& settings, Phrases phrases,
                               std::function<void()> languageApplied)
    : QFrame(parent),
      ui_(std::make_unique<Ui::TProgramSetting>()),
      settings_(settings),
      phrases_(phrases),
      languageApplied_(std::move(languageApplied)) {
  ui_->setupUi(this);
  look::Paint(this, look::kWhite);
  look::Paint(ui_->Background, look::kWhite);
  look::Paint(ui_->SetLanguage, look::kBlack);
  look::PaintText(ui_->SetLanguage, look::kWhite);
  look::MakeBackStrip(
      ui_->Back, BackCaption(), [this] { hide(); }, ui_->Background);
  look::OnHover(LanguageGroup(), [this] {
    look::Paint(ui_->Back, look::kWhite);
    look::SetBold(BackCaption(), false);
    look::Paint(ui_->SetLanguage, look::kBlack);
  });
  look::OnClick(ui_->SetLanguage, [this] { SetLanguageClick(); });
  ui_->CheckBoxBusLog->setChecked(BusLogWanted(settings_));
  connect(ui_->CheckBoxBusLog, &QCheckBox::toggled, this, [this](bool on) { SetBusLog(on); });
  FillLanguages();
  RefreshTexts();
}

SettingsScreen::~SettingsScreen() = default;

void SettingsScreen::FillLanguages() {
  const PhrasesLibrary* library = phrases_.Library();
  if (library == nullptr || !library->IsLoaded()) return;
  // The list is loaded once for the life of the process.
  const auto languages = library->LoadLanguages(phrases_.Object());
  languagesListed_ = !languages.empty();
  char stored[3] = {};
  settings_.ReadValue("LANGUAGE", "LANG", stored, sizeof stored);
  if (languages.empty()) {
    ui_->ComboBoxLanguage->addItem(QStringLiteral("По умолчанию"));
    ui_->ComboBoxLanguage->setCurrentIndex(0);
    return;
  }
  int selected = -1;
  for (std::size_t i = 0; i < languages.size(); ++i) {
    ui_->ComboBoxLanguage->addItem(QString::fromStdString(languages[i].name));
    if (stored[0] != '\0' && std::atoi(stored) == languages[i].id) selected = static_cast<int>(i);
  }
  ui_->ComboBoxLanguage->setCurrentIndex(selected);
}

void SettingsScreen::SetLanguageClick() {
  if (phrases_.Object() == nullptr) {
    ShowNotSelected(false);
    return;
  }
  if (!languagesListed_) {
    ShowNotSelected(true);
    return;
  }
  // Languages are listed in id order from 1, so the id is the position + 1.
  const int id = ui_->ComboBoxLanguage->currentIndex() + 1;
  if (!settings_.WriteValue("LANGUAGE", "LANG", std::to_string(id).c_str())) ShowNotStored();
  phrases_.Library()->SelectLanguage(phrases_.Object(), id);
  RefreshTexts();
  if (languageApplied_) languageApplied_();
}

void SettingsScreen::SetBusLog(bool on) {
  // Ports opened from now on follow it; a connection already made keeps its log.
  if (!StoreBusLogWanted(settings_, on)) ShowNotStored();
}

void SettingsScreen::ShowNotStored() {
  platform::ShowMessageBox(
      nullptr, phrases_.Text(kSettingsNotStored.key, QString::fromUtf8(kSettingsNotStored.builtIn)),
      QString(), platform::kMbTaskModal | platform::kMbIconWarning);
}

void SettingsScreen::ShowNotSelected(bool fromLibrary) {
  const QString text =
      fromLibrary ? phrases_.Text("FRAME_PROGRAM_SETTING_LANGUAGE_IS_NOT_SELECTED", kNotSelected)
                  : QString(kNotSelected);
  platform::ShowMessageBox(nullptr, text, QString(),
                           platform::kMbTaskModal | platform::kMbIconError);
}

void SettingsScreen::RefreshTexts() {
  if (phrases_.Object() == nullptr) return;
  BackCaption()->setText(phrases_.Text("FRAME_PROGRAM_SETTING_GO_BACK", BackCaption()->text()));
  LanguageGroup()->setTitle(
      phrases_.Text("FRAME_PROGRAM_SETTING_LANGUAGE_PROGRAM", LanguageGroup()->title()));
  ui_->LabelLanguage->setText(phrases_.Formatted("FRAME_PROGRAM_SETTING_SELECT_LANGUAGE",
                                                 "%s:", ui_->LabelLanguage->text()));
  ui_->SetLanguage->setText(phrases_.Text("FRAME_PROGRAM_SETTING_APPLY", ui_->SetLanguage->text()));
  ui_->CheckBoxBusLog->setText(
      phrases_.Text("FRAME_PROGRAM_SETTING_SAVE_BUS_LOG", ui_->CheckBoxBusLog->text()));
  // As wide as its text: a click beside the words would toggle nothing.
  ui_->CheckBoxBusLog->adjustSize();
}

void SettingsScreen::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  // The box's left edge in screen coordinates is (width - back strip) / 2.
  const int left = (width() - ui_->Back->width()) / 2 - ui_->Background->x();
  LanguageGroup()->move(left, LanguageGroup()->y());
  ui_->CheckBoxBusLog->move(left, ui_->CheckBoxBusLog->y());
}

// The controls by their role; their object names are the layout's.
QLabel* SettingsScreen::BackCaption() const { return ui_->Label1; }
QGroupBox* SettingsScreen::LanguageGroup() const { return ui_->GroupBox1; }
