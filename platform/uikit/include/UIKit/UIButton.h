#pragma once
#include <UIKit/UIControl.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>

#include <string>

enum UIButtonType : NSInteger {
    UIButtonTypeCustom = 0,
    UIButtonTypeSystem = 1,
};

// A control showing a title and an image side by side, centred in its
// bounds. A system button's title takes the tint colour unless given one; a
// custom button's is white. The title label and image view belong to the
// button and are drawn as its content, not as subviews.
class UIKIT_EXTERN UIButton : public UIControl {
    RT_OBJECT(UIButton, UIControl)

    static rt::Ref<UIButton> buttonWithType(UIButtonType type);
    UIButtonType buttonType() const { return m_buttonType; }

    // Runtime methods "setTitle:forState:", "setTitleColor:forState:",
    // "setImage:forState:" (only the normal state is modelled: 0).
    void setTitle(const std::string& title, NSUInteger state);
    void setTitleColor(UIColor* colour, NSUInteger state);
    void setImage(UIImage* image, NSUInteger state);
    std::string currentTitle();
    // The title colour set for the normal state, or nil.
    rt::Ref<UIColor> titleColorForNormalState() const { return m_titleColor; }

    // Runtime methods "titleLabel" and "imageView"; made on first use.
    rt::Ref<UILabel> titleLabel();
    rt::Ref<UIImageView> imageView();

  private:
    UIButtonType m_buttonType = UIButtonTypeCustom;
    rt::Ref<UIColor> m_titleColor;
    rt::Ref<UILabel> m_titleLabel;
    rt::Ref<UIImageView> m_imageView;
};
