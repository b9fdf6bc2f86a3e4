#pragma once

#include <QFrame>
#include <functional>
#include <memory>

#include "base/core/phrases.h"

namespace Ui {
class TProgramSetting;
}
class CIniFile;

// The language settings screen: pick the interface language, store it and
// apply it at once.
class TProgramSetting : public QFrame {
  Q_OBJECT

 public:
  // `languageApplied` runs after a language was stored and selected (the
  // connection screen refreshes its texts then).
  TProgramSetting(QWidget* parent, CIniFile& settings, Phrases phrases,
                  std::function<void()> languageApplied);
  ~TProgramSetting() override;

  void RefreshTexts();
  void SetLanguageClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FillLanguages();
  void ShowNotSelected(bool fromLibrary);

  std::unique_ptr<Ui::TProgramSetting> ui_;
  CIniFile& settings_;
  Phrases phrases_;
  std::function<void()> languageApplied_;
  bool languagesListed_ = false;
};
