#pragma once
#include <ChatKit/ChatKitDefines.h>
#include <Foundation/NSAttributedString.h>
#include <UIKit/UILabel.h>

// A line of the transcript that is not a message: a date, or a delivery
// status ("Delivered", "Read"). Its text goes to a private label "_label".
// "setAttributedText:" shows the text in the label, in its foreground colour if it has one.
#define CKTRANSCRIPTLABELCELL_METHODS(M, O, C)                                                               \
    M(void, setAttributedText, "setAttributedText:", (NSAttributedString*))                                  \
    O(layoutSubviews)

class CHATKIT_EXTERN CKTranscriptLabelCell : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKTranscriptLabelCell, UIView)
    RT_METHODS(CKTRANSCRIPTLABELCELL_METHODS)

    static constexpr CGFloat kMargin = 16;

    rt::Ref<UILabel> label() const { return m_label; }

  private:
    rt::Ref<UILabel> m_label;
};
