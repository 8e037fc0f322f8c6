#include <ChatKit/CKColoredBalloonView.h>

#include <ChatKit/CKTranscriptCollectionView.h>
#include <UIKit/TextMeasurement.h>
#include <UIKit/UIFont.h>
#include <objc/message.h>

#include <algorithm>
#include <cmath>

RT_DEFINE_CLASS(CKColoredBalloonView, nullptr)

CKColoredBalloonView::CKColoredBalloonView(Class cls) : CKBalloonView(cls), m_textLabel(rt::make<UILabel>()) {
    m_textLabel->setFont(UIFont::systemFontOfSize(kFontSize));
    m_textLabel->setNumberOfLines(0);
    addSubview(m_textLabel);
}

void CKColoredBalloonView::setMessage(const std::string& text, const std::vector<rt::Ref<UIColor>>& colours,
                                      UIColor* textColour) {
    m_textLabel->setText(text);
    m_textLabel->setTextColor(textColour);
    m_colours = colours;
    setBackgroundColor(colours.empty() ? nullptr : colours.front().get());
    setNeedsLayout();
}

CGSize CKColoredBalloonView::balloonSize(CGFloat maxWidth) const {
    const CGSize line = uikit::measureTextLine(m_textLabel->text(), kFontSize);
    const CGFloat textWidth = std::max<CGFloat>(1, maxWidth - 2 * kHorizontalPadding);
    const CGFloat lines = std::max<CGFloat>(1, std::ceil(line.width / textWidth));
    const CGFloat width = std::min(line.width, textWidth) + 2 * kHorizontalPadding;
    return CGSizeMake(std::ceil(width), std::ceil(lines * line.height + 2 * kVerticalPadding));
}

void CKColoredBalloonView::layoutSubviewsImpl() {
    const CGRect bounds = this->bounds();
    layer()->setCornerRadius(std::min(kCornerRadius, bounds.size.height / 2));
    rt::Ref<UIView> span = m_gradientSpan.lock();
    for (rt::Ref<UIView> above = superview(); above && !span; above = above->superview())
        if (rt::is<CKTranscriptCollectionView>(above.get()))
            span = above;
    layer()->setGradient(m_colours, span);
    m_textLabel->setFrame(CGRectMake(kHorizontalPadding, kVerticalPadding,
                                     std::max<CGFloat>(0, bounds.size.width - 2 * kHorizontalPadding),
                                     std::max<CGFloat>(0, bounds.size.height - 2 * kVerticalPadding)));
}
