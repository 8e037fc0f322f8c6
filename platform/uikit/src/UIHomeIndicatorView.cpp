#include <UIKit/UIHomeIndicatorView.h>

#include <UIKit/UIStatusBar.h>

RT_DEFINE_CLASS(UIHomeIndicatorView, nullptr)

UIHomeIndicatorView::UIHomeIndicatorView(Class cls) : UIView(cls) {
    setBackgroundColor(UIStatusBar::contentColor());
    layer()->setCornerRadius(kSize.height / 2);
}

CGRect UIHomeIndicatorView::frameOnScreen(CGSize size) {
    return CGRectMake((size.width - kSize.width) / 2, size.height - kBottomInset - kSize.height, kSize.width,
                      kSize.height);
}
