#pragma once
#include <Foundation/NSAttributedString.h>
#include <UIKit/UIFont.h>
#include <UIKit/UIView.h>

#include <string>

enum NSTextAlignment : NSInteger {
    NSTextAlignmentLeft = 0,
    NSTextAlignmentCenter = 1,
    NSTextAlignmentRight = 2,
    NSTextAlignmentJustified = 3,
    NSTextAlignmentNatural = 4,
};

// Text in a rectangle, centred vertically. A new label's text colour is the
// label colour and its font the system font at 17 points; it shows one line,
// cut with an ellipsis at the end, unless more lines are allowed (0: any).
#define UILABEL_PROPERTIES(P)                                                                                \
    P(rt::Ref<UIColor>, textColor, setTextColor, UIColor::labelColor())                                      \
    P(rt::Ref<UIFont>, font, setFont, UIFont::systemFontOfSize(UIFont::kLabelFontSize))                      \
    P(NSTextAlignment, textAlignment, setTextAlignment, NSTextAlignmentNatural)                              \
    P(NSInteger, numberOfLines, setNumberOfLines, 1)

// Plain text drops any attributes; attributed text sets the plain text too.
// Its foreground colour and font, when given, win over the label's.
#define UILABEL_METHODS(M, O, C)                                                                             \
    M(std::string, text, "text", ())                                                                         \
    M(void, setText, "setText:", (const std::string&))                                                       \
    M(rt::Ref<NSAttributedString>, attributedText, "attributedText", ())                                     \
    M(void, setAttributedText, "setAttributedText:", (NSAttributedString*))                                  \
    O(intrinsicContentSize)

class UIKIT_EXTERN UILabel : public UIView {
    RT_OBJECT(UILabel, UIView)
    RT_PROPERTIES(UILABEL_PROPERTIES)
    RT_METHODS(UILABEL_METHODS)

  private:
    std::string m_text;
    rt::Ref<NSAttributedString> m_attributedText;
};
