#include "SystemViews.h"

#include <UIKit/UIHomeIndicatorView.h>
#include <UIKit/UIStatusBar.h>

namespace hosts {

namespace {

template <class View> rt::Ref<UIView> find(UIWindow* window) {
    for (const rt::Ref<UIView>& subview : window->subviews())
        if (rt::is<View>(subview.get()))
            return subview;
    return nullptr;
}

} // namespace

void SystemViews::addTo(UIWindow* window) {
    if (!window)
        return;
    const CGSize size = window->bounds().size;
    rt::Ref<UIView> bar = find<UIStatusBar>(window);
    if (!bar)
        bar = rt::make<UIStatusBar>();
    bar->setFrame(CGRectMake(0, 0, size.width, UIStatusBar::kHeight));
    window->addSubview(bar); // on top, even when it was there already
    rt::Ref<UIView> indicator = find<UIHomeIndicatorView>(window);
    if (!indicator)
        indicator = rt::make<UIHomeIndicatorView>();
    indicator->setFrame(UIHomeIndicatorView::frameOnScreen(size));
    window->addSubview(indicator);
    // Laid out by the caller's next pass (in Messages, the run loop's commit).
}

std::vector<rt::Ref<UIView>> SystemViews::of(UIWindow* window) {
    std::vector<rt::Ref<UIView>> views;
    if (!window)
        return views;
    for (rt::Ref<UIView> view : {find<UIStatusBar>(window), find<UIHomeIndicatorView>(window)})
        if (view)
            views.push_back(view);
    return views;
}

} // namespace hosts
