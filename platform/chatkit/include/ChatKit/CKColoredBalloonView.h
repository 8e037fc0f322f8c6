#pragma once
#include <ChatKit/CKBalloonView.h>
#include <UIKit/UILabel.h>

#include <string>

#define CKCOLOREDBALLOONVIEW_METHODS(M, O, C) O(layoutSubviews)

// A text balloon filled with its service's colours (iMessage, SMS, incoming).
class CHATKIT_EXTERN CKColoredBalloonView : public CKBalloonView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKColoredBalloonView, CKBalloonView)
    RT_METHODS(CKCOLOREDBALLOONVIEW_METHODS)

    static constexpr CGFloat kFontSize = 17;
    static constexpr CGFloat kHorizontalPadding = 12;
    static constexpr CGFloat kVerticalPadding = 7;

    // The balloon's background is the first colour; with two different
    // colours it is painted as a gradient over the transcript's visible
    // height, so its colour depends on where it sits on screen.
    void setMessage(const std::string& text, const std::vector<rt::Ref<UIColor>>& colours,
                    UIColor* textColour);
    const std::vector<rt::Ref<UIColor>>& balloonColors() const { return m_colours; }
    // The view whose height the gradient spans, for a balloon shown outside
    // its transcript; otherwise the transcript it is in.
    void setGradientSpan(UIView* span) { m_gradientSpan = span; }
    rt::Ref<UILabel> textLabel() const { return m_textLabel; }
    CGSize balloonSize(CGFloat maxWidth) const override;

  private:
    rt::Ref<UILabel> m_textLabel;
    std::vector<rt::Ref<UIColor>> m_colours;
    rt::Weak<UIView> m_gradientSpan;
};
