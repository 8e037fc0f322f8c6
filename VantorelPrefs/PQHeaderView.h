#pragma once
#include <UIKit/UIImageView.h>

// The pane's banner with rounded corners, inset 10 points from the top and 15
// from each side and flush with the bottom. Its frame comes from whoever makes it.
#define PQHEADERVIEW_METHODS(M, O, C) O(initWithFrame)

class PQHeaderView : public UIView {
    RT_OBJECT(PQHeaderView, UIView)
    RT_METHODS(PQHEADERVIEW_METHODS)

    // The banner ships in the pane's own bundle.
    static constexpr const char* kBannerPath = "/Library/PreferenceBundles/VantorelPrefs.bundle/banner.png";
    static constexpr CGFloat kCornerRadius = 13;
    static constexpr CGFloat kTop = 10;
    static constexpr CGFloat kSide = 15;
};
