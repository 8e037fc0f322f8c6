#pragma once
#include <UIKit/UITextField.h>
#include <UIKit/_UISearchBarSearchFieldBackgroundView.h>

// The text field of a search bar: a rounded background behind it and the
// magnifying glass as its leading view.
// The layout puts the background under the field's content.
#define UISEARCHTEXTFIELD_METHODS(M, O, C) O(layoutSubviews)

class UIKIT_EXTERN UISearchTextField : public UITextField {
    RT_OBJECT_WITH_CONSTRUCTOR(UISearchTextField, UITextField)
    RT_METHODS(UISEARCHTEXTFIELD_METHODS)

    static constexpr CGFloat kCornerRadius = 10;
    static constexpr CGFloat kIconSize = 17;

    rt::Ref<_UISearchBarSearchFieldBackgroundView> backgroundView() const { return m_backgroundView; }

  private:
    rt::Ref<_UISearchBarSearchFieldBackgroundView> m_backgroundView;
};
