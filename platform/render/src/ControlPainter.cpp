#include "ControlPainter.h"

#include "ImagePainter.h"

#include <numbers>

namespace render {

namespace {

constexpr UIColor::Components kWhite{1, 1, 1, 1};
// The off track, light and dark.
constexpr UIColor::Components kTrackLight{233 / 255.0, 233 / 255.0, 234 / 255.0, 1};
constexpr UIColor::Components kTrackDark{57 / 255.0, 57 / 255.0, 61 / 255.0, 1};
constexpr double kKnobInset = 2;

} // namespace

void ControlPainter::paintButton(const Canvas& canvas, UIButton* button) {
    const CGRect bounds = button->bounds();
    rt::Ref<UILabel> label = button->titleLabel();
    rt::Ref<UIImageView> imageView = button->imageView();
    // A button holding them as subviews has them drawn there.
    const std::string title = label->superview().get() == button ? std::string() : label->text();
    rt::Ref<UIImage> image = imageView->superview().get() == button ? nullptr : imageView->image();

    rt::Ref<UIFont> font = label->font();
    const CGSize titleSize = title.empty() ? CGSize{} : canvas.measureText(title, font.get());
    const CGSize imageSize = image ? image->size() : CGSize{};
    const double width = std::min(bounds.size.width, titleSize.width + imageSize.width);
    double x = (bounds.size.width - width) / 2;

    // The label's own colour, else the one set for the state, else the type's.
    rt::Ref<UIColor> colour = label->textColor();
    if (!colour)
        colour = button->titleColorForNormalState();
    if (!colour)
        colour = button->buttonType() == UIButtonTypeSystem ? button->tintColor() : UIColor::whiteColor();
    rt::Ref<UIColor> imageTint = imageView->ownTintColor() ? imageView->ownTintColor() : button->tintColor();

    if (image) {
        const CGRect slot =
            CGRectMake(x, (bounds.size.height - imageSize.height) / 2, imageSize.width, imageSize.height);
        ImagePainter::paint(canvas, *image, slot, canvas.resolve(imageTint.get()));
        x += imageSize.width;
    }
    if (!title.empty()) {
        Canvas::TextStyle style;
        style.font = font.get();
        style.colour = canvas.resolve(colour.get());
        style.alignment = NSTextAlignmentLeft;
        canvas.drawText(title, CGRectMake(x, 0, std::max(0.0, bounds.size.width - x), bounds.size.height),
                        style);
    }
}

void ControlPainter::paintSwitch(const Canvas& canvas, UISwitch* control) {
    cairo_t* cr = canvas.cr();
    const double w = kSwitchSize.width, h = kSwitchSize.height;
    const bool on = control->isOn();
    rt::Ref<UIColor> onTint = control->onTintColor();
    canvas.setSource(on ? canvas.resolve(onTint ? onTint.get() : UIColor::systemGreenColor().get())
                        : canvas.pick(kTrackLight, kTrackDark));
    canvas.roundedRect(CGRectMake(0, 0, w, h), h / 2);
    cairo_fill(cr);

    const double radius = h / 2 - kKnobInset;
    const double cx = on ? w - kKnobInset - radius : kKnobInset + radius;
    // A soft shadow under the knob, then the knob.
    cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
    cairo_arc(cr, cx, h / 2 + 1, radius + 0.5, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    canvas.setSource(kWhite);
    cairo_arc(cr, cx, h / 2, radius, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
}

} // namespace render
