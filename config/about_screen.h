#pragma once

#include <QFrame>
#include <memory>

namespace Ui {
class TFrameAbout;
}
class BrandProfile;

// The about box: version, web site and logo of the edition.
class TFrameAbout : public QFrame {
  Q_OBJECT

 public:
  TFrameAbout(QWidget* parent, const BrandProfile& brand);
  ~TFrameAbout() override;

  void LabelWebSiteUrlClick();
  Ui::TFrameAbout& Controls() { return *ui_; }

 private:
  std::unique_ptr<Ui::TFrameAbout> ui_;
};
