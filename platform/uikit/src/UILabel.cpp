#include <UIKit/UILabel.h>

#include <UIKit/TextMeasurement.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UILabel, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"intrinsicContentSize">(), +[](id self, SEL) {
            return uikit::measureTextLine(static_cast<UILabel*>(self)->text(), uikit::kLabelFontSize);
        });
    // New text asks for another size.
    void (*setText)(id, SEL, const std::string&) = +[](id self, SEL, const std::string& text) {
        auto* label = static_cast<UILabel*>(self);
        if (label->m_text == text)
            return;
        label->m_text = text;
        label->invalidateIntrinsicContentSize();
    };
    rt::replaceMethod(cls, rt::sel<"setText:">(), reinterpret_cast<IMP>(setText), typeid(setText));
})
