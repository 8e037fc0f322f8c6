#include <UIKit/UIKBVisualEffectView.h>

RT_DEFINE_CLASS(UIKBVisualEffectView, nullptr)
