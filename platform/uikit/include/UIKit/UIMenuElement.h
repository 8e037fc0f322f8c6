#pragma once
#include <Foundation/FoundationDefines.h>
#include <UIKit/UIImage.h>

#include <string>

// What a menu lists: an action or a submenu, each with a title and an
// optional image shown beside it.
class UIKIT_EXTERN UIMenuElement : public NSObject {
    RT_OBJECT(UIMenuElement, NSObject)

    const std::string& title() const { return m_title; }
    rt::Ref<UIImage> image() const { return m_image; }

  protected:
    void setTitleAndImage(const std::string& title, UIImage* image) {
        m_title = title;
        m_image = image;
    }

  private:
    std::string m_title;
    rt::Ref<UIImage> m_image;
};
