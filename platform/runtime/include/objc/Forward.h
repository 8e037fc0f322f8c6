#pragma once
#include <objc/objc.h>

class objc_object;
class objc_class;
class NSObject;

namespace rt {
template <class T> class Ref;
template <class T> class Weak;
} // namespace rt
