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

// The balloon gradients: selector, then the two colours in the light look and
// in the dark one (red, green, blue 0-255). Received balloons turn dark grey
// in the dark look, under the white text they take there.
#define CKUITHEME_BALLOON_COLOURS(B)                                                                         \
    B(blue_balloonColors, (10, 132, 255), (0, 122, 255), (10, 132, 255), (0, 122, 255))                      \
    B(gray_balloonColors, (233, 233, 235), (229, 229, 234), (38, 38, 40), (44, 44, 46))                      \
    B(green_balloonColors, (52, 199, 89), (48, 190, 84), (52, 199, 89), (48, 190, 84))
