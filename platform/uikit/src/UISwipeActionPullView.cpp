#include <UIKit/UISwipeActionPullView.h>

RT_DEFINE_CLASS(UISwipeActionPullView, nullptr)
