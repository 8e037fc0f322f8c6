// Must not compile: each list line below names a selector whose colons do not
// match its parameters. The test build compiles it once per line and expects
// the declaration's own message.
#include <objc/NSObject.h>

#if defined(MISCOUNTED_METHOD)
#define MISCOUNTED_METHODS(M, O, C) M(int, add, "add:to:", (int))
#elif defined(MISCOUNTED_CLASS_METHOD)
#define MISCOUNTED_METHODS(M, O, C) C(int, make, "make", (int))
#else
#define MISCOUNTED_METHODS(M, O, C) M(int, add, "add:", (int)) C(int, make, "make:", (int))
#endif

class Miscounted : public NSObject {
    RT_OBJECT(Miscounted, NSObject)
    RT_METHODS(MISCOUNTED_METHODS)
};
