#pragma once
#include <ChatKit/CKBalloonView.h>
#include <UIKit/UILabel.h>

#include <string>

// A text balloon filled with its service's colours (iMessage, SMS, incoming).
class CHATKIT_EXTERN CKColoredBalloonView : public CKBalloonView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKColoredBalloonView, CKBalloonView)

    static constexpr CGFloat kFontSize = 17;
    static constexpr CGFloat kHorizontalPadding = 12;
    static constexpr CGFloat kVerticalPadding = 7;

    // The balloon takes the first colour of its gradient.
    void setMessage(const std::string& text, const std::vector<rt::Ref<UIColor>>& colours,
                    UIColor* textColour);
    rt::Ref<UILabel> textLabel() const { return m_textLabel; }
    CGSize balloonSize(CGFloat maxWidth) const override;

  private:
    // Runtime "layoutSubviews".
    void placeText();

    rt::Ref<UILabel> m_textLabel;
};
