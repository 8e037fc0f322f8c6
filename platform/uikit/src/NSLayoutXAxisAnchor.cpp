#include <UIKit/NSLayoutXAxisAnchor.h>

RT_DEFINE_CLASS(NSLayoutXAxisAnchor, nullptr)
