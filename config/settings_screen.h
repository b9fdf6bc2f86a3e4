#pragma once

#include <QFrame>
#include <functional>
#include <memory>

#include "base/core/phrases.h"

class QGroupBox;
class QLabel;

namespace Ui {
class TProgramSetting;
}
class IniFile;

// The language settings screen: pick the interface language, store it and
// apply it at once.
class SettingsScreen : public QFrame {
  Q_OBJECT

 public:
  // `languageApplied` runs after a language was stored and selected (the
  // connection screen refreshes its texts then).
  SettingsScreen(QWidget* parent, IniFile& settings, Phrases phrases,
                 std::function<void()> languageApplied);
  ~SettingsScreen() override;

  void RefreshTexts();
  void SetLanguageClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The controls by their role; their object names are the layout's.
  QLabel* BackCaption() const;
  QGroupBox* LanguageGroup() const;
  void FillLanguages();
  void ShowNotSelected(bool fromLibrary);
  void ShowNotStored();
  // The "Save exchange log" switch, stored at once.
  void SetBusLog(bool on);

  std::unique_ptr<Ui::TProgramSetting> ui_;
  IniFile& settings_;
  Phrases phrases_;
  std::function<void()> languageApplied_;
  bool languagesListed_ = false;
};
