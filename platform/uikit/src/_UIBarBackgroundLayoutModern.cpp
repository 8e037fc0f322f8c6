#include <UIKit/_UIBarBackgroundLayoutModern.h>

RT_DEFINE_CLASS(_UIBarBackgroundLayoutModern, nullptr)
