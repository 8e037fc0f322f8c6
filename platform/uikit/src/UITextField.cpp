#include <UIKit/UITextField.h>

RT_DEFINE_CLASS(UITextField, nullptr)
