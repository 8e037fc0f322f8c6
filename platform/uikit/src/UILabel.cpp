#include <UIKit/UILabel.h>

RT_DEFINE_CLASS(UILabel, nullptr)
