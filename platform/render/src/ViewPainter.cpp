#include "ViewPainter.h"

#include "BackdropBlur.h"
#include "BarPainter.h"
#include "ControlPainter.h"
#include "ImagePainter.h"

#include <Foundation/NSAttributedString.h>
#include <UIKit/UIBlurEffect.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationBar.h>
#include <UIKit/UISwitch.h>
#include <UIKit/UIToolbar.h>
#include <UIKit/UIVisualEffectView.h>

#include <algorithm>

namespace render {

namespace {

void paintLabel(const Canvas& canvas, UILabel* label) {
    Canvas::TextStyle style;
    rt::Ref<UIFont> font = label->font();
    rt::Ref<UIColor> colour = label->textColor();
    // Attributed text's colour and font cover all of it and win over the label's.
    if (rt::Ref<NSAttributedString> attributed = label->attributedText()) {
        if (auto attributeColour =
                rt::dynamicCast<UIColor>(attributed->attribute(NSForegroundColorAttributeName)))
            colour = attributeColour;
        if (auto attributeFont = rt::dynamicCast<UIFont>(attributed->attribute(NSFontAttributeName)))
            font = attributeFont;
    }
    style.font = font.get();
    style.colour = canvas.resolve(colour ? colour.get() : UIColor::labelColor().get());
    style.alignment = label->textAlignment();
    style.lines = label->numberOfLines();
    canvas.drawText(label->text(), label->bounds(), style);
}

// Where a view's bounds start, in the coordinates of the top of its tree.
CGPoint originInTop(UIView* view) {
    CGPoint at{0, 0};
    for (rt::Ref<UIView> step(view); step; step = step->superview()) {
        at.x += step->frame().origin.x;
        at.y += step->frame().origin.y;
    }
    return at;
}

// The layer's gradient as a cairo pattern in the view's own coordinates.
cairo_pattern_t* gradientPattern(const Canvas& canvas, UIView* view, const CALayer& layer) {
    double top = 0, bottom = view->bounds().size.height;
    if (rt::Ref<UIView> span = layer.gradientSpan()) {
        const double offset = originInTop(span).y - originInTop(view).y;
        top = offset;
        bottom = offset + span->bounds().size.height;
    }
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, top, 0, std::max(bottom, top + 1e-6));
    const auto& colours = layer.gradientColors();
    for (size_t i = 0; i < colours.size(); ++i) {
        const UIColor::Components c = canvas.resolve(colours[i].get());
        cairo_pattern_add_color_stop_rgba(pattern,
                                          static_cast<double>(i) / static_cast<double>(colours.size() - 1),
                                          c.red, c.green, c.blue, c.alpha);
    }
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    return pattern;
}

} // namespace

void ViewPainter::paint(UIView* view) {
    if (!view || view->isHidden() || view->alpha() <= 0)
        return;
    cairo_t* cr = m_canvas.cr();
    const CGRect frame = view->frame();
    cairo_save(cr);
    cairo_translate(cr, frame.origin.x, frame.origin.y);
    const CGAffineTransform t = view->transform();
    if (!CGAffineTransformIsIdentity(t)) {
        // About the centre of the bounds, as the layer's anchor point is.
        const double cx = frame.size.width / 2, cy = frame.size.height / 2;
        cairo_matrix_t matrix;
        cairo_matrix_init(&matrix, t.a, t.b, t.c, t.d, t.tx, t.ty);
        cairo_translate(cr, cx, cy);
        cairo_transform(cr, &matrix);
        cairo_translate(cr, -cx, -cy);
    }
    const double alpha = std::min(view->alpha(), 1.0);
    if (alpha < 1)
        cairo_push_group(cr);
    paintContents(view);
    if (alpha < 1) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alpha);
    }
    cairo_restore(cr);
}

void ViewPainter::paintContents(UIView* view) {
    cairo_t* cr = m_canvas.cr();
    const CGRect bounds = view->bounds();
    rt::Ref<CALayer> layer = view->layer();
    const double radius = layer->cornerRadius();
    const unsigned corners = layer->maskedCorners();

    if (auto effectView = rt::dynamicCast<UIVisualEffectView>(view))
        if (auto blur = rt::dynamicCast<UIBlurEffect>(effectView->effect()))
            if (std::optional<BlurRecipe> recipe = BlurRecipe::forStyle(blur->style(), m_canvas.style())) {
                m_canvas.roundedRect(bounds, radius, corners);
                BackdropBlur::paint(m_canvas, *recipe);
            }

    if (!layer->gradientColors().empty()) {
        cairo_pattern_t* pattern = gradientPattern(m_canvas, view, *layer);
        cairo_set_source(cr, pattern);
        m_canvas.roundedRect(bounds, radius, corners);
        cairo_fill(cr);
        cairo_pattern_destroy(pattern);
    } else if (rt::Ref<UIColor> background = view->backgroundColor()) {
        m_canvas.setSource(background.get());
        m_canvas.roundedRect(bounds, radius, corners);
        cairo_fill(cr);
    }

    cairo_save(cr);
    if (layer->masksToBounds()) {
        m_canvas.roundedRect(bounds, radius, corners);
        cairo_clip(cr);
    }
    paintOwnContent(view);
    for (const rt::Ref<UIView>& subview : std::vector<rt::Ref<UIView>>(view->subviews()))
        paint(subview.get());
    paintOverSubviews(view);
    cairo_restore(cr);

    const double border = layer->borderWidth();
    if (border > 0) {
        // Inside the bounds, following the rounded corners.
        rt::Ref<UIColor> colour = layer->borderColor();
        m_canvas.setSource(colour.get(), UIColor::blackColor().get());
        const double inset = std::min(border, std::min(bounds.size.width, bounds.size.height) / 2) / 2;
        m_canvas.roundedRect(
            CGRectMake(inset, inset, bounds.size.width - 2 * inset, bounds.size.height - 2 * inset),
            std::max(0.0, radius - inset), corners);
        cairo_set_line_width(cr, 2 * inset);
        cairo_stroke(cr);
    }
}

void ViewPainter::paintOwnContent(UIView* view) {
    if (auto label = rt::dynamicCast<UILabel>(view))
        paintLabel(m_canvas, label.get());
    else if (auto imageView = rt::dynamicCast<UIImageView>(view))
        ImagePainter::paintImageView(m_canvas, imageView.get());
    else if (auto button = rt::dynamicCast<UIButton>(view))
        ControlPainter::paintButton(m_canvas, button.get());
    else if (auto control = rt::dynamicCast<UISwitch>(view))
        ControlPainter::paintSwitch(m_canvas, control.get());
    else if (auto bar = rt::dynamicCast<UINavigationBar>(view))
        BarPainter::paintNavigationBarBackground(m_canvas, bar.get());
    else if (auto toolbar = rt::dynamicCast<UIToolbar>(view))
        BarPainter::paintToolbarBackground(m_canvas, toolbar.get());
}

void ViewPainter::paintOverSubviews(UIView* view) {
    if (auto bar = rt::dynamicCast<UINavigationBar>(view))
        BarPainter::paintNavigationBarItems(m_canvas, bar.get());
    else if (auto toolbar = rt::dynamicCast<UIToolbar>(view))
        BarPainter::paintToolbarItems(m_canvas, toolbar.get());
}

} // namespace render
