#include <UIKit/_UIScrollViewScrollIndicator.h>

RT_DEFINE_CLASS(_UIScrollViewScrollIndicator, nullptr)
