#pragma once
#include <Foundation/FoundationDefines.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIFont.h>

#include <string>
#include <vector>

// A range of a string in bytes of its UTF-8 text.
struct NSRange {
    NSUInteger location = 0;
    NSUInteger length = 0;
    bool operator==(const NSRange&) const = default;
};

// The attributes a run of text may carry; nil leaves the label's own value.
struct NSTextAttributes {
    rt::Ref<UIColor> foregroundColor; // NSForegroundColorAttributeName
    rt::Ref<UIFont> font;             // NSFontAttributeName
};

// Text with attributes over ranges of it. Later ranges win where they overlap.
class UIKIT_EXTERN NSAttributedString : public NSObject {
    RT_OBJECT(NSAttributedString, NSObject)

    struct Run {
        NSRange range;
        NSTextAttributes attributes;
    };

    // "initWithString:attributes:": the attributes cover the whole string.
    NSAttributedString* initWithString(const std::string& string, const NSTextAttributes& attributes = {});
    // Adds attributes over a range; the part outside the string is dropped.
    void addAttributes(const NSTextAttributes& attributes, NSRange range);

    const std::string& string() const { return m_string; }
    NSUInteger length() const { return m_string.size(); }
    const std::vector<Run>& runs() const { return m_runs; }

  private:
    std::string m_string;
    std::vector<Run> m_runs;
};
