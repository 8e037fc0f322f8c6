#include <Foundation/NSBundle.h>
#include <Foundation/NSPathUtilities.h>
#include <Foundation/ProcessIdentity.h>

#include <gtest/gtest.h>

namespace {

class NSPathUtilitiesTest : public ::testing::Test {
  protected:
    void SetUp() override { ns::ProcessIdentity::configure(std::nullopt, std::nullopt); }
    void TearDown() override { ns::ProcessIdentity::configure(std::nullopt, std::nullopt); }
};

constexpr const char* kContainer = "/var/mobile/Containers/Data/Application/0A1B";

} // namespace

TEST_F(NSPathUtilitiesTest, IdentityComesFromTheHostProgram) {
    EXPECT_FALSE(NSBundle::mainBundle()->bundleIdentifier());
    EXPECT_EQ(NSHomeDirectory(), "/var/mobile");
    ns::ProcessIdentity::configure("com.apple.MobileSMS", kContainer);
    EXPECT_EQ(NSBundle::mainBundle(), NSBundle::mainBundle());
    EXPECT_EQ(NSBundle::mainBundle()->bundleIdentifier(), "com.apple.MobileSMS");
    EXPECT_EQ(NSHomeDirectory(), kContainer);
}

TEST_F(NSPathUtilitiesTest, DocumentsIsInTheHome) {
    using Paths = std::vector<std::string>;
    EXPECT_EQ(NSSearchPathForDirectoriesInDomains(NSDocumentDirectory, NSUserDomainMask, YES),
              Paths{"/var/mobile/Documents"});
    ns::ProcessIdentity::configure("com.apple.MobileSMS", kContainer);
    EXPECT_EQ(NSSearchPathForDirectoriesInDomains(NSDocumentDirectory, NSUserDomainMask, YES),
              Paths{std::string(kContainer) + "/Documents"});
    EXPECT_EQ(NSSearchPathForDirectoriesInDomains(NSDocumentDirectory, NSUserDomainMask, NO),
              Paths{"~/Documents"});
    EXPECT_EQ(NSSearchPathForDirectoriesInDomains(NSCachesDirectory, NSAllDomainsMask, YES),
              Paths{std::string(kContainer) + "/Library/Caches"});
    EXPECT_TRUE(NSSearchPathForDirectoriesInDomains(NSDocumentDirectory, NSSystemDomainMask, YES).empty());
}

TEST_F(NSPathUtilitiesTest, TildeExpansion) {
    ns::ProcessIdentity::configure(std::nullopt, "/var/mobile/");
    EXPECT_EQ(ns::stringByExpandingTildeInPath("~"), "/var/mobile");
    EXPECT_EQ(ns::stringByExpandingTildeInPath("~/Documents/"), "/var/mobile/Documents");
    EXPECT_EQ(ns::stringByExpandingTildeInPath("/abs/~/x"), "/abs/~/x");
    EXPECT_EQ(ns::stringByExpandingTildeInPath("~other/x"), "~other/x");
    EXPECT_EQ(ns::stringByExpandingTildeInPath("/"), "/");
}
