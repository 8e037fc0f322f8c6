#include <UIKit/UIToolbar.h>

RT_DEFINE_CLASS(UIToolbar, nullptr)
