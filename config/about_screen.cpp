#include "config/about_screen.h"

#include <QPixmap>

#include "base/core/brand_profile.h"
#include "base/kit/shell.h"
#include "base/kit/widget_look.h"
#include "ui_TFrameAbout.h"

AboutScreen::AboutScreen(QWidget* parent, const BrandProfile& brand, Phrases phrases)
    : QFrame(parent), ui_(std::make_unique<Ui::TFrameAbout>()), phrases_(phrases) {
  ui_->setupUi(this);
  ui_->ImageLogo->setPixmap(QPixmap::fromImage(brand.LogoSmall()));
  ui_->LabelVersion_->setText(
      QString::fromUtf8(brand.Version().data(), static_cast<qsizetype>(brand.Version().size())));
  ui_->LabelWebSiteUrl->setText(
      QString::fromUtf8(brand.SiteUrl().data(), static_cast<qsizetype>(brand.SiteUrl().size())));
  ui_->LabelNotice1->setText(QStringLiteral("© 2026 ") +
                             QString::fromUtf8(brand.DisplayName().data(),
                                               static_cast<qsizetype>(brand.DisplayName().size())) +
                             QLatin1Char('.'));
  look::Paint(ui_->PanelButtonOk, look::kBlack);
  look::PaintText(ui_->PanelButtonOk, look::kWhite);
  look::PaintText(ui_->LabelWebSiteUrl, QColor(11, 110, 105));
  look::OnClick(ui_->LabelWebSiteUrl, [this] { LabelWebSiteUrlClick(); });
  look::OnClick(ui_->PanelButtonOk, [this] { hide(); });
  RefreshTexts();
}

void AboutScreen::RefreshTexts() {
  ui_->LabelVersion->setText(phrases_.Formatted("FRAME_ABOUT_VERSION", "%s:", "Version:"));
  ui_->LabelWebSite->setText(phrases_.Formatted("FRAME_ABOUT_WEBSITE", "%s:", "Website:"));
  ui_->LabelNotice2->setText(
      phrases_.Text("FRAME_ABOUT_ALL_RIGHTS_RESERVED", QStringLiteral("Все права защищены.")));
  ui_->PanelButtonOk->setText(phrases_.Text("FRAME_ABOUT_OK", QStringLiteral("Ок")));
}

AboutScreen::~AboutScreen() = default;

void AboutScreen::LabelWebSiteUrlClick() { platform::OpenUrl(ui_->LabelWebSiteUrl->text()); }
