#include <ChatKit/CKTranscriptLabelCell.h>

#include <UIKit/UIFont.h>
#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(CKTranscriptLabelCell,
                [](Class cls, Class) { class_addIvar(cls, "_label", &CKTranscriptLabelCell::m_label); })

CKTranscriptLabelCell::CKTranscriptLabelCell(Class cls) : UIView(cls), m_label(rt::make<UILabel>()) {
    m_label->setFont(UIFont::systemFontOfSize(11, UIFontWeightMedium));
    addSubview(m_label);
}

void CKTranscriptLabelCell::setAttributedTextImpl(NSAttributedString* text) {
    m_label->setText(text ? text->string() : std::string());
    if (text)
        if (auto colour = rt::dynamicCast<UIColor>(text->attribute(NSForegroundColorAttributeName)))
            m_label->setTextColor(colour);
}

void CKTranscriptLabelCell::layoutSubviewsImpl() {
    const CGRect bounds = this->bounds();
    m_label->setFrame(
        CGRectMake(kMargin, 0, std::max<CGFloat>(0, bounds.size.width - 2 * kMargin), bounds.size.height));
}
