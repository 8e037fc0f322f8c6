#include "PQHeaderView.h"

#include "UIViewExtension.h"

RT_DEFINE_CLASS(PQHeaderView, nullptr)

id PQHeaderView::initWithFrameImpl(CGRect frame) {
    if (!initWithFrameSuper(frame))
        return nullptr;
    rt::Ref<UIImageView> banner = rt::make<UIImageView>();
    banner->setClipsToBounds(YES);
    banner->setContentMode(UIViewContentModeScaleAspectFit);
    banner->layer()->setCornerRadius(kCornerRadius);
    banner->setImage(UIImage::imageWithContentsOfFile(kBannerPath)); // nil when missing
    addSubview(banner);
    UIViewExtension(banner).top(topAnchor(), kTop);
    UIViewExtension(banner).leading(leadingAnchor(), kSide);
    UIViewExtension(banner).trailing(trailingAnchor(), -kSide);
    UIViewExtension(banner).bottom(bottomAnchor(), 0);
    return this;
}
