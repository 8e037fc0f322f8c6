#pragma once
#include <UIKit/UITextField.h>

// The text field of a search bar.
class UIKIT_EXTERN UISearchTextField : public UITextField {
    RT_OBJECT(UISearchTextField, UITextField)
};
