#include <UIKit/_UIBarBackground.h>

RT_DEFINE_CLASS(_UIBarBackground, nullptr)
