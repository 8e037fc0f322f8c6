#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <Foundation/NSAttributedString.h>
#include <UIKit/UILabel.h>

// A line of the transcript that is not a message: a date, or a delivery
// status ("Delivered", "Read"). Its text goes to a private label "_label".
class CHATKIT_EXTERN CKTranscriptLabelCell : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKTranscriptLabelCell, UIView)

    static constexpr CGFloat kMargin = 16;

    // Runtime method "setAttributedText:": the label shows the text.
    void setAttributedText(NSAttributedString* text);
    rt::Ref<UILabel> label() const { return m_label; }

  private:
    // Runtime "layoutSubviews".
    void placeLabel();

    rt::Ref<UILabel> m_label;
};
