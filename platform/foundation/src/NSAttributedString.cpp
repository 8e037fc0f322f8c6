#include <Foundation/NSAttributedString.h>

RT_DEFINE_CLASS(NSAttributedString, nullptr)

rt::Ref<NSAttributedString> NSAttributedString::initWithString(const std::string& string,
                                                               NSAttributes attributes) {
    auto made = rt::make<NSAttributedString>();
    made->m_string = string;
    made->m_attributes = std::move(attributes);
    return made;
}

rt::Ref<NSObject> NSAttributedString::attribute(const std::string& name) const {
    auto found = m_attributes.find(name);
    return found == m_attributes.end() ? nullptr : found->second;
}
