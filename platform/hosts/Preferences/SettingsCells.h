#pragma once
#include <Preferences/PSListController.h>
#include <UIKit/UIAction.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIColorPickerViewController.h>
#include <UIKit/UIMenu.h>

#include <optional>
#include <string>
#include <vector>

namespace hosts {

// What the Settings app's user sees of a row's cell and does with a finger,
// whatever class the cell is: the button that carries its menu, its info
// button, the swatch at its trailing edge, the picker a tap on it opens.
class SettingsCells {
  public:
    // The button inside `cell` that shows a menu at a tap; null when none.
    static rt::Ref<UIButton> menuButton(UIView* cell);
    // The info button inside `cell`; null when none.
    static rt::Ref<UIButton> infoButton(UIView* cell);

    struct MenuEntry {
        std::string title;
        bool checked = false; // carries the checkmark
        rt::Ref<UIAction> action;
    };
    // The menu's actions in order, submenus flattened.
    static std::vector<MenuEntry> entries(const UIMenu* menu);

    // A finger on the cell's menu button: the menu it presented, or null when
    // the tap opened none.
    static rt::Ref<UIMenu> openMenu(UITableViewCell* cell, UIButton* button);

    // A finger on the row: the colour picker it presented, or null (whatever
    // else the tap presented is dismissed again).
    static rt::Ref<UIColorPickerViewController> openColourPicker(PSListController* page, PSSpecifier* row);

    // What a cell of the pane's own shows in place of a value text: the
    // colour of a swatch at its trailing edge ("RRGGBBAA"), or the checked
    // entry of its menu ("Title (index)"). Nothing for other cells.
    static std::optional<std::string> shownValue(UITableViewCell* cell);

    // Eight hex digits, red green blue alpha; nothing for anything else.
    static std::optional<UIColor::Components> parseHex(const std::string& text);
};

} // namespace hosts
