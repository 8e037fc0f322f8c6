#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIView.h>

// The bar at the bottom of a conversation that holds the entry field, with a
// background view and the blur behind the app strip.
#define CKMESSAGEENTRYVIEW_PROPERTIES(P)                                                                     \
    P(rt::Ref<UIView>, backgroundView, setBackgroundView, {})                                                \
    P(rt::Ref<UIView>, appStripBackgroundBlurView, setAppStripBackgroundBlurView, {})                        \
    P(BOOL, shouldOpaqueBackgroundView, setShouldOpaqueBackgroundView, NO)

class CHATKIT_EXTERN CKMessageEntryView : public UIView {
    RT_OBJECT(CKMessageEntryView, UIView)
    RT_PROPERTIES(CKMESSAGEENTRYVIEW_PROPERTIES)
};
