#include <UIKit/UISwipeActionStandardButton.h>

RT_DEFINE_CLASS(UISwipeActionStandardButton, nullptr)
