#pragma once
#include <Foundation/FoundationDefines.h>
#include <UIKit/UILabel.h>

#include <string>

enum UITableViewCellStyle : NSInteger {
    UITableViewCellStyleDefault = 0,
    UITableViewCellStyleValue1 = 1,
    UITableViewCellStyleValue2 = 2,
    UITableViewCellStyleSubtitle = 3,
};

// One row of a table: a content view holding the title and detail labels, and
// an optional accessory view at the trailing edge. The cell owns all three.
// "initWithStyle:reuseIdentifier:" answers the cell; a new accessory replaces
// the old one in the cell.
#define UITABLEVIEWCELL_METHODS(M, O, C)                                                                     \
    M(id, initWithStyle, "initWithStyle:reuseIdentifier:", (UITableViewCellStyle, const std::string&))       \
    M(rt::Ref<UIView>, accessoryView, "accessoryView", ())                                                   \
    M(void, setAccessoryView, "setAccessoryView:", (UIView*))                                                \
    O(layoutSubviews)

class UIKIT_EXTERN UITableViewCell : public UIView {
    RT_OBJECT(UITableViewCell, UIView)
    RT_METHODS(UITABLEVIEWCELL_METHODS)

    UITableViewCellStyle style() const { return m_style; }
    const std::string& reuseIdentifier() const { return m_reuseIdentifier; }
    // The content view is made with the cell, below what is added later; the
    // labels on first use, like the device's.
    rt::Ref<UIView> contentView();
    rt::Ref<UILabel> textLabel();
    rt::Ref<UILabel> detailTextLabel();

  private:
    UITableViewCellStyle m_style = UITableViewCellStyleDefault;
    std::string m_reuseIdentifier;
    rt::Ref<UIView> m_contentView;
    rt::Ref<UILabel> m_textLabel;
    rt::Ref<UILabel> m_detailTextLabel;
    rt::Ref<UIView> m_accessoryView;
};
