#include <UIKit/UIBarButtonItem.h>

#include <UIKit/UIApplication.h>
#include <objc/message.h>

RT_DEFINE_CLASS(UIBarButtonItem, nullptr)

UIBarButtonItem* UIBarButtonItem::initWithTitle(const std::string& title, UIBarButtonItemStyle style,
                                                id target, SEL action) {
    m_title = title;
    m_style = style;
    m_target = target;
    m_action = action;
    return this;
}

UIBarButtonItem* UIBarButtonItem::initWithImage(UIImage* image, UIBarButtonItemStyle style, id target,
                                                SEL action) {
    m_image = image;
    m_style = style;
    m_target = target;
    m_action = action;
    return this;
}

BOOL UIBarButtonItem::tap() {
    rt::Ref<objc_object> target = m_target.lock();
    if (!target || !m_action)
        return NO;
    return UIApplication::sharedApplication()->sendAction(m_action, target, this);
}
