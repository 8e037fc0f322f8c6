#include "PQHeaderView.h"

#include "UIViewExtension.h"

namespace {

id initWithFrame(id self, SEL cmd, CGRect frame) {
    id made = rt::sendSuper<id(CGRect)>(self, PQHeaderView::classObject(), cmd, frame);
    if (!made)
        return nullptr;
    auto* header = static_cast<PQHeaderView*>(made);
    rt::Ref<UIImageView> banner = rt::make<UIImageView>();
    banner->setClipsToBounds(YES);
    banner->setContentMode(UIViewContentModeScaleAspectFit);
    banner->layer()->setCornerRadius(PQHeaderView::kCornerRadius);
    banner->setImage(UIImage::imageWithContentsOfFile(PQHeaderView::kBannerPath)); // nil when missing
    header->addSubview(banner);
    UIViewExtension(banner).top(header->topAnchor(), PQHeaderView::kTop);
    UIViewExtension(banner).leading(header->leadingAnchor(), PQHeaderView::kSide);
    UIViewExtension(banner).trailing(header->trailingAnchor(), -PQHeaderView::kSide);
    UIViewExtension(banner).bottom(header->bottomAnchor(), 0);
    return made;
}

} // namespace

RT_DEFINE_CLASS(PQHeaderView,
                [](Class cls, Class) { class_addMethod(cls, rt::sel<"initWithFrame:">(), &::initWithFrame); })
