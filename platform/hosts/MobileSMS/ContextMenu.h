#pragma once
#include <UIKit/_UIContextMenuListView.h>

namespace messages {

// The menu a long press on a balloon opens: the list with its platter, the
// platter's blurred background and tint, and the actions list holding the
// rows (Reply, Copy, Translate with a subtitle, More…). Each list keeps its
// background two levels down and a second backdrop two levels below that.
class ContextMenu {
  public:
    static constexpr CGFloat kWidth = 250;
    static constexpr CGFloat kRowHeight = 44;
    static constexpr CGFloat kRowWithSubtitleHeight = 56;
    static constexpr CGFloat kCornerRadius = 13;

    // The menu at `origin` in its superview.
    static rt::Ref<_UIContextMenuListView> make(CGPoint origin);
};

} // namespace messages
