#include <UIKit/CALayer.h>

RT_DEFINE_CLASS(CALayer, nullptr)
