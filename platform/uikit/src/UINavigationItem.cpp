#include <UIKit/UINavigationItem.h>

#include <UIKit/UIBarButtonItem.h>

RT_DEFINE_CLASS(UINavigationItem, nullptr)
