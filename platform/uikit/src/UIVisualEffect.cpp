#include <UIKit/UIVisualEffect.h>

RT_DEFINE_CLASS(UIVisualEffect, nullptr)
