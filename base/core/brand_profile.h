#pragma once

#include <QImage>
#include <cstdint>
#include <string_view>

// The edition's fixed data: remote account and endpoint, version text, names
// and addresses shown to the user, and the two logo pictures. Chosen when the
// program is built; never changed at run time.
class BrandProfile {
 public:
  // Fills the fields of the edition the program was built for and loads its
  // logos from ./images/ (a missing picture stays empty).
  BrandProfile();
  // Tests build either edition explicitly.
  explicit BrandProfile(std::int32_t edition);

  std::string_view DbHost() const { return DbHost_; }
  std::string_view DbUser() const { return DbUser_; }
  std::string_view DbPassword() const { return DbPassword_; }
  std::string_view MainDatabase() const { return MainDatabase_; }
  std::int32_t Edition() const { return Edition_; }
  std::int32_t ProjectNumber() const { return ProjectNumber_; }
  std::string_view RestHost() const { return RestHost_; }
  std::string_view RestPath() const { return RestPath_; }
  std::string_view Version() const { return Version_; }
  std::string_view LocalDatabase() const { return LocalDatabase_; }
  std::string_view DisplayName() const { return DisplayName_; }
  std::string_view SiteUrl() const { return SiteUrl_; }
  std::string_view SupportEmail() const { return SupportEmail_; }
  const QImage& Logo() const { return Logo_; }
  const QImage& LogoSmall() const { return LogoSmall_; }

  // The edition selected by the build (KELDAR_EDITION).
  static std::int32_t BuiltEdition();

 private:
  char DbHost_[100] = {};
  char DbUser_[100] = {};
  char DbPassword_[100] = {};
  char MainDatabase_[100] = {};
  std::int32_t Edition_ = 0;
  std::int32_t ProjectNumber_ = 0;
  char RestHost_[50] = {};
  char RestPath_[50] = {};
  char Version_[10] = {};
  char LocalDatabase_[50] = {};
  char DisplayName_[50] = {};
  char SiteUrl_[50] = {};
  char SupportEmail_[50] = {};
  QImage Logo_;
  QImage LogoSmall_;
};
