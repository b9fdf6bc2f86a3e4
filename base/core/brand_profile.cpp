#include "base/core/brand_profile.h"

#include <QFile>

#include "base/platform/text.h"

// Deployment values come from the build (CMake cache); empty means the
// edition's own default below.
#ifndef KELDAR_EDITION
#define KELDAR_EDITION 1
#endif
#ifndef KELDAR_REST_HOST
#define KELDAR_REST_HOST ""
#endif
#ifndef KELDAR_DB_HOST
#define KELDAR_DB_HOST ""
#endif
#ifndef KELDAR_SITE_URL
#define KELDAR_SITE_URL ""
#endif
#ifndef KELDAR_SUPPORT_EMAIL
#define KELDAR_SUPPORT_EMAIL ""
#endif

namespace {

struct EditionData {
  std::int32_t projectNumber;
  const char* restHost;
  const char* version;
  const char* localDatabase;
  const char* displayName;
  const char* siteUrl;
  const char* supportEmail;
  const char* logo;
  const char* logoSmall;
};

constexpr EditionData kFirstEdition{10,
                                    "rest.quandrell.com.ua",
                                    "v.0.05",
                                    "krv_local_billing_ua",
                                    "quandrell",
                                    "www.quandrell.com.ua",
                                    "support@quandrell.com.ua",
                                    "./images/quandrell.png",
                                    "./images/QUANDRELL_70_70.png"};

constexpr EditionData kShippedEdition{7,
                                      "rest.keldar-meters.ru",
                                      "v.0.14",
                                      "krv_local_billing",
                                      "KELDAR",
                                      "www.keldar-meters.ru",
                                      "support@keldar-meters.ru",
                                      "./images/KELDAR.png",
                                      "./images/KELDAR_70_70.png"};

constexpr const char* kDefaultDbHost = "db.keldar-meters.ru";

const char* OrDefault(const char* configured, const char* fallback) {
  return configured[0] != '\0' ? configured : fallback;
}

void LoadPicture(QImage& picture, const char* path) {
  // Only a file that opens for reading is loaded; otherwise the picture stays empty.
  QFile file(QString::fromUtf8(path));
  if (file.open(QIODevice::ReadOnly)) picture.loadFromData(file.readAll(), "PNG");
}

}  // namespace

std::int32_t BrandProfile::BuiltEdition() { return KELDAR_EDITION; }

BrandProfile::BrandProfile() : BrandProfile(BuiltEdition()) {}

BrandProfile::BrandProfile(std::int32_t edition) {
  platform::CopyToField(DbHost_, OrDefault(KELDAR_DB_HOST, kDefaultDbHost));
  platform::CopyToField(DbUser_, "local_billing");
  platform::CopyToField(DbPassword_, "Tq7#mZ4!pL2w");
  platform::CopyToField(MainDatabase_, "krv_main");
  Edition_ = edition;

  const EditionData& data = Edition_ == 0 ? kFirstEdition : kShippedEdition;
  ProjectNumber_ = data.projectNumber;
  platform::CopyToField(RestHost_, OrDefault(KELDAR_REST_HOST, data.restHost));
  platform::CopyToField(RestPath_, "/rest");
  platform::CopyToField(Version_, data.version);
  platform::CopyToField(LocalDatabase_, data.localDatabase);
  platform::CopyToField(DisplayName_, data.displayName);
  platform::CopyToField(SiteUrl_, OrDefault(KELDAR_SITE_URL, data.siteUrl));
  platform::CopyToField(SupportEmail_, OrDefault(KELDAR_SUPPORT_EMAIL, data.supportEmail));
  LoadPicture(Logo_, data.logo);
  LoadPicture(LogoSmall_, data.logoSmall);
}
