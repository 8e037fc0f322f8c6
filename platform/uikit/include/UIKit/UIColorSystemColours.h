#pragma once
// The named system colours of the platform: selector, light appearance, dark
// appearance (rgb(): red, green, blue 0-255 and alpha 0-1; white(): a grey level 0-1). One row each;
// UIColor declares a class method per row and answers it from this table.
#define UICOLOR_SYSTEM_COLOURS(C)                                                                            \
    C(labelColor, rgb(0, 0, 0), rgb(255, 255, 255))                                                          \
    C(secondaryLabelColor, rgb(60, 60, 67, 0.6), rgb(235, 235, 245, 0.6))                                    \
    C(tertiaryLabelColor, rgb(60, 60, 67, 0.3), rgb(235, 235, 245, 0.3))                                     \
    C(quaternaryLabelColor, rgb(60, 60, 67, 0.18), rgb(235, 235, 245, 0.16))                                 \
    C(placeholderTextColor, rgb(60, 60, 67, 0.3), rgb(235, 235, 245, 0.3))                                   \
    C(linkColor, rgb(0, 122, 255), rgb(9, 132, 255))                                                         \
    C(separatorColor, rgb(60, 60, 67, 0.29), rgb(84, 84, 88, 0.6))                                           \
    C(opaqueSeparatorColor, rgb(198, 198, 200), rgb(56, 56, 58))                                             \
    C(systemRedColor, rgb(255, 59, 48), rgb(255, 69, 58))                                                    \
    C(systemOrangeColor, rgb(255, 149, 0), rgb(255, 159, 10))                                                \
    C(systemYellowColor, rgb(255, 204, 0), rgb(255, 214, 10))                                                \
    C(systemGreenColor, rgb(52, 199, 89), rgb(48, 209, 88))                                                  \
    C(systemTealColor, rgb(90, 200, 250), rgb(100, 210, 255))                                                \
    C(systemBlueColor, rgb(0, 122, 255), rgb(10, 132, 255))                                                  \
    C(systemIndigoColor, rgb(88, 86, 214), rgb(94, 92, 230))                                                 \
    C(systemPurpleColor, rgb(175, 82, 222), rgb(191, 90, 242))                                               \
    C(systemPinkColor, rgb(255, 45, 85), rgb(255, 55, 95))                                                   \
    C(systemGrayColor, rgb(142, 142, 147), rgb(142, 142, 147))                                               \
    C(systemGray4Color, rgb(209, 209, 214), rgb(58, 58, 60))                                                 \
    C(systemGray5Color, rgb(229, 229, 234), rgb(44, 44, 46))                                                 \
    C(tertiarySystemFillColor, rgb(118, 118, 128, 0.12), rgb(118, 118, 128, 0.24))                           \
    C(systemBackgroundColor, rgb(255, 255, 255), rgb(0, 0, 0))                                               \
    C(secondarySystemBackgroundColor, rgb(242, 242, 247), rgb(28, 28, 30))                                   \
    C(tertiarySystemBackgroundColor, rgb(255, 255, 255), rgb(44, 44, 46))                                    \
    C(systemGroupedBackgroundColor, rgb(242, 242, 247), rgb(0, 0, 0))                                        \
    C(secondarySystemGroupedBackgroundColor, rgb(255, 255, 255), rgb(28, 28, 30))                            \
    C(tertiarySystemGroupedBackgroundColor, rgb(242, 242, 247), rgb(44, 44, 46))                             \
    C(groupTableViewBackgroundColor, rgb(242, 242, 247), rgb(0, 0, 0))                                       \
    C(tableCellPlainBackgroundColor, rgb(255, 255, 255), rgb(0, 0, 0))                                       \
    C(tableCellGroupedBackgroundColor, rgb(255, 255, 255), rgb(28, 28, 30))                                  \
    C(blackColor, rgb(0, 0, 0), rgb(0, 0, 0))                                                                \
    C(whiteColor, rgb(255, 255, 255), rgb(255, 255, 255))                                                    \
    C(grayColor, white(0.5), white(0.5))                                                                     \
    C(clearColor, rgb(0, 0, 0, 0.0), rgb(0, 0, 0, 0.0))
