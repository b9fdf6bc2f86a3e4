#include "base/core/brand_profile.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

TEST(BrandProfile, ShippedEditionNamesKeldarVersion014) {
  const BrandProfile profile(1);
  EXPECT_EQ(profile.DisplayName(), "KELDAR");
  EXPECT_EQ(profile.Version(), "v.0.14");
  EXPECT_EQ(profile.ProjectNumber(), 7);
  EXPECT_EQ(profile.LocalDatabase(), "krv_local_billing");
  EXPECT_EQ(profile.DbUser(), "local_billing");
  EXPECT_EQ(profile.DbPassword(), "Tq7#mZ4!pL2w");
  EXPECT_EQ(profile.MainDatabase(), "krv_main");
  EXPECT_EQ(profile.RestPath(), "/rest");
  EXPECT_FALSE(profile.RestHost().empty());
  EXPECT_FALSE(profile.SupportEmail().empty());
  EXPECT_EQ(BrandProfile::BuiltEdition(), 1) << "the default build is the shipped edition";
}

TEST(BrandProfile, FirstEditionHasItsOwnNumbersAndNames) {
  const BrandProfile profile(0);
  EXPECT_EQ(profile.DisplayName(), "quandrell");
  EXPECT_EQ(profile.Version(), "v.0.05");
  EXPECT_EQ(profile.ProjectNumber(), 10);
  EXPECT_EQ(profile.LocalDatabase(), "krv_local_billing_ua");
  EXPECT_EQ(profile.DbHost(), BrandProfile(1).DbHost()) << "the database host is shared";
}

TEST(BrandProfile, LogosLoadFromTheWorkingDirectoryAndStayEmptyWhenMissing) {
  {
    ScopedWorkingDirectory cwd;  // no images here
    const BrandProfile profile(1);
    EXPECT_TRUE(profile.Logo().isNull());
    EXPECT_TRUE(profile.LogoSmall().isNull());
  }
  // The working folder of the build carries the pictures.
  std::filesystem::current_path(KELDAR_BIN_DIR);
  const BrandProfile profile(1);
  EXPECT_FALSE(profile.Logo().isNull());
  EXPECT_EQ(profile.LogoSmall().size(), QSize(70, 70));
}

}  // namespace
