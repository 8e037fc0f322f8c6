#pragma once
#include <UIKit/UIView.h>

// The rounded background behind a search bar's text field.
class UIKIT_EXTERN _UISearchBarSearchFieldBackgroundView : public UIView {
    RT_OBJECT(_UISearchBarSearchFieldBackgroundView, UIView)
};
