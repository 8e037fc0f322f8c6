#include <UIKit/SymbolShape.h>

#include <array>

namespace uikit {

namespace {

using Paint = SymbolLayer::Paint;

// One outline per symbol on a 24-unit grid; line symbols use a 1.8-unit pen,
// the "fill" variants are solid shapes with their details cut out.
constexpr SymbolLayer kCheckmark[] = {{Paint::stroke, 2.4, "M5 12.5 L10 17.5 L19.5 6.5"}};
constexpr SymbolLayer kChevronUpDown[] = {{Paint::stroke, 2.0, "M8 9 L12 5 L16 9 M8 15 L12 19 L16 15"}};
constexpr SymbolLayer kChevronRight[] = {{Paint::stroke, 2.4, "M9 5 L16 12 L9 19"}};
constexpr SymbolLayer kChevronLeft[] = {{Paint::stroke, 2.4, "M15 5 L8 12 L15 19"}};
constexpr SymbolLayer kInfoCircle[] = {{Paint::stroke, 1.8, "A12 12 9.5 0 360 Z M12 11 L12 17"},
                                       {Paint::fill, 0, "A12 7.8 1.3 0 360 Z"}};
constexpr SymbolLayer kMagnifyingGlass[] = {
    {Paint::stroke, 2.2, "A10.5 10.5 6.5 0 360 Z M15.5 15.5 L20.5 20.5"}};
constexpr SymbolLayer kSquareAndPencil[] = {
    {Paint::stroke, 1.8,
     "M12 4 L6 4 C4.9 4 4 4.9 4 6 L4 18 C4 19.1 4.9 20 6 20 L18 20 C19.1 20 20 19.1 20 18 L20 12"},
    {Paint::stroke, 1.8, "M10 14 L10.6 11.4 L18.6 3.4 L20.6 5.4 L12.6 13.4 Z"}};
constexpr SymbolLayer kCircleFill[] = {{Paint::fill, 0, "A12 12 9 0 360 Z"}};
constexpr SymbolLayer kGlobe[] = {
    {Paint::stroke, 1.6,
     "A12 12 9 0 360 Z M3 12 L21 12 M12 3 C7.5 7 7.5 17 12 21 M12 3 C16.5 7 16.5 17 12 21"}};
constexpr SymbolLayer kPaperplaneFill[] = {{Paint::fill, 0, "M2.5 11 L21.5 2.5 L13 21.5 L11 13 Z"}};
constexpr SymbolLayer kArrowUpCircleFill[] = {
    {Paint::evenOddFill, 0,
     "A12 12 10 0 360 Z M12 5.5 L17.2 10.7 L15.8 12.1 L13 9.3 L13 18 L11 18 L11 9.3 L8.2 12.1 L6.8 10.7 Z"}};
constexpr SymbolLayer kCameraFill[] = {{Paint::evenOddFill, 0,
                                        "M3 8 C3 6.9 3.9 6 5 6 L8 6 L9.5 4 L14.5 4 L16 6 L19 6 C20.1 6 21 "
                                        "6.9 21 8 L21 18 C21 19.1 20.1 20 19 20 "
                                        "L5 20 C3.9 20 3 19.1 3 18 Z A12 13 4.2 0 360 Z A12 13 2.6 0 360 Z"}};
constexpr SymbolLayer kPhoto[] = {
    {Paint::stroke, 1.8,
     "M5 5 L19 5 C20.1 5 21 5.9 21 7 L21 17 C21 18.1 20.1 19 19 19 L5 19 C3.9 19 3 18.1 3 17 L3 7 C3 5.9 3.9 "
     "5 "
     "5 5 Z"},
    {Paint::fill, 0, "M4.5 17.5 L9.5 11.5 L13.5 15.5 L15.5 13.5 L19.5 17.5 Z A16 9.5 1.7 0 360 Z"}};
constexpr SymbolLayer kPaintbrush[] = {
    {Paint::stroke, 2.0, "M20.5 3.5 L12 12"},
    {Paint::fill, 0,
     "M10.5 12.5 C7.5 12.5 6 14.5 6 16.5 C6 18.3 5 19.5 3 20.3 C6.5 21.6 12.5 20.8 12.5 15 Z"}};
constexpr SymbolLayer kGearshape[] = {
    {Paint::stroke, 3.0, "A12 12 6 0 360 Z"},
    {Paint::stroke, 3.0,
     "M19.5 12 L21.5 12 M4.5 12 L2.5 12 M12 19.5 L12 21.5 M12 4.5 L12 2.5 M17.3 17.3 L18.7 18.7 "
     "M6.7 17.3 L5.3 18.7 M6.7 6.7 L5.3 5.3 M17.3 6.7 L18.7 5.3"}};
constexpr SymbolLayer kTrash[] = {
    {Paint::stroke, 1.8, "M3.5 6 L20.5 6 M9 6 L9 3.5 L15 3.5 L15 6 M5.8 6 L6.8 20.5 L17.2 20.5 L18.2 6"},
    {Paint::stroke, 1.6, "M10 10 L10 16.5 M14 10 L14 16.5"}};
constexpr SymbolLayer kPinFill[] = {{Paint::fill, 0, "M7.5 2.5 L16.5 2.5 L15 9 L18.5 13.5 L5.5 13.5 L9 9 Z"},
                                    {Paint::stroke, 2.0, "M12 13.5 L12 21.5"}};
constexpr SymbolLayer kBellSlashFill[] = {
    {Paint::fill, 0,
     "M12 3 C8.6 3 6.5 5.6 6.5 9 L6.5 13 L4.5 16.5 L19.5 16.5 L17.5 13 L17.5 9 C17.5 5.6 15.4 3 12 3 Z "
     "A12 18 2.4 0 180 Z"},
    {Paint::erase, 4.2, "M3.5 2.5 L20.5 21.5"},
    {Paint::stroke, 1.8, "M3.5 2.5 L20.5 21.5"}};
constexpr SymbolLayer kArrowshapeTurnUpLeft[] = {
    {Paint::stroke, 1.8,
     "M10 4.5 L2.5 11 L10 17.5 L10 13.5 C15 13.5 18.5 15 21.5 19.5 C20.5 13.5 16.5 9.2 10 8.5 Z"}};
constexpr SymbolLayer kDocOnDoc[] = {{Paint::stroke, 1.8, "M8 7 L8 3.5 L17 3.5 L20.5 7 L20.5 17 L16 17"},
                                     {Paint::stroke, 1.8, "M3.5 7 L16 7 L16 20.5 L3.5 20.5 Z"}};
constexpr SymbolLayer kEllipsisCircle[] = {
    {Paint::stroke, 1.8, "A12 12 9.5 0 360 Z"},
    {Paint::fill, 0, "A7.5 12 1.4 0 360 Z A12 12 1.4 0 360 Z A16.5 12 1.4 0 360 Z"}};
constexpr SymbolLayer kHeart[] = {{Paint::stroke, 1.8,
                                   "M12 20 C6 15.5 3 12.5 3 8.5 C3 5.8 5 4 7.5 4 C9.5 4 11 5.2 12 7 C13 5.2 "
                                   "14.5 4 16.5 4 C19 4 21 5.8 21 8.5 "
                                   "C21 12.5 18 15.5 12 20 Z"}};
// The settings pane's page icons.
constexpr SymbolLayer kListBullet[] = {
    {Paint::fill, 0, "A4.5 6 1.5 0 360 Z A4.5 12 1.5 0 360 Z A4.5 18 1.5 0 360 Z"},
    {Paint::stroke, 1.8, "M9 6 L20.5 6 M9 12 L20.5 12 M9 18 L20.5 18"}};
constexpr SymbolLayer kTextBubble[] = {{Paint::stroke, 1.8,
                                        "M6 4 L18 4 C19.7 4 21 5.3 21 7 L21 14 C21 15.7 19.7 17 18 17 L10.5 "
                                        "17 L6.5 20.5 L6.5 17 L6 17 C4.3 17 3 "
                                        "15.7 3 14 L3 7 C3 5.3 4.3 4 6 4 Z"},
                                       {Paint::stroke, 1.6, "M7.5 8.8 L16.5 8.8 M7.5 12.3 L13.5 12.3"}};
constexpr SymbolLayer kBubbleLeftAndBubbleRight[] = {
    {Paint::stroke, 1.6,
     "M4.5 3 L12.5 3 C14 3 15 4 15 5.5 L15 9.5 C15 11 14 12 12.5 12 L7.5 12 L4.5 14.5 L4.5 12 C3 12 2 11 2 "
     "9.5 L2 "
     "5.5 C2 4 3 3 4.5 3 Z"},
    {Paint::erase, 3.0,
     "M11.5 9.5 L19.5 9.5 C21 9.5 22 10.5 22 12 L22 16 C22 17.5 21 18.5 19.5 18.5 L19.5 21 L16.5 18.5 L11.5 "
     "18.5 C10 18.5 9 17.5 9 16 L9 12 C9 10.5 10 9.5 11.5 9.5 Z"},
    {Paint::fill, 0,
     "M11.5 9.5 L19.5 9.5 C21 9.5 22 10.5 22 12 L22 16 C22 17.5 21 18.5 19.5 18.5 L19.5 21 L16.5 18.5 L11.5 "
     "18.5 C10 18.5 9 17.5 9 16 L9 12 C9 10.5 10 9.5 11.5 9.5 Z"}};
constexpr SymbolLayer kMenubarRectangle[] = {
    {Paint::stroke, 1.8, "M3 5 L21 5 L21 19 L3 19 Z M3 9.5 L21 9.5"}};
constexpr SymbolLayer kFilemenuAndSelection[] = {
    {Paint::stroke, 1.8, "M3 3.5 L21 3.5 L21 14.5 L3 14.5 Z"},
    {Paint::stroke, 1.5, "M6.5 7.5 L17.5 7.5 M6.5 10.8 L13.5 10.8"},
    {Paint::fill, 0, "M3 17 L21 17 L21 21 L3 21 Z"}};
constexpr SymbolLayer kPaintpalette[] = {
    {Paint::stroke, 1.8,
     "M12 3 C17 3 21 6.6 21 11 C21 14 18.8 15 17 15 L15 15 C13.6 15 13 16 13.6 17.2 C14.4 18.8 13.6 21 11.5 "
     "21 "
     "C6.8 21 3 17 3 12 C3 7 7 3 12 3 Z"},
    {Paint::fill, 0, "A7.5 11 1.5 0 360 Z A10 7 1.5 0 360 Z A14.5 7 1.5 0 360 Z A17.3 10.5 1.5 0 360 Z"}};
constexpr SymbolLayer kSquareFillOnSquareFill[] = {{Paint::fill, 0, "M8.5 3 L21 3 L21 15.5 L8.5 15.5 Z"},
                                                   {Paint::erase, 3.0, "M3 8.5 L15.5 8.5 L15.5 21 L3 21 Z"},
                                                   {Paint::fill, 0, "M3 8.5 L15.5 8.5 L15.5 21 L3 21 Z"}};
constexpr SymbolLayer kRectangleGrid1x2[] = {
    {Paint::stroke, 1.8, "M3 4 L21 4 L21 11 L3 11 Z M3 13 L21 13 L21 20 L3 20 Z"}};
constexpr SymbolLayer kTextformat[] = {{Paint::stroke, 1.8, "M2.5 19 L8 5 L13.5 19 M4.6 14 L11.4 14"},
                                       {Paint::stroke, 1.8, "A17.8 15.8 3 0 360 Z M20.8 12.5 L20.8 19"}};
// The status bar's icons, on grids of their own shapes.
constexpr SymbolLayer kCellularbars[] = {
    {Paint::fill, 0,
     "M0 8.5 L3 8.5 L3 12 L0 12 Z M5 6 L8 6 L8 12 L5 12 Z M10 3 L13 3 L13 12 L10 12 Z M15 0 L18 0 L18 12 L15 "
     "12 Z"}};
constexpr SymbolLayer kWifi[] = {{Paint::stroke, 2.0, "A8.5 12.5 10.5 225 315 A8.5 12.5 6.5 225 315"},
                                 {Paint::fill, 0, "A8.5 11 2 0 360 Z"}};
constexpr SymbolLayer kBattery100[] = {
    {Paint::stroke, 1.0,
     "M3.5 0.5 L21 0.5 C22.7 0.5 24 1.8 24 3.5 L24 9.5 C24 11.2 22.7 12.5 21 12.5 L3.5 12.5 C1.8 12.5 0.5 "
     "11.2 0.5 9.5 L0.5 3.5 C0.5 1.8 1.8 0.5 3.5 0.5 Z"},
    {Paint::fill, 0,
     "M3.5 2.5 L21 2.5 C21.6 2.5 22 2.9 22 3.5 L22 9.5 C22 10.1 21.6 10.5 21 10.5 L3.5 10.5 "
     "C2.9 10.5 2.5 10.1 2.5 9.5 L2.5 3.5 C2.5 2.9 2.9 2.5 3.5 2.5 Z"},
    {Paint::fill, 0, "M25.5 4.5 C26.4 4.8 27 5.6 27 6.5 C27 7.4 26.4 8.2 25.5 8.5 Z"}};

constexpr std::array kSymbols{
    SymbolShape{"checkmark", 24, 24, kCheckmark},
    SymbolShape{"chevron.up.chevron.down", 24, 24, kChevronUpDown},
    SymbolShape{"chevron.right", 24, 24, kChevronRight},
    SymbolShape{"chevron.left", 24, 24, kChevronLeft},
    SymbolShape{"info.circle", 24, 24, kInfoCircle},
    SymbolShape{"magnifyingglass", 24, 24, kMagnifyingGlass},
    SymbolShape{"square.and.pencil", 24, 24, kSquareAndPencil},
    SymbolShape{"paperplane.fill", 24, 24, kPaperplaneFill},
    SymbolShape{"circle.fill", 24, 24, kCircleFill},
    SymbolShape{"globe", 24, 24, kGlobe},
    SymbolShape{"arrow.up.circle.fill", 24, 24, kArrowUpCircleFill},
    SymbolShape{"camera.fill", 24, 24, kCameraFill},
    SymbolShape{"photo", 24, 24, kPhoto},
    SymbolShape{"paintbrush", 24, 24, kPaintbrush},
    SymbolShape{"gearshape", 24, 24, kGearshape},
    SymbolShape{"trash", 24, 24, kTrash},
    SymbolShape{"pin.fill", 24, 24, kPinFill},
    SymbolShape{"bell.slash.fill", 24, 24, kBellSlashFill},
    SymbolShape{"arrowshape.turn.up.left", 24, 24, kArrowshapeTurnUpLeft},
    SymbolShape{"doc.on.doc", 24, 24, kDocOnDoc},
    SymbolShape{"ellipsis.circle", 24, 24, kEllipsisCircle},
    SymbolShape{"heart", 24, 24, kHeart},
    SymbolShape{"list.bullet", 24, 24, kListBullet},
    SymbolShape{"text.bubble", 24, 24, kTextBubble},
    SymbolShape{"bubble.left.and.bubble.right", 24, 24, kBubbleLeftAndBubbleRight},
    SymbolShape{"menubar.rectangle", 24, 24, kMenubarRectangle},
    SymbolShape{"filemenu.and.selection", 24, 24, kFilemenuAndSelection},
    SymbolShape{"paintpalette", 24, 24, kPaintpalette},
    SymbolShape{"square.fill.on.square.fill", 24, 24, kSquareFillOnSquareFill},
    SymbolShape{"rectangle.grid.1x2", 24, 24, kRectangleGrid1x2},
    SymbolShape{"textformat", 24, 24, kTextformat},
    SymbolShape{"cellularbars", 18, 12, kCellularbars},
    SymbolShape{"wifi", 17, 12, kWifi},
    SymbolShape{"battery.100", 27, 13, kBattery100},
};

} // namespace

const SymbolShape* findSymbolShape(std::string_view name) {
    for (const SymbolShape& symbol : kSymbols)
        if (name == symbol.name)
            return &symbol;
    return nullptr;
}

} // namespace uikit
