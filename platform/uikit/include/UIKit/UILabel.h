#pragma once
#include <UIKit/UIView.h>

#include <string>

// A line of text.
class UIKIT_EXTERN UILabel : public UIView {
  public:
    static Class classObject();
    UILabel() : UILabel(classObject()) {}
    explicit UILabel(Class cls) : UIView(cls) {}

    // Runtime methods "text" and "setText:".
    std::string text();
    void setText(const std::string& text);
    // Runtime methods "textColor" and "setTextColor:"; unset reads as the label colour.
    rt::Ref<UIColor> textColor();
    void setTextColor(UIColor* colour);

  private:
    friend struct UILabelAccess;
    std::string m_text;
    rt::Ref<UIColor> m_textColor;
};
