#pragma once
#include <ChatKit/CKBalloonView.h>

// A row of the transcript holding one balloon, at the trailing edge for
// messages sent and the leading edge for messages received.
#define CKTRANSCRIPTMESSAGECELL_METHODS(M, O, C) O(layoutSubviews)

class CHATKIT_EXTERN CKTranscriptMessageCell : public UIView {
    RT_OBJECT(CKTranscriptMessageCell, UIView)
    RT_METHODS(CKTRANSCRIPTMESSAGECELL_METHODS)

    static constexpr CGFloat kMargin = 12;
    static constexpr CGFloat kSpacing = 4;            // between two balloons
    static constexpr CGFloat kMaxBalloonShare = 0.72; // of the transcript's width

    enum class Side { leading, trailing };
    void setBalloon(rt::Ref<CKBalloonView> balloon, Side side);
    rt::Ref<CKBalloonView> balloonView() const { return m_balloon; }
    // The row's height in a transcript `width` points wide.
    CGFloat heightForWidth(CGFloat width) const;

  private:
    rt::Ref<CKBalloonView> m_balloon;
    Side m_side = Side::leading;
};
