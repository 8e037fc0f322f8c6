#pragma once
#include <ChatKit/CKBalloonView.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

#include <string>

// A balloon drawn by an app extension: a link preview, its picture above the
// page's title and site.
#define CKTRANSCRIPTPLUGINBALLOONVIEW_PROPERTIES(P)                                                          \
    P(BOOL, shouldMaskWhenOpaque, setShouldMaskWhenOpaque, YES)

#define CKTRANSCRIPTPLUGINBALLOONVIEW_METHODS(M, O, C) O(layoutSubviews)

class CHATKIT_EXTERN CKTranscriptPluginBalloonView : public CKBalloonView {
    RT_OBJECT_WITH_CONSTRUCTOR(CKTranscriptPluginBalloonView, CKBalloonView)
    RT_PROPERTIES(CKTRANSCRIPTPLUGINBALLOONVIEW_PROPERTIES)
    RT_METHODS(CKTRANSCRIPTPLUGINBALLOONVIEW_METHODS)

    static constexpr CGFloat kWidth = 250;
    static constexpr CGFloat kImageHeight = 130;
    static constexpr CGFloat kCaptionHeight = 56;

    void setLink(const std::string& title, const std::string& site,
                 const std::vector<rt::Ref<UIColor>>& colours, UIColor* textColour);
    rt::Ref<UILabel> titleLabel() const { return m_titleLabel; }
    CGSize balloonSize(CGFloat maxWidth) const override;

  private:
    rt::Ref<UIImageView> m_imageView;
    rt::Ref<UILabel> m_titleLabel;
    rt::Ref<UILabel> m_siteLabel;
};
