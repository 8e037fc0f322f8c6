#include <ChatKit/CKTranscriptLabelCell.h>

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
})

CKTranscriptLabelCell::CKTranscriptLabelCell(Class cls) : UIView(cls), m_label(rt::make<UILabel>()) {
    addSubview(m_label);
}

void CKTranscriptLabelCell::setAttributedText(NSAttributedString* text) {
    rt::send<void(NSAttributedString*)>(this, rt::sel<"setAttributedText:">(), text);
}
