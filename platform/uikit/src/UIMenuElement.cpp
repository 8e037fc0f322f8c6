#include <UIKit/UIMenuElement.h>

RT_DEFINE_CLASS(UIMenuElement, nullptr)
