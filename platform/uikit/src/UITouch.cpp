#include <UIKit/UITouch.h>

#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIView.h>
#include <objc/Casts.h>

#include <vector>

RT_DEFINE_CLASS(UITouch, nullptr)

rt::Ref<UITouch> UITouch::touchInView(UIView* view, CGPoint locationInView) {
    rt::Ref<UITouch> touch = rt::make<UITouch>();
    touch->moveTo(view, locationInView);
    touch->m_view = view;
    return touch;
}

rt::Ref<UIView> UITouch::view() const {
    return m_view.lock();
}

void UITouch::moveTo(UIView* view, CGPoint location) {
    m_location = uikit::convertToTop(view, location);
}

CGPoint UITouch::locationInView(UIView* view) const {
    const CGPoint origin = uikit::convertToTop(view, CGPoint{0, 0});
    return CGPoint{m_location.x - origin.x, m_location.y - origin.y};
}

namespace uikit {

CGPoint convertToTop(const UIView* view, CGPoint point) {
    for (rt::Ref<UIView> at(const_cast<UIView*>(view)); at && at->superview(); at = at->superview()) {
        const CGRect frame = at->frame();
        point.x += frame.origin.x;
        point.y += frame.origin.y;
    }
    return point;
}

namespace {

bool takesTouches(UIView* view) {
    return !view->isHidden() && view->alpha() > 0.01 && !rt::is<UILabel>(view) && !rt::is<UIImageView>(view);
}

bool inside(UIView* view, CGPoint point) {
    const CGSize size = view->bounds().size;
    return point.x >= 0 && point.y >= 0 && point.x < size.width && point.y < size.height;
}

} // namespace

rt::Ref<UIView> hitTest(UIView* root, CGPoint point) {
    if (!root || !takesTouches(root) || !inside(root, point))
        return nullptr;
    const std::vector<rt::Ref<UIView>>& subviews = root->subviews();
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        const rt::Ref<UIView>& subview = *it;
        const CGRect frame = subview->frame();
        if (rt::Ref<UIView> hit =
                hitTest(subview, CGPoint{point.x - frame.origin.x, point.y - frame.origin.y}))
            return hit;
    }
    return rt::Ref<UIView>(root);
}

rt::Ref<UIView> tap(UIView* within, UIView* target) {
    if (!within || !target)
        return nullptr;
    const CGSize size = target->bounds().size;
    const CGPoint centre = convertToTop(target, CGPoint{size.width / 2, size.height / 2});
    const CGPoint origin = convertToTop(within, CGPoint{0, 0});
    rt::Ref<UIView> hit = hitTest(within, CGPoint{centre.x - origin.x, centre.y - origin.y});
    if (!hit)
        return nullptr;
    const CGPoint hitOrigin = convertToTop(hit, CGPoint{0, 0});
    const UITouchSet touches{
        UITouch::touchInView(hit, CGPoint{centre.x - hitOrigin.x, centre.y - hitOrigin.y})};
    hit->touchesBegan(touches, nullptr);
    hit->touchesEnded(touches, nullptr);
    return hit;
}

} // namespace uikit
