#include <UIKit/UITextField.h>

#include <objc/message.h>

#include <algorithm>

RT_DEFINE_CLASS(UITextField, nullptr)

UITextField::UITextField(Class cls) : UIControl(cls), m_displayLabel(rt::make<UILabel>()) {
    addSubview(m_displayLabel);
}

void UITextField::layoutSubviewsImpl() {
    const CGRect bounds = this->bounds();
    CGFloat leading = kTextInset;
    if (rt::Ref<UIView> left = leftView()) {
        if (left->superview().get() != this)
            addSubview(left);
        const CGSize size = left->frame().size;
        left->setFrame(
            CGRectMake(kTextInset, (bounds.size.height - size.height) / 2, size.width, size.height));
        leading = 2 * kTextInset + size.width - 2;
    }
    const std::string typed = text();
    rt::Ref<NSAttributedString> attributed = attributedPlaceholder();
    if (!typed.empty()) {
        m_displayLabel->setText(typed);
        m_displayLabel->setTextColor(textColor());
    } else if (attributed) {
        m_displayLabel->setText(attributed->string());
        auto colour = rt::dynamicCast<UIColor>(attributed->attribute(NSForegroundColorAttributeName));
        m_displayLabel->setTextColor(colour ? colour : UIColor::placeholderTextColor());
    } else {
        m_displayLabel->setText(placeholder().value_or(std::string()));
        m_displayLabel->setTextColor(UIColor::placeholderTextColor());
    }
    m_displayLabel->setFrame(CGRectMake(
        leading, 0, std::max<CGFloat>(0, bounds.size.width - leading - kTextInset), bounds.size.height));
}
