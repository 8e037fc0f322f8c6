#pragma once
#include <objc/Casts.h>
#include <objc/Declare.h>
#include <objc/Factory.h>
#include <objc/Ref.h>
#include <objc/runtime.h>

// Root class of every platform and product class.
class OBJC_EXPORT NSObject : public objc_object {
  public:
    static Class classObject();

    BOOL isKindOfClass(Class cls) const;
    BOOL isMemberOfClass(Class cls) const { return isa() == cls; }
    BOOL respondsToSelector(SEL sel) const { return class_respondsToSelector(isa(), sel); }

  protected:
    // Every class's constructor from a Class: what allocators and subclasses call.
    explicit NSObject(Class cls) : objc_object(cls) {}

  private:
    friend struct rt::Factory;
};
