#include <ChatKit/CKTranscriptLabelCell.h>

#include <UIKit/UIFont.h>
#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(CKTranscriptLabelCell, [](Class cls, Class) {
    class_addIvar(cls, "_label", &CKTranscriptLabelCell::m_label);
    class_addMethod(
        cls, rt::sel<"setAttributedText:">(), +[](id self, SEL, NSAttributedString* text) {
            auto* cell = static_cast<CKTranscriptLabelCell*>(self);
            cell->m_label->setText(text ? text->string() : std::string());
            if (text)
                if (auto colour = rt::dynamicCast<UIColor>(text->attribute(NSForegroundColorAttributeName)))
                    cell->m_label->setTextColor(colour);
        });
    class_addMethod(
        cls, rt::sel<"layoutSubviews">(),
        +[](id self, SEL) { static_cast<CKTranscriptLabelCell*>(self)->placeLabel(); });
})

CKTranscriptLabelCell::CKTranscriptLabelCell(Class cls) : UIView(cls), m_label(rt::make<UILabel>()) {
    m_label->setFont(UIFont::systemFontOfSize(11, UIFontWeightMedium));
    addSubview(m_label);
}

void CKTranscriptLabelCell::setAttributedText(NSAttributedString* text) {
    rt::send<void(NSAttributedString*)>(this, rt::sel<"setAttributedText:">(), text);
}

void CKTranscriptLabelCell::placeLabel() {
    const CGRect bounds = this->bounds();
    m_label->setFrame(
        CGRectMake(kMargin, 0, std::max<CGFloat>(0, bounds.size.width - 2 * kMargin), bounds.size.height));
}
