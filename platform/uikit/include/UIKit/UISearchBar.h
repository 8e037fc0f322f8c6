#pragma once
#include <UIKit/UISearchTextField.h>

#include <optional>
#include <string>

// A search bar: its text field and the placeholder the field shows (nil when none).
#define UISEARCHBAR_PROPERTIES(P) P(std::optional<std::string>, placeholder, setPlaceholder, {})

class UIKIT_EXTERN UISearchBar : public UIView {
    RT_OBJECT_WITH_CONSTRUCTOR(UISearchBar, UIView)
    RT_PROPERTIES(UISEARCHBAR_PROPERTIES)

    // Runtime method "searchTextField": made with the bar, a subview of it.
    rt::Ref<UISearchTextField> searchTextField();

  private:
    rt::Ref<UISearchTextField> m_searchTextField;
};
