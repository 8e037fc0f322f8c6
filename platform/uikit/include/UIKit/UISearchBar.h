#pragma once
#include <UIKit/UISearchTextField.h>

#include <optional>
#include <string>

// A search bar: its text field and the placeholder the field shows (nil when none).
#define UISEARCHBAR_PROPERTIES(P) P(std::optional<std::string>, placeholder, setPlaceholder, {})

// "searchTextField" is made with the bar, a subview of it; the layout puts
// the field across the bar, showing the bar's placeholder.
#define UISEARCHBAR_METHODS(M, O, C)                                                                         \
    M(rt::Ref<UISearchTextField>, searchTextField, "searchTextField", ())                                    \
    O(layoutSubviews)

class UIKIT_EXTERN UISearchBar : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(UISearchBar, UIView)
    RT_PROPERTIES(UISEARCHBAR_PROPERTIES)
    RT_METHODS(UISEARCHBAR_METHODS)

    static constexpr CGFloat kHeight = 52;
    static constexpr CGFloat kFieldHeight = 36;
    static constexpr CGFloat kMargin = 16;

  private:
    rt::Ref<UISearchTextField> m_searchTextField;
};
