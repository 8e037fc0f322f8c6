#pragma once
#include <Preferences/PSSpecifier.h>
#include <UIKit/UITableViewCell.h>

// The host's cell for one row. Cells the pane names subclass it; the host
// makes them with initWithStyle:reuseIdentifier:specifier:.
class PS_EXPORT PSTableCell : public UITableViewCell {
    RT_OBJECT_WITH_CONSTRUCTOR(PSTableCell, UITableViewCell)
    ~PSTableCell() override;

    // The host's own cell class for a kind of row: a switch for switch rows,
    // this class for everything else.
    static Class cellClassForCellType(PSCellType type);

    // Runtime method "initWithStyle:reuseIdentifier:specifier:"; answers the cell or nil.
    id initWithStyle(UITableViewCellStyle style, const std::string& reuseIdentifier, PSSpecifier* specifier);

    rt::Ref<PSSpecifier> specifier() const { return m_specifier; }
    void setSpecifier(PSSpecifier* specifier) { m_specifier = specifier; }

    // Runtime method "setValue:": shows a row's value. Here as the detail text.
    void setValue(const ns::PlistValue& value);
    const ns::PlistValue& value() const { return m_value; }

    // Runtime methods "cellTarget"/"target" and "cellAction"/"action": where a
    // tap goes. By default the row's target and button action.
    rt::Ref<objc_object> cellTarget();
    SEL cellAction();

  private:
    rt::Ref<PSSpecifier> m_specifier;
    ns::PlistValue m_value;
};
