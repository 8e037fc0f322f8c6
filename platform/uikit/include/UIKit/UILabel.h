#pragma once
#include <UIKit/UIView.h>

#include <string>

// A line of text. A new label's text colour is the label colour.
#define UILABEL_PROPERTIES(P)                                                                                \
    P(std::string, text, setText, {})                                                                        \
    P(rt::Ref<UIColor>, textColor, setTextColor, UIColor::labelColor())

class UIKIT_EXTERN UILabel : public UIView {
    RT_OBJECT(UILabel, UIView)
    RT_PROPERTIES(UILABEL_PROPERTIES)
};
