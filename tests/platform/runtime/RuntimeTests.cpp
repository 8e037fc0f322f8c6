#include <objc/NSObject.h>
#include <objc/Weak.h>
#include <objc/message.h>
#include <substrate.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// A small class tree: Base <- Derived <- Leaf, and Sibling <- Base.
class Base : public NSObject {
  public:
    static Class classObject() {
        static const Class cls = rt::defineClass("RTBase", NSObject::classObject(), [](Class c, Class meta) {
            class_addMethod(
                c, rt::sel<"name">(), +[](id, SEL) -> std::string { return "base"; });
            class_addMethod(
                c, rt::sel<"add:to:">(), +[](id, SEL, int a, int b) { return a + b; });
            class_addMethod(
                meta, rt::sel<"kind">(), +[](id, SEL) -> int { return 1; });
            class_addIvar(c, "_child", &Base::m_child);
            rt::setAllocator(c, &rt::allocate<Base>);
        });
        return cls;
    }
    Base() : NSObject(classObject()) {}
    explicit Base(Class cls) : NSObject(cls) {}
    std::string name() { return rt::send<std::string()>(this, rt::sel<"name">()); }
    rt::Ref<NSObject> m_child;
};

class Derived : public Base {
  public:
    static Class classObject() {
        static const Class cls = rt::defineClass("RTDerived", Base::classObject(), nullptr);
        return cls;
    }
    Derived() : Base(classObject()) {}

  protected:
    explicit Derived(Class cls) : Base(cls) {}
};

class Leaf : public Derived {
  public:
    static Class classObject() {
        static const Class cls = rt::defineClass("RTLeaf", Derived::classObject(), [](Class c, Class) {
            class_addMethod(
                c, rt::sel<"name">(), +[](id self, SEL sel) -> std::string {
                    return "leaf>" + rt::sendSuper<std::string()>(self, Leaf::classObject(), sel);
                });
        });
        return cls;
    }
    Leaf() : Derived(classObject()) {}
};

class Sibling : public Base {
  public:
    static Class classObject() {
        static const Class cls = rt::defineClass("RTSibling", Base::classObject(), nullptr);
        return cls;
    }
    Sibling() : Base(classObject()) {}
};

using NameFn = std::string (*)(id, SEL);

TEST(Dispatch, InheritedMethodsAndSuperCalls) {
    auto leaf = rt::make<Leaf>();
    auto derived = rt::make<Derived>();
    EXPECT_EQ(derived->name(), "base");
    EXPECT_EQ(leaf->name(), "leaf>base");
    EXPECT_EQ((rt::send<int(int, int)>(derived.get(), rt::sel<"add:to:">(), 2, 3)), 5);
    EXPECT_EQ(rt::send<int()>(Derived::classObject(), rt::sel<"kind">()), 1);
}

TEST(Dispatch, NilMessagingAnswersZero) {
    id nothing = nullptr;
    EXPECT_EQ(rt::send<std::string()>(nothing, rt::sel<"name">()), "");
    EXPECT_EQ((rt::send<int(int, int)>(nothing, rt::sel<"add:to:">(), 2, 3)), 0);
    EXPECT_EQ(rt::send<rt::Ref<NSObject>()>(nothing, rt::sel<"anything">()), nullptr);
}

TEST(Dispatch, WrongSignatureOrUnknownSelectorStops) {
    auto base = rt::make<Base>();
    EXPECT_DEATH(rt::send<int()>(base.get(), rt::sel<"name">()), "sent with signature");
    EXPECT_DEATH(rt::send<void()>(base.get(), rt::sel<"noSuchMethod">()),
                 "unrecognized selector noSuchMethod");
}

TEST(Lookups, ByNameKindAndMetaclass) {
    Class base = Base::classObject();
    Derived::classObject();
    EXPECT_EQ(objc_getClass("RTBase"), base);
    EXPECT_EQ(objc_getClass("RTNoSuchClass"), nullptr);
    EXPECT_EQ(objc_getClass(nullptr), nullptr);
    EXPECT_TRUE(class_isMetaClass(object_getClass(base)));
    EXPECT_FALSE(class_isMetaClass(base));
    EXPECT_EQ(class_getSuperclass(object_getClass(objc_getClass("RTDerived"))), object_getClass(base));
    auto derived = rt::make<Derived>();
    EXPECT_TRUE(derived->isKindOfClass(base));
    EXPECT_FALSE(derived->isMemberOfClass(base));
    EXPECT_FALSE(derived->isKindOfClass(Sibling::classObject()));
    EXPECT_TRUE(derived->respondsToSelector(rt::sel<"name">()));
    EXPECT_FALSE(derived->respondsToSelector(rt::sel<"noSuchMethod">()));
    EXPECT_DEATH(objc_getRequiredClass("RTMissing"), "RTMissing");
    EXPECT_EQ(rt::defineClass("RTBase", nullptr, nullptr), nullptr) << "redefinition must not replace";
}

TEST(Lookups, InstancesByClassUseTheNearestAllocator) {
    rt::Ref<Base> made(static_cast<Base*>(class_createInstance(Derived::classObject())));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(object_getClass(made.get()), Derived::classObject());
    made->m_child = rt::make<NSObject>(); // a real Base underneath, members and all
    EXPECT_EQ(object_getIvar(made.get(), class_getInstanceVariable(Derived::classObject(), "_child")),
              made->m_child.get());
    EXPECT_EQ(class_createInstance(nullptr), nullptr);
}

TEST(Lookups, HiddenClassIsGoneByNameOnly) {
    static const Class cls = rt::defineClass("RTHideMe", NSObject::classObject(), nullptr);
    ASSERT_EQ(objc_getClass("RTHideMe"), cls);
    rt::hideClass("RTHideMe");
    EXPECT_EQ(objc_getClass("RTHideMe"), nullptr);
    rt::hideClass(nullptr);
}

TEST(Ivars, ObjectValuedVariablesByName) {
    auto base = rt::make<Derived>();
    base->m_child = rt::make<NSObject>();
    Ivar ivar = class_getInstanceVariable(object_getClass(base.get()), "_child");
    ASSERT_NE(ivar, nullptr);
    EXPECT_STREQ(ivar_getName(ivar), "_child");
    EXPECT_EQ(object_getIvar(base.get(), ivar), base->m_child.get());
    EXPECT_EQ(class_getInstanceVariable(Base::classObject(), "_nothing"), nullptr);
    EXPECT_EQ(object_getIvar(base.get(), nullptr), nullptr);
    EXPECT_EQ(object_getIvar(nullptr, ivar), nullptr);
    EXPECT_EQ(class_getInstanceVariable(nullptr, "_child"), nullptr);
}

// An object of any class, for the hook tests' own classes.
struct Obj : NSObject {
    explicit Obj(Class cls) : NSObject(cls) {}
};

std::string original(id, SEL) {
    return "original";
}
int seven(id, SEL) {
    return 7;
}

Class defineParent(const char* name) {
    return rt::defineClass(name, NSObject::classObject(), [](Class c, Class meta) {
        class_addMethod(c, rt::sel<"name">(), &original);
        class_addMethod(meta, rt::sel<"make">(), &seven);
    });
}

std::string callName(id object) {
    return rt::send<std::string()>(object, rt::sel<"name">());
}

NameFn g_slot = nullptr;
std::string hookedName(id self, SEL sel) {
    return "hooked(" + g_slot(self, sel) + ")";
}

TEST(Hooking, WarmSubclassCacheSeesHookOnSuperclassAndSlotHoldsOriginal) {
    Class parent = defineParent("HKParentA");
    Class child = rt::defineClass("HKChildA", parent, nullptr);
    Class sibling = rt::defineClass("HKSiblingA", NSObject::classObject(), [](Class c, Class) {
        class_addMethod(
            c, rt::sel<"name">(), +[](id, SEL) -> std::string { return "sibling"; });
    });
    rt::Ref<Obj> kid(new Obj(child)), other(new Obj(sibling)), elder(new Obj(parent));
    EXPECT_EQ(callName(kid), "original"); // warms the subclass cache

    g_slot = nullptr;
    MSHookMessageEx(parent, rt::sel<"name">(), &hookedName, &g_slot);
    ASSERT_EQ(g_slot, &original) << "the slot must hold the displaced implementation";
    EXPECT_EQ(callName(kid), "hooked(original)");
    EXPECT_EQ(callName(elder), "hooked(original)");
    EXPECT_EQ(callName(other), "sibling");
}

NameFn g_childSlot = nullptr;
std::string childName(id self, SEL sel) {
    return "child(" + g_childSlot(self, sel) + ")";
}

TEST(Hooking, HookOnSubclassGetsInheritedImplementationAndLeavesParentAlone) {
    Class parent = defineParent("HKParentB");
    Class child = rt::defineClass("HKChildB", parent, nullptr);
    rt::Ref<Obj> kid(new Obj(child)), elder(new Obj(parent));
    EXPECT_EQ(callName(elder), "original"); // warm the parent's cache too
    MSHookMessageEx(child, rt::sel<"name">(), &childName, &g_childSlot);
    EXPECT_EQ(g_childSlot, &original);
    EXPECT_EQ(callName(kid), "child(original)");
    EXPECT_EQ(callName(elder), "original");
}

int (*g_makeSlot)(id, SEL) = nullptr;
int makeHook(id self, SEL sel) {
    return 10 * g_makeSlot(self, sel);
}

TEST(Hooking, ClassMethodThroughTheMetaclass) {
    Class parent = defineParent("HKParentC");
    Class child = rt::defineClass("HKChildC", parent, nullptr);
    EXPECT_EQ(rt::send<int()>(child, rt::sel<"make">()), 7);
    MSHookMessageEx(object_getClass(parent), rt::sel<"make">(), &makeHook, &g_makeSlot);
    EXPECT_EQ(g_makeSlot, &seven);
    EXPECT_EQ(rt::send<int()>(parent, rt::sel<"make">()), 70);
    EXPECT_EQ(rt::send<int()>(child, rt::sel<"make">()), 70);
}

int wrongSignature(id, SEL) {
    return 1;
}

TEST(Hooking, MissingClassWrongSignatureAndUnknownSelectorInstallNothing) {
    Class parent = defineParent("HKParentD");
    rt::Ref<Obj> elder(new Obj(parent));

    NameFn slot = nullptr;
    MSHookMessageEx(objc_getClass("HKNoSuchClass"), rt::sel<"name">(), &hookedName, &slot);
    EXPECT_EQ(slot, nullptr);

    int (*intSlot)(id, SEL) = nullptr;
    MSHookMessageEx(parent, rt::sel<"name">(), &wrongSignature, &intSlot);
    EXPECT_EQ(intSlot, nullptr);
    EXPECT_EQ(callName(elder), "original");

    MSHookMessageEx(parent, rt::sel<"noSuchSelector">(), &hookedName, &slot);
    EXPECT_EQ(slot, nullptr);
    EXPECT_FALSE(elder->respondsToSelector(rt::sel<"noSuchSelector">()));
}

TEST(Hooking, ConcurrentSendsWhileCachesRefill) {
    Class parent = defineParent("HKParentE");
    Class child = rt::defineClass("HKChildE", parent, nullptr);
    rt::Ref<Obj> kid(new Obj(child));
    std::atomic<int> answered{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i)
                if (callName(kid) == "original")
                    ++answered;
        });
    for (int i = 0; i < 50; ++i) // unrelated methods added elsewhere flush every cache
        rt::defineClass(("HKNoise" + std::to_string(i)).c_str(), parent,
                        [](Class c, Class) { class_addMethod(c, rt::sel<"noise">(), &seven); });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(answered.load(), 8000);
}

// Counts its own destruction, for the ownership tests.
struct Tracked : NSObject {
    explicit Tracked(int* deaths) : m_deaths(deaths) {}
    ~Tracked() override { ++*m_deaths; }
    int* m_deaths;
};

TEST(Ownership, StrongReferencesOwnAndWeakOnesDoNot) {
    int deaths = 0;
    rt::Weak<Tracked> weak;
    {
        auto strong = rt::make<Tracked>(&deaths);
        EXPECT_EQ(strong->retainCount(), 1u);
        weak = strong.get();
        rt::Weak<Tracked> copy = weak;
        EXPECT_EQ(weak.lock().get(), strong.get());
        EXPECT_EQ(strong->retainCount(), 1u) << "locking must not leak a reference";
        rt::Ref<Tracked> second = strong;
        EXPECT_EQ(strong->retainCount(), 2u);
    }
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(weak.lock(), nullptr);
    rt::Weak<Tracked> empty;
    EXPECT_EQ(empty.lock(), nullptr);
}

TEST(Ownership, WeakReferenceOutlivedByObjectAndReassigned) {
    int deaths = 0;
    auto first = rt::make<Tracked>(&deaths);
    auto second = rt::make<Tracked>(&deaths);
    {
        rt::Weak<Tracked> weak(first.get());
        weak = second.get();
        EXPECT_EQ(weak.lock().get(), second.get());
    }
    first = nullptr;
    second = nullptr;
    EXPECT_EQ(deaths, 2);
}

} // namespace
