#pragma once
#include <UIKit/UIColor.h>

#include <vector>

#define CHATKIT_EXTERN __attribute__((visibility("default")))

// What balloon colour methods answer: the two colours of the gradient, in order.
using CKBalloonColors = std::vector<rt::Ref<UIColor>>;
