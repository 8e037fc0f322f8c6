#include <ChatKit/CKTranscriptMessageCell.h>

#include <objc/message.h>

RT_DEFINE_CLASS(CKTranscriptMessageCell, nullptr)

void CKTranscriptMessageCell::setBalloon(rt::Ref<CKBalloonView> balloon, Side side) {
    if (m_balloon)
        m_balloon->removeFromSuperview();
    m_balloon = std::move(balloon);
    m_side = side;
    if (m_balloon)
        addSubview(m_balloon);
    setNeedsLayout();
}

CGFloat CKTranscriptMessageCell::heightForWidth(CGFloat width) const {
    return m_balloon ? m_balloon->balloonSize(width * kMaxBalloonShare).height + kSpacing : 0;
}

void CKTranscriptMessageCell::layoutSubviewsImpl() {
    if (!m_balloon)
        return;
    const CGFloat width = bounds().size.width;
    const CGSize size = m_balloon->balloonSize(width * kMaxBalloonShare);
    const CGFloat x = m_side == Side::trailing ? width - kMargin - size.width : kMargin;
    m_balloon->setFrame(CGRectMake(x, 0, size.width, size.height));
}
