#include "Keyboard.h"

#include <UIKit/UIBlurEffect.h>
#include <UIKit/UIFont.h>
#include <UIKit/UILabel.h>

#include <string>
#include <vector>

namespace messages {

namespace {

constexpr CGFloat kKeyHeight = 42;
constexpr CGFloat kRowPitch = 54;
constexpr CGFloat kTopInset = 8;
constexpr CGFloat kGap = 6;

// The phone's keyboard colours, light and dark.
constexpr UIColor::Components kLetterKeyLight{1, 1, 1, 1};
constexpr UIColor::Components kLetterKeyDark{108 / 255.0, 108 / 255.0, 110 / 255.0, 1};
constexpr UIColor::Components kFunctionKeyLight{171 / 255.0, 176 / 255.0, 186 / 255.0, 1};
constexpr UIColor::Components kFunctionKeyDark{70 / 255.0, 70 / 255.0, 72 / 255.0, 1};
constexpr UIColor::Components kKeyTextLight{0, 0, 0, 1};
constexpr UIColor::Components kKeyTextDark{1, 1, 1, 1};

struct Key {
    std::string label;
    CGFloat width;         // in letter-key widths
    bool function = false; // drawn darker, as shift, delete, numbers and return are
};

void addKey(UIView* keyboard, const Key& key, CGRect frame) {
    rt::Ref<UIView> cap = rt::make<UIView>();
    cap->setFrame(frame);
    // The keyboard follows the appearance, never the app's colours.
    cap->setBackgroundColor(key.function ? UIColor::colorWithLight(kFunctionKeyLight, kFunctionKeyDark)
                                         : UIColor::colorWithLight(kLetterKeyLight, kLetterKeyDark));
    cap->layer()->setCornerRadius(5);
    rt::Ref<UILabel> label = rt::make<UILabel>();
    label->setText(key.label);
    label->setFont(UIFont::systemFontOfSize(key.label.size() == 1 ? 22 : 14));
    label->setTextColor(UIColor::colorWithLight(kKeyTextLight, kKeyTextDark));
    label->setTextAlignment(NSTextAlignmentCenter);
    label->setFrame(CGRectMake(0, 0, frame.size.width, frame.size.height));
    cap->addSubview(label);
    keyboard->addSubview(cap);
}

// A row of keys centred across the keyboard.
void addRow(UIView* keyboard, const std::vector<Key>& keys, CGFloat y, CGFloat unit) {
    CGFloat total = -kGap;
    for (const Key& key : keys)
        total += key.width * unit + kGap;
    CGFloat x = (keyboard->bounds().size.width - total) / 2;
    for (const Key& key : keys) {
        addKey(keyboard, key, CGRectMake(x, y, key.width * unit, kKeyHeight));
        x += key.width * unit + kGap;
    }
}

std::vector<Key> letters(const std::string& row) {
    std::vector<Key> keys;
    for (char letter : row)
        keys.push_back({std::string(1, letter), 1.0});
    return keys;
}

} // namespace

rt::Ref<UIKBVisualEffectView> Keyboard::make(CGFloat width) {
    rt::Ref<UIKBVisualEffectView> keyboard = rt::make<UIKBVisualEffectView>();
    keyboard->setEffect(UIBlurEffect::effectWithStyle(UIBlurEffectStyleSystemThickMaterial));
    keyboard->setFrame(CGRectMake(0, 0, width, kHeight));
    const CGFloat unit = (width - 11 * kGap) / 10; // ten letters and the margins
    addRow(keyboard, letters("QWERTYUIOP"), kTopInset, unit);
    addRow(keyboard, letters("ASDFGHJKL"), kTopInset + kRowPitch, unit);
    std::vector<Key> third = letters("ZXCVBNM");
    third.insert(third.begin(), Key{"shift", 1.4, true});
    third.push_back(Key{"delete", 1.4, true});
    addRow(keyboard, third, kTopInset + 2 * kRowPitch, unit);
    addRow(keyboard, {{"123", 2.3, true}, {"space", 5.0}, {"return", 2.3, true}}, kTopInset + 3 * kRowPitch,
           unit);
    return keyboard;
}

} // namespace messages
