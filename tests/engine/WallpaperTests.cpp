// The wallpapers behind the conversation list and the transcript, in a
// Messages process with the engine: each scenario runs in a child.
#include "ChatWallpaper.h"
#include "ConversationListWallpaper.h"
#include "InMessages.h"

#include <ChatKit/CKConversationListCollectionViewController.h>
#include <ChatKit/CKTranscriptCollectionViewController.h>
#include <UIKit/UIBlurEffect.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UIWindow.h>

#include <substrate.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

namespace {

// A 4 by 2 picture encoded as JPEG, stored under the ".png" name the pane uses.
void storeJpegWallpaper(SimulatedDevice& device, const char* imageKey) {
    uikit::ImageBitmap bitmap;
    bitmap.width = 4;
    bitmap.height = 2;
    bitmap.pixels.assign(8, 0xFF3366CCu);
    auto jpeg = UIImageJPEGRepresentation(UIImage::imageWithBitmap(std::move(bitmap)), 0.9);
    device.writeBytes(SimulatedDevice::documents() + "com.tavq.vantorelprefs-" + imageKey + ".png",
                      std::string(jpeg->begin(), jpeg->end()));
}

rt::Ref<UIView> transcriptBackground() {
    rt::Ref<CKTranscriptCollectionViewController> controller =
        rt::make<CKTranscriptCollectionViewController>();
    return controller->collectionView()->backgroundView();
}

std::optional<NSInteger> blurStyleOf(UIView* wallpaper) {
    auto chat = rt::dynamicCast<ChatWallpaper>(wallpaper);
    if (!chat || !chat->blurEffectView())
        return std::nullopt;
    auto blur = rt::dynamicCast<UIBlurEffect>(chat->blurEffectView()->effect());
    return blur ? std::optional<NSInteger>(blur->style()) : std::optional<NSInteger>(-1);
}

TEST(Wallpapers, SwitchedOffTheListsKeepTheirBackgroundAndTheTranscriptNeverMasks) {
    inMessages({{"enableChatBlur", ns::PlistValue(true)}}, [](SimulatedDevice&) {
        Checks c;
        rt::Ref<CKTranscriptCollectionViewController> chat = rt::make<CKTranscriptCollectionViewController>();
        CHECK(c, chat->collectionView()->backgroundView() == nullptr);
        CHECK(c, chat->shouldUseOpaqueMask() == NO);
        rt::Ref<CKConversationListCollectionViewController> list =
            rt::make<CKConversationListCollectionViewController>();
        CHECK(c, list->collectionView()->backgroundView() == nullptr);
        return c.failed;
    });
}

TEST(Wallpapers, OnWithoutAPictureAnEmptyImageViewAndOnlyTheBlurShows) {
    inMessages({{"enableConversationWallpaper", ns::PlistValue(true)},
                {"enableConversationBlur", ns::PlistValue(true)}},
               [](SimulatedDevice&) {
                   Checks c;
                   rt::Ref<CKConversationListCollectionViewController> list =
                       rt::make<CKConversationListCollectionViewController>();
                   auto wallpaper =
                       rt::dynamicCast<ConversationListWallpaper>(list->collectionView()->backgroundView());
                   CHECK(c, wallpaper != nullptr);
                   if (!wallpaper)
                       return c.failed;
                   CHECK(c, wallpaper->subviews().size() == 2);
                   auto image = rt::dynamicCast<UIImageView>(wallpaper->subviews().front());
                   CHECK(c, image && !image->image());
                   CHECK(c, wallpaper->subviews().back() == wallpaper->blurEffectView());
                   CHECK(c, wallpaper->clipsToBounds() == YES);
                   CHECK(c, wallpaper->backgroundColor() == nullptr);
                   // Missing style: dark.
                   auto blur = rt::dynamicCast<UIBlurEffect>(wallpaper->blurEffectView()->effect());
                   CHECK(c, blur && blur->style() == UIBlurEffectStyleDark);
                   return c.failed;
               });
}

TEST(Wallpapers, StoredBlurStylesMapToLightDarkAndMaterialAndAnythingElseToNoEffect) {
    struct Case {
        std::int64_t stored;
        NSInteger expected; // -1: a blur view without an effect
    };
    for (Case each : {Case{0, UIBlurEffectStyleLight}, Case{1, UIBlurEffectStyleDark},
                      Case{2, UIBlurEffectStyleSystemMaterial}, Case{5, -1}, Case{-1, -1}}) {
        static Case current;
        current = each;
        inMessages({{"enableChatWallpaper", ns::PlistValue(true)},
                    {"enableChatBlur", ns::PlistValue(true)},
                    {"chatBlurStyle", ns::PlistValue(each.stored)}},
                   [](SimulatedDevice&) {
                       Checks c;
                       std::optional<NSInteger> style = blurStyleOf(transcriptBackground().get());
                       CHECK(c, style == current.expected);
                       return c.failed;
                   });
    }
}

std::optional<NSInteger> listBlurStyle(UIView* wallpaper) {
    auto list = rt::dynamicCast<ConversationListWallpaper>(wallpaper);
    if (!list || !list->blurEffectView())
        return std::nullopt;
    auto blur = rt::dynamicCast<UIBlurEffect>(list->blurEffectView()->effect());
    return blur ? std::optional<NSInteger>(blur->style()) : std::optional<NSInteger>(-1);
}

// Each wallpaper reads its own four keys: the other's switch, picture and
// style never leak into it.
TEST(Wallpapers, TheConversationListReadsItsOwnKeysAndStyles) {
    struct Case {
        std::int64_t listStyle, chatStyle;
        NSInteger listExpected, chatExpected;
    };
    for (Case each : {Case{0, 2, UIBlurEffectStyleLight, UIBlurEffectStyleSystemMaterial},
                      Case{2, 0, UIBlurEffectStyleSystemMaterial, UIBlurEffectStyleLight}}) {
        static Case current;
        current = each;
        inMessages({{"enableConversationWallpaper", ns::PlistValue(true)},
                    {"enableConversationBlur", ns::PlistValue(true)},
                    {"conversationBlurStyle", ns::PlistValue(each.listStyle)},
                    {"enableChatWallpaper", ns::PlistValue(true)},
                    {"enableChatBlur", ns::PlistValue(true)},
                    {"chatBlurStyle", ns::PlistValue(each.chatStyle)}},
                   [](SimulatedDevice& device) {
                       storeJpegWallpaper(device, "conversationWallpaper");
                       Checks c;
                       rt::Ref<CKConversationListCollectionViewController> list =
                           rt::make<CKConversationListCollectionViewController>();
                       rt::Ref<UIView> listWallpaper = list->collectionView()->backgroundView();
                       CHECK(c, listBlurStyle(listWallpaper.get()) == current.listExpected);
                       auto image = listWallpaper && !listWallpaper->subviews().empty()
                                        ? rt::dynamicCast<UIImageView>(listWallpaper->subviews().front())
                                        : nullptr;
                       CHECK(c, image && image->image() && image->image()->size().width == 4);
                       rt::Ref<UIView> chat = transcriptBackground();
                       CHECK(c, blurStyleOf(chat.get()) == current.chatExpected);
                       auto chatImage = chat && !chat->subviews().empty()
                                            ? rt::dynamicCast<UIImageView>(chat->subviews().front())
                                            : nullptr;
                       CHECK(c, chatImage && !chatImage->image()); // the list's picture is not the chat's
                       return c.failed;
                   });
    }
    // Only the chat's switches on: the list keeps its background.
    inMessages(
        {{"enableChatWallpaper", ns::PlistValue(true)}, {"enableChatBlur", ns::PlistValue(true)}},
        [](SimulatedDevice&) {
            Checks c;
            CHECK(
                c,
                rt::make<CKConversationListCollectionViewController>()->collectionView()->backgroundView() ==
                    nullptr);
            CHECK(c, blurStyleOf(transcriptBackground().get()) == UIBlurEffectStyleDark);
            return c.failed;
        });
}

// Messages' own viewDidLoad (here one that gives the list a plain background)
// runs, and runs first; the wallpaper is what stays.
template <class Controller> struct OwnLoad {
    static inline void (*previous)(id, SEL) = nullptr;
    static inline int loads = 0;
    static void load(id self, SEL cmd) {
        ++loads;
        previous(self, cmd);
        rt::Ref<UIView> plain = rt::make<UIView>();
        static_cast<Controller*>(self)->collectionView()->setBackgroundView(plain);
    }
};

TEST(Wallpapers, TheWallpaperIsSetAfterTheControllersOwnViewDidLoad) {
    EXPECT_EXIT(
        {
            SimulatedDevice device;
            device.write(SimulatedDevice::target(), {{"enableChatWallpaper", ns::PlistValue(true)},
                                                     {"enableConversationWallpaper", ns::PlistValue(true)}});
            using List = CKConversationListCollectionViewController;
            using Chat = CKTranscriptCollectionViewController;
            MSHookMessageEx(List::classObject(), rt::sel<"viewDidLoad">(), &OwnLoad<List>::load,
                            &OwnLoad<List>::previous);
            MSHookMessageEx(Chat::classObject(), rt::sel<"viewDidLoad">(), &OwnLoad<Chat>::load,
                            &OwnLoad<Chat>::previous);
            VantorelStartup::mainInitialiser();
            const bool list = rt::dynamicCast<ConversationListWallpaper>(
                                  rt::make<List>()->collectionView()->backgroundView()) != nullptr;
            const bool chat = rt::dynamicCast<ChatWallpaper>(transcriptBackground()) != nullptr;
            std::exit((list ? 0 : 1) + (chat ? 0 : 2) + (OwnLoad<List>::loads == 1 ? 0 : 4) +
                      (OwnLoad<Chat>::loads == 1 ? 0 : 8));
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Wallpapers, BlurOffLeavesTheImageViewAloneAndAJpegUnderThePngNameShows) {
    inMessages({{"enableChatWallpaper", ns::PlistValue(true)}}, [](SimulatedDevice& device) {
        storeJpegWallpaper(device, "chatWallpaper");
        Checks c;
        auto wallpaper = rt::dynamicCast<ChatWallpaper>(transcriptBackground());
        CHECK(c, wallpaper != nullptr);
        if (!wallpaper)
            return c.failed;
        CHECK(c, wallpaper->blurEffectView() == nullptr);
        CHECK(c, wallpaper->subviews().size() == 1);
        auto image = rt::dynamicCast<UIImageView>(wallpaper->subviews().front());
        CHECK(c, image && image->image() && image->image()->size().width == 4);
        CHECK(c, image && image->contentMode() == UIViewContentModeScaleAspectFill && image->clipsToBounds());
        return c.failed;
    });
}

TEST(Wallpapers, AfterAResizeTheBlurFollowsAndTheImageKeepsItsFirstFrame) {
    inMessages({{"enableChatWallpaper", ns::PlistValue(true)}, {"enableChatBlur", ns::PlistValue(true)}},
               [](SimulatedDevice&) {
                   Checks c;
                   rt::Ref<UIWindow> window = rt::make<UIWindow>();
                   window->setFrame(CGRectMake(0, 0, 390, 844));
                   rt::Ref<CKTranscriptCollectionViewController> chat =
                       rt::make<CKTranscriptCollectionViewController>();
                   rt::Ref<UICollectionView> transcript = chat->collectionView();
                   window->addSubview(transcript);
                   window->layoutIfNeeded();
                   auto wallpaper = rt::dynamicCast<ChatWallpaper>(transcript->backgroundView());
                   CHECK(c, wallpaper != nullptr);
                   if (!wallpaper)
                       return c.failed;
                   const CGRect first = wallpaper->subviews().front()->frame();
                   CHECK(c, first == CGRectMake(0, 0, 390, 844));
                   transcript->setFrame(CGRectMake(0, 0, 844, 390)); // rotated
                   window->layoutIfNeeded();
                   CHECK(c, wallpaper->frame() == CGRectMake(0, 0, 844, 390));
                   CHECK(c, wallpaper->blurEffectView()->frame() == CGRectMake(0, 0, 844, 390));
                   CHECK(c, wallpaper->subviews().front()->frame() == first);
                   return c.failed;
               });
}

} // namespace
