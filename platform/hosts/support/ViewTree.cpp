#include "ViewTree.h"

#include <UIKit/UIBlurEffect.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationBar.h>
#include <UIKit/UITextField.h>
#include <UIKit/UIToolbar.h>
#include <UIKit/UIVisualEffectView.h>
#include <objc/runtime.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace hosts {

namespace {

// Three decimals are finer than a pixel and keep thirds of points readable.
double points(double value) {
    const double rounded = std::round(value * 1000) / 1000;
    return rounded == 0 ? 0.0 : rounded;
}

nlohmann::ordered_json colourOrNull(const UIColor* colour) {
    return colour ? nlohmann::ordered_json(ViewTree::hex(colour)) : nlohmann::ordered_json(nullptr);
}

// What some kinds of view show besides their colours: a bar's tint, a
// field's text and placeholder colour, an image, a blur, and the private
// instance variables the view's classes declare.
void addDetails(nlohmann::ordered_json& out, UIView* view) {
    if (auto bar = rt::dynamicCast<UINavigationBar>(view))
        out["barTintColor"] = colourOrNull(bar->barTintColor());
    if (auto toolbar = rt::dynamicCast<UIToolbar>(view))
        out["barTintColor"] = colourOrNull(toolbar->barTintColor());
    if (auto field = rt::dynamicCast<UITextField>(view)) {
        out["text"] = field->text();
        out["textColor"] = colourOrNull(field->textColor());
        rt::Ref<NSAttributedString> placeholder = field->attributedPlaceholder();
        out["placeholderColor"] = colourOrNull(
            placeholder ? rt::dynamicCast<UIColor>(placeholder->attribute(NSForegroundColorAttributeName))
                        : nullptr);
    }
    if (auto imageView = rt::dynamicCast<UIImageView>(view)) {
        rt::Ref<UIImage> image = imageView->image();
        if (!image)
            out["image"] = nullptr;
        else if (image->symbol())
            out["image"] = image->symbol()->name;
        else
            out["image"] = "file";
    }
    if (auto effectView = rt::dynamicCast<UIVisualEffectView>(view)) {
        auto blur = rt::dynamicCast<UIBlurEffect>(effectView->effect());
        out["blurStyle"] = blur ? nlohmann::ordered_json(static_cast<NSInteger>(blur->style())) : nullptr;
    }
    nlohmann::ordered_json ivars = nlohmann::ordered_json::array();
    for (Class cls = view->isa(); cls; cls = class_getSuperclass(cls))
        for (Ivar ivar : class_copyIvarList(cls))
            ivars.push_back(ivar_getName(ivar));
    if (!ivars.empty())
        out["ivars"] = ivars;
}

nlohmann::ordered_json node(UIView* view, CGPoint origin) {
    const CGRect frame = view->frame();
    const CGPoint at{origin.x + frame.origin.x, origin.y + frame.origin.y};
    nlohmann::ordered_json out;
    out["class"] = class_getName(view->isa());
    out["frame"] = {points(at.x), points(at.y), points(frame.size.width), points(frame.size.height)};
    out["alpha"] = points(view->alpha());
    out["hidden"] = view->isHidden() == YES;
    out["backgroundColor"] = colourOrNull(view->backgroundColor());
    out["tintColor"] = colourOrNull(view->tintColor());
    out["cornerRadius"] = points(view->layer()->cornerRadius());
    out["masksToBounds"] = view->layer()->masksToBounds() == YES;
    if (!view->layer()->gradientColors().empty()) {
        out["gradientColors"] = nlohmann::ordered_json::array();
        for (const rt::Ref<UIColor>& colour : view->layer()->gradientColors())
            out["gradientColors"].push_back(ViewTree::hex(colour));
    }
    if (rt::Ref<UILabel> label = rt::dynamicCast<UILabel>(view)) {
        out["text"] = label->text();
        out["textColor"] = colourOrNull(label->textColor());
    }
    addDetails(out, view);
    out["subviews"] = nlohmann::ordered_json::array();
    for (const rt::Ref<UIView>& subview : view->subviews())
        out["subviews"].push_back(node(subview, at));
    return out;
}

std::string number(double value) {
    std::ostringstream out;
    out << points(value);
    return out.str();
}

void line(std::string& out, const nlohmann::ordered_json& view, int depth) {
    const auto& frame = view["frame"];
    out += std::string(2 * depth, ' ') + view["class"].get<std::string>() + " (" +
           number(frame[0].get<double>()) + ", " + number(frame[1].get<double>()) + ", " +
           number(frame[2].get<double>()) + ", " + number(frame[3].get<double>()) + ")";
    if (view["hidden"].get<bool>())
        out += " hidden";
    if (view["alpha"].get<double>() != 1)
        out += " alpha " + number(view["alpha"].get<double>());
    if (!view["backgroundColor"].is_null())
        out += " background " + view["backgroundColor"].get<std::string>();
    if (view.contains("gradientColors")) {
        out += " gradient";
        for (const auto& colour : view["gradientColors"])
            out += " " + colour.get<std::string>();
    }
    if (view["cornerRadius"].get<double>() != 0)
        out += " corners " + number(view["cornerRadius"].get<double>());
    if (view["masksToBounds"].get<bool>())
        out += " clips";
    if (view.contains("text"))
        out += " " + nlohmann::ordered_json(view["text"]).dump() +
               (view["textColor"].is_null() ? "" : " in " + view["textColor"].get<std::string>());
    out += "\n";
    for (const auto& subview : view["subviews"])
        line(out, subview, depth + 1);
}

} // namespace

nlohmann::ordered_json ViewTree::json(UIView* view) {
    if (!view)
        return nullptr;
    // Frames add up from the window down; a view outside a window counts from its top view.
    CGPoint origin{};
    for (rt::Ref<UIView> above = view->superview(); above; above = above->superview()) {
        origin.x += above->frame().origin.x;
        origin.y += above->frame().origin.y;
    }
    return node(view, origin);
}

std::string ViewTree::text(UIView* view) {
    std::string out;
    if (view)
        line(out, json(view), 0);
    return out;
}

std::string ViewTree::hex(const UIColor* colour) {
    CGFloat red = 0, green = 0, blue = 0, alpha = 0;
    colour->getRed(&red, &green, &blue, &alpha);
    auto byte = [](CGFloat component) {
        return std::clamp(static_cast<long>(std::floor(component * 255 + 0.5)), 0L, 255L);
    };
    char digits[9];
    std::snprintf(digits, sizeof digits, "%02lX%02lX%02lX%02lX", byte(red), byte(green), byte(blue),
                  byte(alpha));
    return digits;
}

} // namespace hosts
