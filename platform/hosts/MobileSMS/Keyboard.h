#pragma once
#include <UIKit/UIKBVisualEffectView.h>

namespace messages {

// The system keyboard as it shows under a conversation: its backdrop with
// four rows of keys (letters, shift and delete, numbers, space and return).
class Keyboard {
  public:
    static constexpr CGFloat kHeight = 291; // with the home indicator's strip
    static rt::Ref<UIKBVisualEffectView> make(CGFloat width);
};

} // namespace messages
