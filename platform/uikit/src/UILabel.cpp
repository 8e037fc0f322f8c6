#include <UIKit/UILabel.h>

#include <UIKit/TextMeasurement.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UILabel, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"text">(), +[](id self, SEL) { return static_cast<UILabel*>(self)->m_text; });
    class_addMethod(
        cls, rt::sel<"setText:">(), +[](id self, SEL, const std::string& text) {
            auto* label = static_cast<UILabel*>(self);
            const bool resized = label->m_text != text;
            label->m_text = text;
            label->m_attributedText = nullptr;
            if (resized) // new text asks for another size
                label->invalidateIntrinsicContentSize();
        });
    class_addMethod(
        cls, rt::sel<"attributedText">(),
        +[](id self, SEL) { return static_cast<UILabel*>(self)->m_attributedText; });
    class_addMethod(
        cls, rt::sel<"setAttributedText:">(), +[](id self, SEL, NSAttributedString* text) {
            auto* label = static_cast<UILabel*>(self);
            label->m_attributedText = text;
            label->m_text = text ? text->string() : std::string();
            label->invalidateIntrinsicContentSize();
        });
    class_addMethod(
        cls, rt::sel<"intrinsicContentSize">(), +[](id self, SEL) {
            auto* label = static_cast<UILabel*>(self);
            rt::Ref<UIFont> font = label->font();
            return font ? uikit::measureTextLine(label->text(), font->pointSize(), font->weight())
                        : uikit::measureTextLine(label->text(), uikit::kLabelFontSize);
        });
})

std::string UILabel::text() {
    return rt::send<std::string()>(this, rt::sel<"text">());
}
void UILabel::setText(const std::string& text) {
    rt::send<void(const std::string&)>(this, rt::sel<"setText:">(), text);
}
rt::Ref<NSAttributedString> UILabel::attributedText() {
    return rt::send<rt::Ref<NSAttributedString>()>(this, rt::sel<"attributedText">());
}
void UILabel::setAttributedText(NSAttributedString* text) {
    rt::send<void(NSAttributedString*)>(this, rt::sel<"setAttributedText:">(), text);
}
