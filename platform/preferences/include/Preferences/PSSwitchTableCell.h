#pragma once
#include <Preferences/PSTableCell.h>
#include <UIKit/UISwitch.h>

// The host's switch row. A flip of its switch reports the new state to the
// row's target as a boolean, through the row's setter.
#define PSSWITCHTABLECELL_METHODS(M, O, C)                                                                   \
    M(void, controlChanged, "controlChanged:", (id))                                                         \
    O(initWithStyle)                                                                                         \
    O(setValue)

class PS_EXPORT PSSwitchTableCell : public PSTableCell {
    RT_OBJECT(PSSwitchTableCell, PSTableCell)
    RT_METHODS(PSSWITCHTABLECELL_METHODS)

    // Made by initWithStyle:reuseIdentifier:specifier:; the cell's accessory.
    rt::Ref<UISwitch> control() const { return m_control; }

    // The switch becomes the cell's accessory.
    void setControl(UISwitch* control);

  private:
    rt::Ref<UISwitch> m_control;
};
