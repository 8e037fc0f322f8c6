#include <UIKit/UILabel.h>

#include <UIKit/TextMeasurement.h>

#include <objc/message.h>

RT_DEFINE_CLASS(UILabel, nullptr)

std::string UILabel::textImpl() {
    return m_text;
}
void UILabel::setTextImpl(const std::string& text) {
    const bool resized = m_text != text;
    m_text = text;
    m_attributedText = nullptr;
    if (resized) // new text asks for another size
        invalidateIntrinsicContentSize();
}

rt::Ref<NSAttributedString> UILabel::attributedTextImpl() {
    return m_attributedText;
}
void UILabel::setAttributedTextImpl(NSAttributedString* text) {
    m_attributedText = text;
    m_text = text ? text->string() : std::string();
    invalidateIntrinsicContentSize();
}

CGSize UILabel::intrinsicContentSizeImpl() {
    rt::Ref<UIFont> labelFont = font();
    return labelFont ? uikit::measureTextLine(text(), labelFont->pointSize(), labelFont->weight())
                     : uikit::measureTextLine(text(), uikit::kLabelFontSize);
}
