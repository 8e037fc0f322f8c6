#include <UIKit/NSAttributedString.h>

#include <algorithm>

RT_DEFINE_CLASS(NSAttributedString, nullptr)

NSAttributedString* NSAttributedString::initWithString(const std::string& string,
                                                       const NSTextAttributes& attributes) {
    m_string = string;
    m_runs.clear();
    addAttributes(attributes, NSRange{0, string.size()});
    return this;
}

void NSAttributedString::addAttributes(const NSTextAttributes& attributes, NSRange range) {
    if (range.location >= m_string.size())
        return;
    range.length = std::min(range.length, m_string.size() - range.location);
    if (range.length == 0 || (!attributes.foregroundColor && !attributes.font))
        return;
    m_runs.push_back(Run{range, attributes});
}
