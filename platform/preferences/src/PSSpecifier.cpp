#include <Preferences/PSSpecifier.h>

#include <objc/message.h>

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, PSCellType>, 15> kCellTypes{{
    {"PSGroupCell", PSGroupCell},
    {"PSLinkCell", PSLinkCell},
    {"PSLinkListCell", PSLinkListCell},
    {"PSListItemCell", PSListItemCell},
    {"PSTitleValueCell", PSTitleValueCell},
    {"PSSliderCell", PSSliderCell},
    {"PSSwitchCell", PSSwitchCell},
    {"PSStaticTextCell", PSStaticTextCell},
    {"PSEditTextCell", PSEditTextCell},
    {"PSSegmentCell", PSSegmentCell},
    {"PSGiantIconCell", PSGiantIconCell},
    {"PSGiantCell", PSGiantCell},
    {"PSSecureEditTextCell", PSSecureEditTextCell},
    {"PSButtonCell", PSButtonCell},
    {"PSEditTextViewCell", PSEditTextViewCell},
}};

std::string stringProperty(const ns::PlistDictionary& item, const char* key) {
    auto found = item.find(key);
    if (found == item.end())
        return {};
    const std::string* text = found->second.asString();
    return text ? *text : std::string();
}

} // namespace

RT_DEFINE_CLASS(PSSpecifier, nullptr)

std::optional<PSCellType> PSSpecifier::cellTypeFromString(std::string_view name) {
    for (const auto& [text, type] : kCellTypes)
        if (text == name)
            return type;
    return std::nullopt;
}

rt::Ref<PSSpecifier> PSSpecifier::specifierWithLayoutItem(const ns::PlistDictionary& item, id target) {
    auto specifier = rt::make<PSSpecifier>();
    specifier->m_properties = item;
    specifier->m_name = stringProperty(item, "label");
    // An unknown kind still shows its row, as plain text.
    specifier->m_cellType = cellTypeFromString(stringProperty(item, "cell")).value_or(PSStaticTextCell);
    specifier->m_target = target;
    const std::string getter = stringProperty(item, "get");
    const std::string setter = stringProperty(item, "set");
    specifier->m_getter = sel_registerName(getter.empty() ? "readPreferenceValue:" : getter);
    specifier->m_setter = sel_registerName(setter.empty() ? "setPreferenceValue:specifier:" : setter);
    if (const std::string action = stringProperty(item, "action"); !action.empty())
        specifier->m_buttonAction = sel_registerName(action);
    specifier->m_cellClassName = stringProperty(item, "cellClass");
    specifier->m_detailControllerClassName = stringProperty(item, "detail");
    if (!specifier->m_detailControllerClassName.empty())
        specifier->m_detailControllerClass = objc_getClass(specifier->m_detailControllerClassName.c_str());
    return specifier;
}

std::string PSSpecifier::identifier() const {
    for (const char* key : {"id", "key"}) {
        auto found = m_properties.find(key);
        if (found == m_properties.end())
            continue;
        if (const std::string* text = found->second.asString(); text && !text->empty())
            return *text;
    }
    return m_name;
}

ns::PlistValue PSSpecifier::propertyForKey(const std::string& key) const {
    auto found = m_properties.find(key);
    return found == m_properties.end() ? ns::PlistValue() : found->second;
}

void PSSpecifier::setProperty(const ns::PlistValue& value, const std::string& key) {
    if (value.isNull())
        m_properties.erase(key); // a dictionary holds no nil
    else
        m_properties[key] = value;
}

// A target that does not answer the accessor (a cell that made itself the
// row's target) is treated as none.
ns::PlistValue PSSpecifier::performGetter() {
    rt::Ref<objc_object> receiver = target();
    if (!receiver || !m_getter || !class_respondsToSelector(receiver->isa(), m_getter))
        return {};
    return rt::send<ns::PlistValue(PSSpecifier*)>(receiver, m_getter, this);
}

void PSSpecifier::performSetterWithValue(const ns::PlistValue& value) {
    rt::Ref<objc_object> receiver = target();
    if (!receiver || !m_setter || !class_respondsToSelector(receiver->isa(), m_setter))
        return;
    rt::send<void(const ns::PlistValue&, PSSpecifier*)>(receiver, m_setter, value, this);
}

void PSSpecifier::setDetailControllerClass(Class cls) {
    m_detailControllerClass = cls;
    m_detailControllerClassName = cls ? class_getName(cls) : "";
}
