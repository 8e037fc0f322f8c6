#pragma once
#include <Foundation/NSAttributedString.h>
#include <UIKit/UIControl.h>
#include <optional>
#include <string>

// A field of editable text: its text, its placeholder (plain, nil when none, or
// attributed) and the view at its leading edge (a search field's magnifying glass).
#define UITEXTFIELD_PROPERTIES(P)                                                                            \
    P(std::string, text, setText, {})                                                                        \
    P(std::optional<std::string>, placeholder, setPlaceholder, {})                                           \
    P(rt::Ref<NSAttributedString>, attributedPlaceholder, setAttributedPlaceholder, {})                      \
    P(rt::Ref<UIView>, leftView, setLeftView, {})                                                            \
    P(rt::Ref<UIColor>, textColor, setTextColor, UIColor::labelColor())

class UIKIT_EXTERN UITextField : public UIControl {
    RT_OBJECT(UITextField, UIControl)
    RT_PROPERTIES(UITEXTFIELD_PROPERTIES)
};
