#pragma once
#include <UIKit/UITextField.h>
#include <UIKit/_UISearchBarSearchFieldBackgroundView.h>

// The text field of a search bar: a rounded background behind it and the
// magnifying glass as its leading view.
class UIKIT_EXTERN UISearchTextField : public UITextField {
    RT_OBJECT_WITH_CONSTRUCTOR(UISearchTextField, UITextField)

    static constexpr CGFloat kCornerRadius = 10;
    static constexpr CGFloat kIconSize = 17;

    rt::Ref<_UISearchBarSearchFieldBackgroundView> backgroundView() const { return m_backgroundView; }

  private:
    // Runtime "layoutSubviews": the background under the field's content.
    void placeBackground();

    rt::Ref<_UISearchBarSearchFieldBackgroundView> m_backgroundView;
};
