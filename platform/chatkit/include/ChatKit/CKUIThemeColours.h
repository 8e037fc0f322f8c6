#pragma once
// Messages' own theme colours before any theme: selector, then the system
// colour it answers. One row each; CKUITheme declares an accessor per row.
#define CKUITHEME_STOCK_COLOURS(C)                                                                           \
    C(primaryLabelColor, labelColor)                                                                         \
    C(conversationListBackgroundColor, systemBackgroundColor)                                                \
    C(conversationListCellColor, systemBackgroundColor)                                                      \
    C(grayTextColor, secondaryLabelColor)                                                                    \
    C(conversationListSenderColor, labelColor)                                                               \
    C(green_sendButtonColor, systemGreenColor)                                                               \
    C(blue_sendButtonColor, systemBlueColor)                                                                 \
    C(blue_balloonTextColor, whiteColor)                                                                     \
    C(green_balloonTextColor, whiteColor)                                                                    \
    C(gray_balloonTextColor, labelColor)                                                                     \
    C(entryFieldTextColor, labelColor)                                                                       \
    C(messageAcknowledgmentPickerBackgroundColor, secondarySystemBackgroundColor)                            \
    C(messageAcknowledgmentGrayColor, systemGrayColor)                                                       \
    C(entryFieldPlaceholderTextColor, placeholderTextColor)

// The balloon gradients: selector, then the two colours (red, green, blue 0-255).
#define CKUITHEME_BALLOON_COLOURS(B)                                                                         \
    B(blue_balloonColors, (10, 132, 255), (0, 122, 255))                                                     \
    B(gray_balloonColors, (233, 233, 235), (229, 229, 234))                                                  \
    B(green_balloonColors, (52, 199, 89), (48, 190, 84))
