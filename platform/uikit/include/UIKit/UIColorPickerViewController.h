#pragma once
#include <UIKit/UIViewController.h>

// The system colour picker. Whoever presents it hears through its delegate:
// "colorPickerViewControllerDidSelectColor:" once per colour the user picks,
// "colorPickerViewControllerDidFinish:" when the picker has closed itself.
// Without alpha support the picker offers no opacity: what the user picks is opaque.
#define UICOLORPICKERVIEWCONTROLLER_PROPERTIES(P)                                                            \
    P(rt::Ref<UIColor>, selectedColor, setSelectedColor, {})                                                 \
    P(BOOL, supportsAlpha, setSupportsAlpha, YES)

class UIKIT_EXTERN UIColorPickerViewController : public UIViewController {
    RT_OBJECT(UIColorPickerViewController, UIViewController)
    RT_PROPERTIES(UICOLORPICKERVIEWCONTROLLER_PROPERTIES)

    // Weak, as every delegate.
    rt::Ref<objc_object> delegate() const { return m_delegate.lock(); }
    void setDelegate(id delegate) { m_delegate = delegate; }

    // What the user does in the picker: one colour picked (its alpha dropped
    // without alpha support), then the delegate told.
    void _userDidSelectColor(UIColor* colour);
    // The user closes the picker: it is dismissed, then the delegate told.
    void _userDidFinish();

  private:
    rt::Weak<objc_object> m_delegate;
};
