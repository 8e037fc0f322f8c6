#include "HiddenApplications.h"
#include "SimulatedDevice.h"
#include "VantorelFileManager.h"

#include <MobileCoreServices/ApplicationRegistry.h>
#include <dispatch/dispatch.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const std::string kChatSource = "/var/mobile/Library/Preferences/com.tavq.vantorelprefs-chatWallpaper.png";
const std::string kListSource =
    "/var/mobile/Library/Preferences/com.tavq.vantorelprefs-conversationWallpaper.png";

// Every identifier that counts as having no visible icon, as the device lists
// them: one slip in the table would show a view service as a second app.
const std::vector<std::string> kExpectedHidden{
    "com.apple.Magnifier",
    "com.apple.InCallService",
    "com.apple.RemoteiCloudQuotaUI",
    "com.apple.PublicHealthRemoteUI",
    "com.apple.CarPlaySplashScreen",
    "com.apple.iMessageAppsViewService",
    "com.apple.BarcodeScanner",
    "com.apple.HealthENLauncher",
    "com.apple.AXUIViewService",
    "com.apple.AppSSOUIService",
    "com.apple.CarPlaySettings",
    "com.apple.mobilesms.compose",
    "com.apple.BusinessChatViewService",
    "com.apple.DiagnosticsService",
    "com.apple.CTNotifyUIService",
    "com.apple.HealthPrivacyService",
    "com.apple.WebContentFilter.remoteUI.WebContentAnalysisUI",
    "com.apple.ScreenshotServicesService",
    "com.apple.FTMInternal",
    "com.apple.carkit.DNDBuddy",
    "com.apple.PreBoard",
    "com.apple.datadetectors.DDActionsService",
    "com.apple.DemoApp",
    "com.apple.CoreAuthUI",
    "com.apple.SubcredentialUIService",
    "com.apple.MailCompositionService",
    "com.apple.Diagnostics",
    "com.apple.AuthKitUIService",
    "com.apple.TVRemote",
    "com.apple.gamecenter.GameCenterUIService",
    "com.apple.PrintKit.Print-Center",
    "com.apple.sidecar",
    "com.apple.AccountAuthenticationDialog",
    "com.apple.PassbookUIService",
    "com.apple.siri",
    "com.apple.CloudKit.ShareBear",
    "com.apple.HealthENBuddy",
    "com.apple.SafariViewService",
    "com.apple.SIMSetupUIService",
    "com.apple.CompassCalibrationViewService",
    "com.apple.PhotosViewService",
    "com.apple.MusicUIService",
    "com.apple.TrustMe",
    "com.apple.Home.HomeUIService",
    "com.apple.CTCarrierSpaceAuth",
    "com.apple.StoreDemoViewService",
    "com.apple.susuiservice",
    "com.apple.social.SLYahooAuth",
    "com.apple.Spotlight",
    "com.apple.fieldtest",
    "com.apple.WebSheet",
    "com.apple.iad.iAdOptOut",
    "com.apple.dt.XcodePreviews",
    "com.apple.appleseed.FeedbackAssistant",
    "com.apple.FontInstallViewService",
    "com.apple.ScreenSharingViewService",
    "com.apple.SharedWebCredentialViewService",
    "com.apple.CheckerBoard",
    "com.apple.DataActivation",
    "com.apple.TVAccessViewService",
    "com.apple.VSViewService",
    "com.apple.TVRemoteUIService",
    "com.apple.SharingViewService",
    "com.apple.ios.StoreKitUIService",
    "com.apple.purplebuddy",
    "com.apple.ScreenTimeUnlock",
    "com.apple.webapp",
    "com.apple.ActivityMessagesApp",
    "com.apple.icloud.apps.messages.business",
    "com.apple.ClipViewService",
    "com.apple.CredentialSharingService",
    "com.apple.ctkui",
    "com.apple.FunCamera.EmojiStickers",
    "com.apple.siri.parsec.HashtagImagesApp",
    "com.apple.icq",
    "com.apple.Jellyfish",
    "com.apple.Animoji.StickersApp",
    "com.apple.PassbookSecureUIService",
    "com.apple.Photos.PhotosUIService",
    "com.apple.shortcuts.runtime",
    "com.apple.SleepLockScreen",
    "com.apple.FunCamera.TextPicker",
    "com.apple.FunCamera.ShapesPicker",
    "com.apple.smsFilter",
    "com.apple.AskPermissionUI",
    "com.apple.AAUIViewService",
    "com.apple.Sharing.AirDropUI",
    "com.apple.airplayreceiver",
    "com.apple.AMSEngagementViewService",
    "com.apple.AuthenticationServicesUI",
    "com.apple.BacklinkIndicator",
    "com.apple.CarPlayWallpaper",
    "com.apple.CBRemoteSetup",
    "com.apple.ClockAngel",
    "com.apple.CompanionAuthViewService",
    "com.apple.SOSBuddy",
    "com.apple.AXRemoteViewService",
    "com.apple.DiagnosticsReporter",
    "com.apple.ShazamViewService",
    "com.apple.family",
    "com.apple.FCAuthenticationUI",
    "com.apple.PeopleMessageService",
    "com.apple.icloud.FindMyDevice.FindMyExtensionContainer",
    "com.apple.findmy.remoteuiservice",
    "com.apple.FMDMagSafeSetupRemoteUI",
    "com.apple.gamecenter.widgets",
    "com.apple.GameCenterRemoteAlert",
    "com.apple.HearingApp",
    "com.apple.Home.HomeControlService",
    "com.apple.HomeCaptiveViewService",
    "com.apple.HDSViewService",
    "com.apple.InputUI",
    "com.apple.MediaRemoteUI",
    "com.apple.MobileReplayer",
    "com.apple.MTLReplayer",
    "com.apple.musicrecognition",
    "com.apple.PaperBoard",
    "com.apple.PosterBoard",
    "com.apple.PCViewService",
    "com.apple.ProximityReaderUIService",
    "com.apple.RecoverDeviceUI",
    "com.apple.RemotePassUIService",
    "com.apple.replaykitangel",
    "com.apple.ScreenTimeWidgetApplication",
    "com.apple.MBHelperApp",
    "com.apple.ShortcutsUI",
    "com.apple.Health.Sleep",
    "com.apple.SpringBoardEducation",
    "com.apple.SystemPaperViewService",
    "com.apple.ContactlessUIService",
    "com.apple.TVSetupUIService",
    "com.apple.PassbookUISceneService",
    "com.apple.Batteries",
};

class VantorelFileManagerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(device.host("/var/mobile/Library/MobileInstallation"));
    }
    void registerApplications(std::vector<mcs::ApplicationRegistry::Application> applications) {
        ASSERT_TRUE(mcs::ApplicationRegistry::write(applications));
    }
    static mcs::ApplicationRegistry::Application
    messages(std::string container = SimulatedDevice::kContainer) {
        return {"com.apple.MobileSMS", 1, container};
    }
    void sync() {
        files.updatingSquad();
        ASSERT_TRUE(ns::DispatchRuntime::runMainQueueUntilIdle(30));
    }
    std::string remembered() const {
        return files.objectForKey("messageDocumentPath", ns::PlistValue("none"), SimulatedDevice::kSource)
            .stringValue();
    }
    std::string chatTarget() const {
        return SimulatedDevice::documents() + "com.tavq.vantorelprefs-chatWallpaper.png";
    }

    SimulatedDevice device{"com.apple.springboard"};
    VantorelFileManager& files = *VantorelFileManager::shared();
};

TEST_F(VantorelFileManagerTest, HiddenApplicationsAndFileAccess) {
    EXPECT_FALSE(files.hasIconAndVisible(std::string("com.apple.mobilesms.compose")));
    EXPECT_FALSE(files.hasIconAndVisible(std::string("com.apple.Batteries")));
    EXPECT_TRUE(files.hasIconAndVisible(std::string("com.apple.MobileSMS")));
    EXPECT_TRUE(files.hasIconAndVisible(std::string("com.apple.batteries"))) << "the list is case-sensitive";
    EXPECT_TRUE(files.hasIconAndVisible(std::nullopt));
    for (const std::string& identifier : kExpectedHidden) {
        EXPECT_FALSE(files.hasIconAndVisible(identifier)) << identifier;
    }
    EXPECT_EQ(kHiddenApplications.size(), kExpectedHidden.size()) << "no identifier more, none blank";

    const std::string path = "/var/mobile/Library/Preferences/other.plist";
    EXPECT_EQ(files.objectForKey("k", ns::PlistValue("none"), path), ns::PlistValue("none"));
    EXPECT_TRUE(files.dictForPath(path).empty());
    files.setObject(ns::PlistValue(int64_t{3}), "k", path);
    files.setObject(ns::PlistValue("v"), "other", path);
    EXPECT_EQ(files.dictForPath(path),
              (ns::PlistDictionary{{"k", ns::PlistValue(int64_t{3})}, {"other", ns::PlistValue("v")}}));
}

TEST_F(VantorelFileManagerTest, NoSourceFileMeansNoSyncAtAll) {
    registerApplications({messages()});
    sync();
    EXPECT_TRUE(device.syslog().empty());
    EXPECT_FALSE(std::filesystem::exists(device.host(SimulatedDevice::target())));
}

TEST_F(VantorelFileManagerTest, FirstLaunchScansRemembersAndCopiesThenLaterLaunchesCopyStraightAway) {
    registerApplications(
        {{"com.apple.mobilesms.compose", 1, std::string("/var/mobile/Containers/Data/Application/C/")},
         messages(),
         {"com.apple.Preferences", 1, std::nullopt}});
    device.write(SimulatedDevice::kSource, {{"accent", ns::PlistValue("ff0000")}});
    device.writeBytes(kChatSource, std::string("\x89PNG\0chat", 9));
    sync();
    EXPECT_EQ(remembered(), SimulatedDevice::documents());
    EXPECT_EQ(device.syslog().find("no sms path") != std::string::npos, true);
    EXPECT_EQ(device.syslog().find(SimulatedDevice::target()), std::string::npos)
        << "the copy that follows a scan names no file";
    ns::PlistDictionary target = device.read(SimulatedDevice::target());
    EXPECT_EQ(target.at("accent"), ns::PlistValue("ff0000"));
    EXPECT_EQ(target.at("messageDocumentPath"), ns::PlistValue(SimulatedDevice::documents()));
    EXPECT_EQ(device.readBytes(chatTarget()), std::string("\x89PNG\0chat", 9));

    // Second launch: the path is known, the merge only adds and overwrites.
    device.write(SimulatedDevice::target(),
                 {{"onlyInTarget", ns::PlistValue(true)}, {"accent", ns::PlistValue("0")}});
    device.write(SimulatedDevice::kSource,
                 {{"accent", ns::PlistValue("00ff00")},
                  {"messageDocumentPath", ns::PlistValue(SimulatedDevice::documents())}});
    std::filesystem::remove(device.host(kChatSource));
    sync();
    target = device.read(SimulatedDevice::target());
    EXPECT_EQ(target.at("accent"), ns::PlistValue("00ff00"));
    EXPECT_EQ(target.at("onlyInTarget"), ns::PlistValue(true));
    EXPECT_EQ(device.readBytes(chatTarget()), std::string("\x89PNG\0chat", 9))
        << "a missing source keeps the target";
    std::string log = device.syslog();
    EXPECT_NE(log.find("sms path exist"), std::string::npos);
    EXPECT_NE(log.find(SimulatedDevice::target()), std::string::npos);
}

TEST_F(VantorelFileManagerTest, NoneOrTwoMessagesStoreNothing) {
    device.write(SimulatedDevice::kSource, {{"accent", ns::PlistValue("ff0000")}});
    registerApplications(
        {{"com.apple.Preferences", 1, std::string("/var/mobile/Containers/Data/Application/P/")}});
    sync();
    EXPECT_EQ(remembered(), "none");
    registerApplications({messages(), {"com.apple.MobileSMS.helper", 1, std::string("/x/")}});
    sync();
    EXPECT_EQ(remembered(), "none");
    EXPECT_FALSE(std::filesystem::exists(device.host(SimulatedDevice::target())));
    // Messages without a data container has no Documents folder to remember.
    registerApplications({{"com.apple.MobileSMS", 1, std::nullopt}});
    sync();
    EXPECT_EQ(remembered(), "none");
    // Such an application is recorded with the shared Documents folder as its
    // container, so Messages reporting exactly that folder counts as having none.
    registerApplications({messages("/var/mobile/Documents")});
    sync();
    EXPECT_EQ(remembered(), "none");
}

TEST_F(VantorelFileManagerTest, AMovedContainerIsFoundAgain) {
    const std::string moved = "/var/mobile/Containers/Data/Application/NEW-UUID/";
    device.write(SimulatedDevice::kSource, {{"accent", ns::PlistValue("ff0000")}});
    registerApplications({messages()});
    sync();
    ASSERT_EQ(remembered(), SimulatedDevice::documents());

    std::filesystem::remove_all(device.host(SimulatedDevice::kContainer));
    std::filesystem::create_directories(device.host(moved + "Documents"));
    registerApplications({messages(moved)});
    sync();
    EXPECT_EQ(remembered(), moved + "Documents/");
    EXPECT_EQ(device.read(moved + "Documents/com.tavq.vantorelprefs.plist").at("accent"),
              ns::PlistValue("ff0000"));
    EXPECT_FALSE(std::filesystem::exists(device.host(SimulatedDevice::kContainer)))
        << "no folder is ever created";
}

TEST_F(VantorelFileManagerTest, AFailedWallpaperCopyKeepsTheOldOne) {
    device.write(SimulatedDevice::kSource,
                 {{"messageDocumentPath", ns::PlistValue(SimulatedDevice::documents())}});
    device.writeBytes(chatTarget(), "old wallpaper");
    // A source that exists but cannot be copied as a file.
    ASSERT_EQ(::mkfifo(device.host(kChatSource).c_str(), 0644), 0);
    device.writeBytes(kListSource, "new list wallpaper");
    sync();
    EXPECT_EQ(device.readBytes(chatTarget()), "old wallpaper");
    EXPECT_EQ(
        device.readBytes(SimulatedDevice::documents() + "com.tavq.vantorelprefs-conversationWallpaper.png"),
        "new list wallpaper");
    for (const auto& entry : std::filesystem::directory_iterator(device.host(SimulatedDevice::documents())))
        EXPECT_EQ(entry.path().string().find(".incoming"), std::string::npos) << "no temporary file is left";
}

} // namespace
