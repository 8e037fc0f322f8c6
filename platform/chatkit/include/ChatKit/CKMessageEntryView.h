#pragma once
#include <ChatKit/CKBrowserSwitcherFooterView.h>
#include <ChatKit/CKMessageEntryContentView.h>
#include <ChatKit/ChatKitDefines.h>
#include <UIKit/UIButton.h>

// The bar at the bottom of a conversation: the camera and apps buttons, the
// entry field, and under them the app strip with its own blur. The bar's
// background view and the app strip's blur are properties Messages reaches
// through the runtime.
#define CKMESSAGEENTRYVIEW_PROPERTIES(P)                                                                     \
    P(rt::Ref<UIView>, backgroundView, setBackgroundView, {})                                                \
    P(rt::Ref<UIView>, appStripBackgroundBlurView, setAppStripBackgroundBlurView, {})                        \
    P(BOOL, shouldOpaqueBackgroundView, setShouldOpaqueBackgroundView, NO)

#define CKMESSAGEENTRYVIEW_METHODS(M, O, C) O(layoutSubviews)

class CHATKIT_EXTERN CKMessageEntryView : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKMessageEntryView, UIView)
    RT_PROPERTIES(CKMESSAGEENTRYVIEW_PROPERTIES)
    RT_METHODS(CKMESSAGEENTRYVIEW_METHODS)

    static constexpr CGFloat kEntryRowHeight = 52;
    static constexpr CGFloat kHeight = kEntryRowHeight + CKBrowserSwitcherFooterView::kHeight;

    rt::Ref<CKMessageEntryContentView> contentView() const { return m_contentView; }
    rt::Ref<CKBrowserSwitcherFooterView> appStrip() const { return m_appStrip; }

  private:
    rt::Ref<CKMessageEntryContentView> m_contentView;
    rt::Ref<CKBrowserSwitcherFooterView> m_appStrip;
    rt::Ref<UIButton> m_cameraButton;
    rt::Ref<UIButton> m_appsButton;
};
