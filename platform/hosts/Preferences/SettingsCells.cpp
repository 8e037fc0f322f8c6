#include "SettingsCells.h"

#include "ViewTree.h"

#include <UIKit/UITouch.h>
#include <objc/Casts.h>

#include <cctype>

namespace hosts {

namespace {

template <class Test> rt::Ref<UIButton> findButton(UIView* view, const Test& test) {
    if (!view)
        return nullptr;
    if (auto button = rt::dynamicCast<UIButton>(view); button && test(button.get()))
        return button;
    for (const rt::Ref<UIView>& subview : view->subviews())
        if (rt::Ref<UIButton> found = findButton(subview, test))
            return found;
    return nullptr;
}

void collect(const UIMenu* menu, std::vector<SettingsCells::MenuEntry>& out) {
    for (const rt::Ref<UIMenuElement>& child : menu->children()) {
        if (auto submenu = rt::dynamicCast<UIMenu>(child.get())) {
            collect(submenu, out);
        } else if (auto action = rt::dynamicCast<UIAction>(child.get())) {
            rt::Ref<UIImage> image = action->image();
            const bool checked =
                image && image->symbol() && std::string(image->symbol()->name) == "checkmark";
            out.push_back({action->title(), checked, action});
        }
    }
}

} // namespace

rt::Ref<UIButton> SettingsCells::menuButton(UIView* cell) {
    return findButton(cell,
                      [](UIButton* button) { return button->menu() && button->showsMenuAsPrimaryAction(); });
}

rt::Ref<UIButton> SettingsCells::infoButton(UIView* cell) {
    return findButton(cell, [](UIButton* button) {
        return button->buttonType() == UIButtonTypeInfoDark || button->buttonType() == UIButtonTypeInfoLight;
    });
}

std::vector<SettingsCells::MenuEntry> SettingsCells::entries(const UIMenu* menu) {
    std::vector<MenuEntry> out;
    if (menu)
        collect(menu, out);
    return out;
}

rt::Ref<UIMenu> SettingsCells::openMenu(UITableViewCell* cell, UIButton* button) {
    if (!cell || !button)
        return nullptr;
    uikit::tap(cell, button);
    return button->presentedMenu();
}

rt::Ref<UIColorPickerViewController> SettingsCells::openColourPicker(PSListController* page,
                                                                     PSSpecifier* row) {
    if (!page || !row)
        return nullptr;
    page->selectSpecifier(row);
    rt::Ref<UIViewController> presented = page->presentedViewController();
    if (auto picker = rt::dynamicCast<UIColorPickerViewController>(presented))
        return picker;
    if (presented)
        page->dismissViewControllerAnimated(NO, nullptr);
    return nullptr;
}

std::optional<std::string> SettingsCells::shownValue(UITableViewCell* cell) {
    if (!cell)
        return std::nullopt;
    if (rt::Ref<UIButton> button = menuButton(cell)) {
        const std::vector<MenuEntry> all = entries(button->menu());
        for (std::size_t i = 0; i < all.size(); ++i)
            if (all[i].checked)
                return all[i].title + " (" + std::to_string(i) + ")";
        return std::string(); // a choice outside the list shows nothing
    }
    rt::Ref<UIView> accessory = cell->accessoryView();
    if (accessory && !rt::is<UIControl>(accessory.get()) && accessory->backgroundColor())
        return ViewTree::hex(accessory->backgroundColor());
    return std::nullopt;
}

std::optional<UIColor::Components> SettingsCells::parseHex(const std::string& text) {
    if (text.size() != 8)
        return std::nullopt;
    CGFloat channels[4];
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string pair = text.substr(2 * i, 2);
        if (!std::isxdigit(static_cast<unsigned char>(pair[0])) ||
            !std::isxdigit(static_cast<unsigned char>(pair[1])))
            return std::nullopt;
        channels[i] = std::stoi(pair, nullptr, 16) / 255.0;
    }
    return UIColor::Components{channels[0], channels[1], channels[2], channels[3]};
}

} // namespace hosts
