#include <ChatKit/CKTranscriptPluginBalloonView.h>

#include "SamplePicture.h"

#include <UIKit/UIFont.h>
#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(CKTranscriptPluginBalloonView, nullptr)

CKTranscriptPluginBalloonView::CKTranscriptPluginBalloonView(Class cls)
    : CKBalloonView(cls), m_imageView(rt::make<UIImageView>()), m_titleLabel(rt::make<UILabel>()),
      m_siteLabel(rt::make<UILabel>()) {
    m_imageView->setImage(chatkit::samplePicture(500, 260, 0.7));
    m_imageView->setContentMode(UIViewContentModeScaleAspectFill);
    m_titleLabel->setFont(UIFont::systemFontOfSize(15, UIFontWeightSemibold));
    m_siteLabel->setFont(UIFont::systemFontOfSize(13));
    m_siteLabel->setTextColor(UIColor::secondaryLabelColor());
    addSubview(m_imageView);
    addSubview(m_titleLabel);
    addSubview(m_siteLabel);
}

void CKTranscriptPluginBalloonView::setLink(const std::string& title, const std::string& site,
                                            const std::vector<rt::Ref<UIColor>>& colours,
                                            UIColor* textColour) {
    m_titleLabel->setText(title);
    m_titleLabel->setTextColor(textColour);
    m_siteLabel->setText(site);
    setBackgroundColor(colours.empty() ? nullptr : colours.front().get());
}

CGSize CKTranscriptPluginBalloonView::balloonSize(CGFloat maxWidth) const {
    return CGSizeMake(std::min(kWidth, maxWidth), kImageHeight + kCaptionHeight);
}

void CKTranscriptPluginBalloonView::layoutSubviewsImpl() {
    const CGFloat width = bounds().size.width;
    m_imageView->setFrame(CGRectMake(0, 0, width, kImageHeight));
    m_titleLabel->setFrame(CGRectMake(12, kImageHeight + 8, std::max<CGFloat>(0, width - 24), 20));
    m_siteLabel->setFrame(CGRectMake(12, kImageHeight + 29, std::max<CGFloat>(0, width - 24), 18));
}
