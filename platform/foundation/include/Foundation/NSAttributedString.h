#pragma once
#include <Foundation/FoundationDefines.h>
#include <objc/NSObject.h>

#include <map>
#include <string>

// The attribute that colours a run of text; its value is a UIColor.
inline constexpr const char* NSForegroundColorAttributeName = "NSColor";
// The attribute that sets the font of a run of text; its value is a UIFont.
inline constexpr const char* NSFontAttributeName = "NSFont";

using NSAttributes = std::map<std::string, rt::Ref<NSObject>>;

// Text with one set of attributes over all of it (what the platform's
// views here need of attributed strings).
class FOUNDATION_EXPORT NSAttributedString : public NSObject {
    RT_OBJECT_HEAD(NSAttributedString, NSObject)

  public:
    static rt::Ref<NSAttributedString> initWithString(const std::string& string,
                                                      NSAttributes attributes = {});

    const std::string& string() const { return m_string; }
    const NSAttributes& attributes() const { return m_attributes; }
    // The attribute's value, or null.
    rt::Ref<NSObject> attribute(const std::string& name) const;

  protected:
    explicit NSAttributedString(Class cls) : NSObject(cls) {}

  private:
    std::string m_string;
    NSAttributes m_attributes;
};
