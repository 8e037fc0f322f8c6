#include "BarPainter.h"

#include "ImagePainter.h"

#include <UIKit/UIImage.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UINavigationItem.h>

namespace render {

namespace {

// The platform's translucent bar colour and hairline, light and dark.
constexpr UIColor::Components kBarLight{249 / 255.0, 249 / 255.0, 249 / 255.0, 0.94};
constexpr UIColor::Components kBarDark{29 / 255.0, 29 / 255.0, 31 / 255.0, 0.94};
constexpr UIColor::Components kHairlineLight{0, 0, 0, 0.3};
constexpr UIColor::Components kHairlineDark{1, 1, 1, 0.15};
constexpr double kMargin = 16;
constexpr double kTitleSize = 17;
constexpr double kLargeTitleSize = 34;

enum class Edge { none, top, bottom };

void paintBackground(const Canvas& canvas, CGRect bounds, const UIColor* barTint, Edge hairline) {
    cairo_t* cr = canvas.cr();
    canvas.setSource(barTint ? canvas.resolve(barTint) : canvas.pick(kBarLight, kBarDark));
    cairo_rectangle(cr, 0, 0, bounds.size.width, bounds.size.height);
    cairo_fill(cr);
    if (hairline == Edge::none)
        return;
    // One device pixel thick, on the side facing the content.
    const double thickness = 1.0 / canvas.scale();
    canvas.setSource(canvas.pick(kHairlineLight, kHairlineDark));
    cairo_rectangle(cr, 0, hairline == Edge::top ? 0 : bounds.size.height - thickness, bounds.size.width,
                    thickness);
    cairo_fill(cr);
}

Canvas::TextStyle titleStyle(const Canvas& canvas, const UIFont* font, const UIColor* colour,
                             NSTextAlignment alignment) {
    Canvas::TextStyle style;
    style.font = font;
    style.colour = canvas.resolve(colour);
    style.alignment = alignment;
    return style;
}

std::string titleOf(UIViewController* controller) {
    std::string title = controller->navigationItem()->title();
    return title.empty() ? controller->title() : title;
}

} // namespace

void BarPainter::paintNavigationBarBackground(const Canvas& canvas, UINavigationBar* bar) {
    rt::Ref<UIColor> barTint = bar->barTintColor();
    // The bar's colour reaches up under the status bar; its background view
    // draws the hairline, with its shadow image view.
    CGRect area = bar->bounds();
    const double above = std::min<double>(bar->frame().origin.y, UINavigationBar::kStatusBarHeight);
    cairo_save(canvas.cr());
    cairo_translate(canvas.cr(), 0, -above);
    area.size.height += above;
    paintBackground(canvas, area, barTint.get(), Edge::none);
    cairo_restore(canvas.cr());
}

void BarPainter::paintNavigationBarItems(const Canvas& canvas, UINavigationBar* bar) {
    const CGRect bounds = bar->bounds();

    // The bar shows the stack it belongs to.
    auto stack = rt::dynamicCast<UINavigationController>(bar->_viewControllerForAncestor());
    if (!stack || stack->viewControllers().empty())
        return;
    const auto& controllers = stack->viewControllers();
    rt::Ref<UIViewController> top = controllers.back();
    rt::Ref<UIColor> tint = bar->tintColor();
    rt::Ref<UIFont> regular = UIFont::systemFontOfSize(kTitleSize);
    rt::Ref<UIFont> semibold = UIFont::systemFontOfSize(kTitleSize, UIFontWeightSemibold);
    const double w = bounds.size.width;
    // Buttons sit in the top 44 points; a large title below them.
    const double h = std::min<double>(bounds.size.height, UINavigationBar::kHeight);
    const bool largeTitle = bar->prefersLargeTitles() && controllers.size() == 1;

    double leading = kMargin, trailing = kMargin;
    if (rt::Ref<UIBarButtonItem> item = top->navigationItem()->rightBarButtonItem()) {
        if (rt::Ref<UIImage> image = item->image()) {
            const CGSize size = image->size();
            ImagePainter::paint(
                canvas, *image,
                CGRectMake(w - kMargin - size.width, (h - size.height) / 2, size.width, size.height),
                canvas.resolve(tint.get()));
            trailing += size.width + 8;
        } else {
            const UIFont* font = item->style() == UIBarButtonItemStyleDone ? semibold.get() : regular.get();
            const double width = canvas.measureText(item->title(), font).width;
            canvas.drawText(item->title(), CGRectMake(w - kMargin - width, 0, width, h),
                            titleStyle(canvas, font, tint.get(), NSTextAlignmentRight));
            trailing += width + 8;
        }
    }
    if (controllers.size() > 1) {
        std::string back = titleOf(controllers[controllers.size() - 2]);
        if (back.empty())
            back = "Back";
        rt::Ref<UIImage> chevron = UIImage::systemImageNamed("chevron.left");
        const CGSize size = chevron->size();
        ImagePainter::paint(canvas, *chevron, CGRectMake(4, (h - size.height) / 2, size.width, size.height),
                            canvas.resolve(tint.get()));
        const double x = 4 + size.width;
        const double width = std::min(canvas.measureText(back, regular.get()).width, w / 3);
        canvas.drawText(back, CGRectMake(x, 0, width, h),
                        titleStyle(canvas, regular.get(), tint.get(), NSTextAlignmentLeft));
        leading = x + width + 8;
    }
    const std::string title = titleOf(top);
    rt::Ref<UIColor> label = UIColor::labelColor();
    if (largeTitle) {
        rt::Ref<UIFont> large = UIFont::systemFontOfSize(kLargeTitleSize, UIFontWeightBold);
        canvas.drawText(title, CGRectMake(kMargin, h, w - 2 * kMargin, bounds.size.height - h),
                        titleStyle(canvas, large.get(), label.get(), NSTextAlignmentLeft));
        return;
    }
    // The title is centred on the bar while it fits between the buttons.
    const double side = std::max(leading, trailing);
    canvas.drawText(title, CGRectMake(side, 0, std::max(0.0, w - 2 * side), h),
                    titleStyle(canvas, semibold.get(), label.get(), NSTextAlignmentCenter));
}

void BarPainter::paintToolbarBackground(const Canvas& canvas, UIToolbar* bar) {
    rt::Ref<UIColor> barTint = bar->barTintColor();
    paintBackground(canvas, bar->bounds(), barTint.get(), Edge::top);
}

void BarPainter::paintToolbarItems(const Canvas& canvas, UIToolbar* bar) {
    const CGRect bounds = bar->bounds();
    const auto items = bar->items();
    if (items.empty())
        return;
    rt::Ref<UIColor> tint = bar->tintColor();
    rt::Ref<UIFont> font = UIFont::systemFontOfSize(kTitleSize);
    const double slot = (bounds.size.width - 2 * kMargin) / static_cast<double>(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i])
            canvas.drawText(items[i]->title(), CGRectMake(kMargin + slot * i, 0, slot, bounds.size.height),
                            titleStyle(canvas, font.get(), tint.get(), NSTextAlignmentCenter));
}

} // namespace render
