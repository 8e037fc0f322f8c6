#include <UIKit/NSLayoutYAxisAnchor.h>

RT_DEFINE_CLASS(NSLayoutYAxisAnchor, nullptr)
