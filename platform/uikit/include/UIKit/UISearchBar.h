#pragma once
#include <UIKit/UISearchTextField.h>

#include <optional>
#include <string>

// A search bar: its text field and the placeholder the field shows (nil when none).
#define UISEARCHBAR_PROPERTIES(P) P(std::optional<std::string>, placeholder, setPlaceholder, {})

class UIKIT_EXTERN UISearchBar : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(UISearchBar, UIView)
    RT_PROPERTIES(UISEARCHBAR_PROPERTIES)

    static constexpr CGFloat kHeight = 52;
    static constexpr CGFloat kFieldHeight = 36;
    static constexpr CGFloat kMargin = 16;

    // Runtime method "searchTextField": made with the bar, a subview of it.
    rt::Ref<UISearchTextField> searchTextField();

  private:
    // Runtime "layoutSubviews": the field across the bar, showing the bar's placeholder.
    void placeField();

    rt::Ref<UISearchTextField> m_searchTextField;
};
