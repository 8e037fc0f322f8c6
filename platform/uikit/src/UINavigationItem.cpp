#include <UIKit/UINavigationItem.h>

#include <objc/message.h>

namespace {
[[maybe_unused]] const Class registered = UINavigationItem::classObject();
} // namespace

Class UINavigationItem::classObject() {
    static const Class cls = rt::defineClass("UINavigationItem", NSObject::classObject(), [](Class c, Class) {
        rt::setAllocator(c, &rt::allocate<UINavigationItem>);
    });
    return cls;
}
