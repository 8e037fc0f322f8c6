#include <UIKit/UISearchTextField.h>

RT_DEFINE_CLASS(UISearchTextField, nullptr)
