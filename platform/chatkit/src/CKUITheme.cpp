#include <ChatKit/CKUITheme.h>

namespace {

UIColor::Components components(int red, int green, int blue) {
    return {red / 255.0, green / 255.0, blue / 255.0, 1.0};
}

// One method per row of the colour tables.
void addStockColours(Class cls, Class) {
#define CKUITHEME_ADD_COLOUR(selector, stock)                                                                \
    class_addMethod(                                                                                         \
        cls, rt::sel<#selector>(), +[](id, SEL) { return UIColor::stock(); });
    CKUITHEME_STOCK_COLOURS(CKUITHEME_ADD_COLOUR)
#undef CKUITHEME_ADD_COLOUR

#define CKUITHEME_ADD_BALLOON(selector, first, second, darkFirst, darkSecond)                                \
    class_addMethod(                                                                                         \
        cls, rt::sel<#selector>(), +[](id, SEL) {                                                            \
            return CKBalloonColors{UIColor::colorWithLight(components first, components darkFirst),          \
                                   UIColor::colorWithLight(components second, components darkSecond)};       \
        });
    CKUITHEME_BALLOON_COLOURS(CKUITHEME_ADD_BALLOON)
#undef CKUITHEME_ADD_BALLOON
}

} // namespace

RT_DEFINE_CLASS(CKUITheme, &addStockColours)
