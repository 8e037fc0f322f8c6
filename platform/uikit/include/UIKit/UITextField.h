#pragma once
#include <Foundation/NSAttributedString.h>
#include <UIKit/UIControl.h>
#include <UIKit/UILabel.h>
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

// The layout: the leading view, then the text.
#define UITEXTFIELD_METHODS(M, O, C) O(layoutSubviews)

class UIKIT_EXTERN UITextField : public UIControl {
    RT_OBJECT_WITH_CONSTRUCTOR(UITextField, UIControl)
    RT_PROPERTIES(UITEXTFIELD_PROPERTIES)
    RT_METHODS(UITEXTFIELD_METHODS)

    static constexpr CGFloat kTextInset = 8; // the text's distance from the leading view or edge

    // The label the field draws its text in, or its placeholder while the
    // text is empty (in the attributed placeholder's colour when it has one,
    // else the platform's placeholder colour).
    rt::Ref<UILabel> displayLabel() const { return m_displayLabel; }

  private:
    rt::Ref<UILabel> m_displayLabel;
};
