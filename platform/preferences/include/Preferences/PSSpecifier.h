#pragma once
#include <Foundation/PlistValue.h>
#include <Preferences/Forward.h>
#include <Preferences/PreferencesDefines.h>
#include <objc/NSObject.h>
#include <objc/Weak.h>

#include <optional>
#include <string>
#include <string_view>

enum PSCellType : NSInteger {
    PSGroupCell = 0,
    PSLinkCell = 1,
    PSLinkListCell = 2,
    PSListItemCell = 3,
    PSTitleValueCell = 4,
    PSSliderCell = 5,
    PSSwitchCell = 6,
    PSStaticTextCell = 7,
    PSEditTextCell = 8,
    PSSegmentCell = 9,
    PSGiantIconCell = 10,
    PSGiantCell = 11,
    PSSecureEditTextCell = 12,
    PSButtonCell = 13,
    PSEditTextViewCell = 14,
};

// One row of a settings page: its kind, its layout keys (`properties`), the
// object its value and button action go to (weak), and for link rows the
// controller it opens.
class PS_EXPORT PSSpecifier : public NSObject {
    RT_OBJECT(PSSpecifier, NSObject)

    // The row one item of a page layout describes: "cell" names the kind,
    // "label" the name, "detail" the controller a link opens, "cellClass" the
    // cell, "action" the button action, "get"/"set" the value accessors; every
    // key is kept in `properties`.
    static rt::Ref<PSSpecifier> specifierWithLayoutItem(const ns::PlistDictionary& item, id target);
    // "PSSwitchCell" and the other kind names; nothing for an unknown name.
    static std::optional<PSCellType> cellTypeFromString(std::string_view name);

    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }
    // "id", else "key", else the name.
    std::string identifier() const;
    PSCellType cellType() const { return m_cellType; }
    void setCellType(PSCellType type) { m_cellType = type; }

    ns::PlistDictionary& properties() { return m_properties; }
    const ns::PlistDictionary& properties() const { return m_properties; }
    // Null when the row has no such key.
    ns::PlistValue propertyForKey(const std::string& key) const;
    void setProperty(const ns::PlistValue& value, const std::string& key);
    void removePropertyForKey(const std::string& key) { m_properties.erase(key); }

    rt::Ref<objc_object> target() const { return m_target.lock(); }
    void setTarget(id target) { m_target = target; }
    SEL buttonAction() const { return m_buttonAction; }
    void setButtonAction(SEL action) { m_buttonAction = action; }
    // Sent to the target with the specifier: readPreferenceValue: and
    // setPreferenceValue:specifier: unless the layout names others.
    SEL getter() const { return m_getter; }
    SEL setter() const { return m_setter; }
    void setGetter(SEL getter) { m_getter = getter; }
    void setSetter(SEL setter) { m_setter = setter; }

    // The value the target reports for this row; null without a target that
    // answers the getter (a setter it does not answer changes nothing).
    ns::PlistValue performGetter();
    // Reports a new value to the target, as a control of this row does.
    void performSetterWithValue(const ns::PlistValue& value);

    // The controller class a link row opens; null when the layout names a
    // class this process does not have.
    Class detailControllerClass() const { return m_detailControllerClass; }
    const std::string& detailControllerClassName() const { return m_detailControllerClassName; }
    void setDetailControllerClass(Class cls);
    // The cell class the layout names, whether or not it exists.
    const std::string& cellClassName() const { return m_cellClassName; }
    void setCellClassName(const std::string& name) { m_cellClassName = name; }

  private:
    std::string m_name;
    PSCellType m_cellType = PSStaticTextCell;
    ns::PlistDictionary m_properties;
    rt::Weak<objc_object> m_target;
    SEL m_buttonAction = nullptr;
    SEL m_getter = nullptr;
    SEL m_setter = nullptr;
    Class m_detailControllerClass = nullptr;
    std::string m_detailControllerClassName;
    std::string m_cellClassName;
};
