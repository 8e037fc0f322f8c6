#include "PQLinkCell.h"

#include "CellParts.h"
#include "PQCellInitialiser.h"
#include "PQPrefs.h"
#include "RowProperties.h"

namespace {

constexpr CGFloat kIconSize = 29;
constexpr CGFloat kIconLeading = 12;
constexpr CGFloat kTitleAfterIcon = 10;

} // namespace

RT_DEFINE_CLASS(PQLinkCell, nullptr)

PQ_CELL_INITIALISER(PQLinkCell)

BOOL PQLinkCell::buildContent(PSSpecifier* specifier) {
    rt::Ref<UIImageView> icon = cellParts::symbol(this, rowProperties::text(specifier, "sfIcon"),
                                                  PQPrefs::shared()->accentColour(), kIconSize);
    setIconImage(icon);
    icon->leadingAnchor()->constraintEqualToAnchor(leadingAnchor(), kIconLeading)->setActive(YES);

    setHeaderLabel(
        cellParts::title(this, specifier, UIColor::labelColor(), icon->trailingAnchor(), kTitleAfterIcon));
    return YES;
}

// The six-digit parse the link rows carry; their own creation does not use it.
rt::Ref<UIColor> PQLinkCell::colorWithHexStringImpl(const std::string& text) {
    return HexColorCodec::colorWithSixDigitHexString(text);
}
