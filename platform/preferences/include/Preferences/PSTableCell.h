#pragma once
#include <Preferences/PSSpecifier.h>
#include <UIKit/UITableViewCell.h>

// The host's cell for one row. Cells the pane names subclass it; the host
// makes them with "initWithStyle:reuseIdentifier:specifier:", which answers
// the cell or nil. "setValue:" shows a row's value, here as the detail text.
// "cellTarget"/"target" and "cellAction"/"action" are where a tap goes: by
// default the row's target and button action.
#define PSTABLECELL_METHODS(M, O, C)                                                                         \
    M(id, initWithStyle,                                                                                     \
      "initWithStyle:reuseIdentifier:specifier:", (UITableViewCellStyle, const std::string&, PSSpecifier*))  \
    M(void, setValue, "setValue:", (const ns::PlistValue&))                                                  \
    M(rt::Ref<objc_object>, cellTarget, "cellTarget", ())                                                    \
    M(rt::Ref<objc_object>, target, "target", ())                                                            \
    M(SEL, cellAction, "cellAction", ())                                                                     \
    M(SEL, action, "action", ())

class PS_EXPORT PSTableCell : public UITableViewCell {
    RT_OBJECT_WITH_CONSTRUCTOR(PSTableCell, UITableViewCell)
    RT_METHODS(PSTABLECELL_METHODS)
    ~PSTableCell() override;

    // The host's own cell class for a kind of row: a switch for switch rows,
    // this class for everything else.
    static Class cellClassForCellType(PSCellType type);

    rt::Ref<PSSpecifier> specifier() const { return m_specifier; }
    void setSpecifier(PSSpecifier* specifier) { m_specifier = specifier; }

    const ns::PlistValue& value() const { return m_value; }

  private:
    rt::Ref<PSSpecifier> m_specifier;
    ns::PlistValue m_value;
};
