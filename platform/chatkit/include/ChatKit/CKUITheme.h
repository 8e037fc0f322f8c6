#pragma once
#include <ChatKit/CKUIThemeColours.h>
#include <ChatKit/ChatKitDefines.h>

// The colours Messages asks for its conversation list, entry field, balloons
// and send buttons. Every method is reached through the runtime.
class CHATKIT_EXTERN CKUITheme : public NSObject {
    RT_OBJECT(CKUITheme, NSObject)

#define CKUITHEME_DECLARE_COLOUR(selector, stock)                                                            \
    rt::Ref<UIColor> selector() {                                                                            \
        return rt::send<rt::Ref<UIColor>()>(this, rt::sel<#selector>());                                     \
    }
    CKUITHEME_STOCK_COLOURS(CKUITHEME_DECLARE_COLOUR)
#undef CKUITHEME_DECLARE_COLOUR

#define CKUITHEME_DECLARE_BALLOON(selector, ...)                                                             \
    CKBalloonColors selector() {                                                                             \
        return rt::send<CKBalloonColors()>(this, rt::sel<#selector>());                                      \
    }
    CKUITHEME_BALLOON_COLOURS(CKUITHEME_DECLARE_BALLOON)
#undef CKUITHEME_DECLARE_BALLOON
};
