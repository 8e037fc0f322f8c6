#pragma once
#include <UIKit/UIControl.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIMenu.h>

#include <string>

enum UIButtonType : NSInteger {
    UIButtonTypeCustom = 0,
    UIButtonTypeSystem = 1,
    UIButtonTypeDetailDisclosure = 2,
    UIButtonTypeInfoLight = 3,
    UIButtonTypeInfoDark = 4,
};

class UIAction;

// A control showing a title and an image side by side, centred in its
// bounds. A system button's title takes the tint colour unless given one; a
// custom button's is white. The title label and image view belong to the
// button and are drawn as its content, not as subviews. Info buttons show the
// "info.circle" symbol in the tint colour.
//
// A button may carry a menu; when it shows it as its primary action, a tap
// (touch up inside) presents the menu, and choosing an entry closes the menu
// before the entry's handler runs.
#define UIBUTTON_PROPERTIES(P)                                                                               \
    P(rt::Ref<UIMenu>, menu, setMenu, {})                                                                    \
    P(BOOL, showsMenuAsPrimaryAction, setShowsMenuAsPrimaryAction, NO)

// Titles, colours and images are kept for the normal state only (0). The
// title label and image view are made on first use.
#define UIBUTTON_METHODS(M, O, C)                                                                            \
    M(void, setTitle, "setTitle:forState:", (const std::string&, NSUInteger))                                \
    M(void, setTitleColor, "setTitleColor:forState:", (UIColor*, NSUInteger))                                \
    M(void, setImage, "setImage:forState:", (UIImage*, NSUInteger))                                          \
    M(rt::Ref<UILabel>, titleLabel, "titleLabel", ())                                                        \
    M(rt::Ref<UIImageView>, imageView, "imageView", ())                                                      \
    O(touchesEnded)                                                                                          \
    O(intrinsicContentSize)

class UIKIT_EXTERN UIButton : public UIControl {
    RT_OBJECT(UIButton, UIControl)
    RT_PROPERTIES(UIBUTTON_PROPERTIES)
    RT_METHODS(UIBUTTON_METHODS)

    static rt::Ref<UIButton> buttonWithType(UIButtonType type);
    UIButtonType buttonType() const { return m_buttonType; }

    std::string currentTitle();
    // The title colour set for the normal state, or nil.
    rt::Ref<UIColor> titleColorForNormalState() const { return m_titleColor; }

    // The menu on screen, if the button presented one.
    rt::Ref<UIMenu> presentedMenu() const { return m_presentedMenu; }
    // What a finger does in the presented menu: choosing an entry of it closes
    // the menu, then runs the entry's handler. Answers NO (and does nothing)
    // without a presented menu or for an entry that is not in it.
    BOOL _chooseMenuAction(UIAction* action);
    // Closes the presented menu without choosing.
    void _dismissMenu() { m_presentedMenu = nullptr; }

  private:
    rt::Ref<UIMenu> m_presentedMenu;
    UIButtonType m_buttonType = UIButtonTypeCustom;
    rt::Ref<UIColor> m_titleColor;
    rt::Ref<UILabel> m_titleLabel;
    rt::Ref<UIImageView> m_imageView;
};
