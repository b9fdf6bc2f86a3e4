#pragma once

#include <QFrame>
#include <memory>

#include "base/core/phrases.h"

namespace Ui {
class TFrameAbout;
}
class BrandProfile;

// The about box: version, web site and logo of the edition. Its captions
// follow the chosen language; the built-in texts stand where no phrase does.
class AboutScreen : public QFrame {
  Q_OBJECT

 public:
  AboutScreen(QWidget* parent, const BrandProfile& brand, Phrases phrases = {});
  ~AboutScreen() override;

  // Applies the phrases of the chosen language.
  void RefreshTexts();
  void LabelWebSiteUrlClick();

 private:
  std::unique_ptr<Ui::TFrameAbout> ui_;
  Phrases phrases_;
};
