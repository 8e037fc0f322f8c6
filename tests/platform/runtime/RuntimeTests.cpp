#include <objc/NSObject.h>
#include <objc/Weak.h>
#include <objc/message.h>
#include <substrate.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

namespace {

// A small class tree: Base <- Derived <- Leaf, and Sibling <- Base. Derived
// is a runtime class without an allocator of its own: its instances are Bases.
class Base : public NSObject {
    RT_OBJECT(Base, NSObject)
    std::string name() { return rt::send<std::string()>(this, rt::sel<"name">()); }
    rt::Ref<NSObject> m_child;
};

RT_DEFINE_CLASS(Base, [](Class cls, Class meta) {
    class_addMethod(
        cls, rt::sel<"name">(), +[](id, SEL) -> std::string { return "base"; });
    class_addMethod(
        cls, rt::sel<"add:to:">(), +[](id, SEL, int a, int b) { return a + b; });
    class_addMethod(
        meta, rt::sel<"kind">(), +[](id, SEL) -> int { return 1; });
    class_addIvar(cls, "_child", &Base::m_child);
})

Class derivedClass() {
    static const Class cls = rt::defineClass("RTDerived", Base::classObject(), nullptr);
    return cls;
}

class Leaf : public Base {
    RT_OBJECT(Leaf, Base)
};

RT_DEFINE_CLASS(Leaf, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"name">(), +[](id self, SEL sel) -> std::string {
            return "leaf>" + rt::sendSuper<std::string()>(self, Leaf::classObject(), sel);
        });
})

class Sibling : public Base {
    RT_OBJECT(Sibling, Base)
};

RT_DEFINE_CLASS(Sibling, nullptr)

using NameFn = std::string (*)(id, SEL);

TEST(Dispatch, InheritedMethodsAndSuperCalls) {
    auto leaf = rt::make<Leaf>();
    auto derived = rt::createInstance<Base>(derivedClass());
    EXPECT_EQ(derived->name(), "base");
    EXPECT_EQ(leaf->name(), "leaf>base");
    EXPECT_EQ((rt::send<int(int, int)>(derived.get(), rt::sel<"add:to:">(), 2, 3)), 5);
    EXPECT_EQ(rt::send<int()>(derivedClass(), rt::sel<"kind">()), 1);
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
    derivedClass();
    EXPECT_EQ(objc_getClass("Base"), base);
    EXPECT_EQ(objc_getClass("RTNoSuchClass"), nullptr);
    EXPECT_EQ(objc_getClass(nullptr), nullptr);
    EXPECT_TRUE(class_isMetaClass(object_getClass(base)));
    EXPECT_FALSE(class_isMetaClass(base));
    EXPECT_EQ(class_getSuperclass(object_getClass(objc_getClass("RTDerived"))), object_getClass(base));
    auto derived = rt::createInstance<Base>(derivedClass());
    EXPECT_TRUE(derived->isKindOfClass(base));
    EXPECT_FALSE(derived->isMemberOfClass(base));
    EXPECT_FALSE(derived->isKindOfClass(Sibling::classObject()));
    EXPECT_TRUE(derived->respondsToSelector(rt::sel<"name">()));
    EXPECT_FALSE(derived->respondsToSelector(rt::sel<"noSuchMethod">()));
    EXPECT_DEATH(objc_getRequiredClass("RTMissing"), "RTMissing");
    EXPECT_EQ(rt::defineClass("Base", nullptr, nullptr), nullptr) << "redefinition must not replace";
}

TEST(Lookups, InstancesByClassUseTheNearestAllocator) {
    rt::Ref<Base> made = rt::createInstance<Base>(derivedClass());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(object_getClass(made.get()), derivedClass());
    made->m_child = rt::createInstance<NSObject>(NSObject::classObject()); // a real Base underneath
    EXPECT_EQ(object_getIvar(made.get(), class_getInstanceVariable(derivedClass(), "_child")),
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
    auto base = rt::createInstance<Base>(derivedClass());
    base->m_child = rt::createInstance<NSObject>(NSObject::classObject());
    Ivar ivar = class_getInstanceVariable(object_getClass(base.get()), "_child");
    ASSERT_NE(ivar, nullptr);
    EXPECT_STREQ(ivar_getName(ivar), "_child");
    EXPECT_EQ(object_getIvar(base.get(), ivar), base->m_child.get());
    EXPECT_EQ(class_getInstanceVariable(Base::classObject(), "_nothing"), nullptr);
    EXPECT_EQ(object_getIvar(base.get(), nullptr), nullptr);
    EXPECT_EQ(object_getIvar(nullptr, ivar), nullptr);
    EXPECT_EQ(class_getInstanceVariable(nullptr, "_child"), nullptr);
}

// An instance of any class, for the hook tests' own classes.
rt::Ref<NSObject> instanceOf(Class cls) {
    return rt::createInstance<NSObject>(cls);
}

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
    auto kid = instanceOf(child), other = instanceOf(sibling), elder = instanceOf(parent);
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
    auto kid = instanceOf(child), elder = instanceOf(parent);
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
    auto elder = instanceOf(parent);

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
    auto kid = instanceOf(child);
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
class Tracked : public NSObject {
    RT_OBJECT_HEAD(Tracked, NSObject)

  public:
    ~Tracked() override { ++*m_deaths; }

  protected:
    Tracked(Class cls, int* deaths) : NSObject(cls), m_deaths(deaths) {}
    explicit Tracked(Class cls) : NSObject(cls) {}

  private:
    int* m_deaths = nullptr;
};

RT_DEFINE_CLASS(Tracked, nullptr)

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

namespace {

// Sends a message to itself while it is being built, as platform views do; a
// replacement of that method may take a Ref to it.
class SelfSender : public NSObject {
    RT_OBJECT_WITH_CONSTRUCTOR(SelfSender, NSObject)
};

std::vector<rt::Ref<NSObject>> g_kept;

RT_DEFINE_CLASS(SelfSender, [](Class cls, Class) {
    class_addMethod(
        cls, rt::sel<"touch">(), +[](id self, SEL) {
            rt::Ref<NSObject> held(static_cast<NSObject*>(self)); // released at once, must not free
            (void)held;
        });
    class_addMethod(
        cls, rt::sel<"keep">(), +[](id self, SEL) { g_kept.emplace_back(static_cast<NSObject*>(self)); });
})

SelfSender::SelfSender(Class cls) : NSObject(cls) {
    rt::send<void()>(this, rt::sel<"touch">());
    rt::send<void()>(this, rt::sel<"keep">());
}

// What must and must not compile.
static_assert(std::is_convertible_v<rt::Ref<Leaf>, rt::Ref<Base>>, "upcasts are implicit");
static_assert(!std::is_convertible_v<rt::Ref<Base>, rt::Ref<Leaf>>, "downcasts need rt::dynamicCast");
static_assert(!std::is_constructible_v<rt::Ref<Leaf>, rt::Ref<NSObject>>, "even explicitly");
static_assert(!std::is_convertible_v<rt::NewRef<Base>, Base*>, "a new object's only owner gives no pointer");
static_assert(std::is_convertible_v<rt::NewRef<Base>&, Base*>, "a named one does");
static_assert(!std::is_constructible_v<Base, Class>, "only the factory builds objects");

} // namespace

TEST(Ownership, NewObjectsStartOwnedAndSurviveRefsToThemselves) {
    auto made = rt::make<SelfSender>();
    EXPECT_EQ(made->retainCount(), 2u) << "the creator's reference and the one kept by the method";
    rt::Weak<SelfSender> weak(made.get());
    g_kept.clear();
    EXPECT_EQ(made->retainCount(), 1u);
    made = nullptr;
    EXPECT_EQ(weak.lock(), nullptr);

    // The same through class_createInstance: the caller adopts the first reference.
    id raw = class_createInstance(SelfSender::classObject());
    EXPECT_EQ(raw->retainCount(), 2u);
    g_kept.clear();
    rt::Ref<NSObject> adopted = rt::adopt(static_cast<NSObject*>(raw));
    EXPECT_EQ(adopted->retainCount(), 1u);
}

namespace {
// Hands out a reference to itself while it is being destroyed, as a hook
// keeping `self` during teardown would: the object would be freed twice.
class Resurrecting : public NSObject {
    RT_OBJECT(Resurrecting, NSObject)
    ~Resurrecting() override { g_kept.emplace_back(this); }
};
RT_DEFINE_CLASS(Resurrecting, nullptr)

// Gives up a reference it does not hold, as an unbalanced release in a
// teardown path would.
class OverReleasing : public NSObject {
    RT_OBJECT(OverReleasing, NSObject)
    ~OverReleasing() override { release(); }
};
RT_DEFINE_CLASS(OverReleasing, nullptr)
} // namespace

// Both are checked in every build, release included: the report names the class.
TEST(Ownership, RetainOfADeadObjectAndReleaseBelowZeroStop) {
    EXPECT_DEATH(rt::make<Resurrecting>(), "retain of a deallocated Resurrecting");
    EXPECT_DEATH(rt::make<OverReleasing>(), "release below zero of a OverReleasing");
}

TEST(Casts, CheckedDowncastsAnswerNullOrStop) {
    auto leaf = rt::make<Leaf>();
    rt::Ref<NSObject> general = leaf;
    EXPECT_EQ(rt::dynamicCast<Base>(general), leaf);
    EXPECT_EQ(rt::dynamicCast<Leaf>(general), leaf);
    EXPECT_EQ(rt::dynamicCast<Sibling>(general), nullptr);
    EXPECT_EQ(rt::dynamicCast<Leaf>(static_cast<objc_object*>(nullptr)), nullptr);
    EXPECT_TRUE(rt::is<Base>(leaf.get()));
    EXPECT_FALSE(rt::is<Sibling>(leaf.get()));

    // A runtime subclass without a C++ type of its own is built by its ancestor's allocator.
    EXPECT_EQ(rt::createInstance<Leaf>(derivedClass()), nullptr);
    EXPECT_NE(rt::createInstance<Base>(derivedClass()), nullptr);

    EXPECT_EQ(rt::createInstance<Sibling>(Leaf::classObject()), nullptr) << "wrong kind: released, null";
    EXPECT_EQ(rt::createInstance<Base>(nullptr), nullptr);
    EXPECT_DEATH(rt::verifyCast<Sibling>(general), "Leaf is not a Sibling");
    EXPECT_EQ(rt::verifyCast<Base>(general), leaf);
}

namespace {
// A C++ subclass declared to no runtime: its C++ base is Leaf's declared type.
class PlainLeaf : public Leaf {
  public:
    explicit PlainLeaf(Class cls) : Leaf(cls) {}
};
} // namespace

// Methods take `self` as their class's C++ type, so the runtime refuses any
// allocator whose objects would not be one, and says why.
TEST(Types, AllocatorsThatBuildAnotherCxxTypeAreRefused) {
    Class underLeaf = rt::defineClass("RTUnderLeaf", Leaf::classObject(), nullptr);
    ASSERT_NE(underLeaf, nullptr);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(rt::setAllocator(underLeaf, &rt::allocate<Base>));
    EXPECT_FALSE(rt::setAllocator(underLeaf, &rt::allocate<Sibling>));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("allocator for RTUnderLeaf refused: its instances would be built as "
                          "(anonymous namespace)::Base, which is not a (anonymous namespace)::Leaf "
                          "(the C++ type of Leaf)"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("built as (anonymous namespace)::Sibling"), std::string::npos) << report;
    EXPECT_NE(rt::createInstance<Leaf>(underLeaf), nullptr) << "Leaf's own allocator still builds them";

    // A plain C++ subclass of Leaf is a Leaf, a Base and an NSObject.
    EXPECT_TRUE(rt::setAllocator(underLeaf, &rt::allocate<PlainLeaf>));
    auto plain = rt::createInstance<Leaf>(underLeaf);
    ASSERT_NE(plain, nullptr);
    EXPECT_NE(dynamic_cast<PlainLeaf*>(plain.get()), nullptr);
    EXPECT_EQ(plain->name(), "leaf>base");
    EXPECT_FALSE(rt::setAllocator(nullptr, &rt::allocate<Base>));
    EXPECT_FALSE(rt::setAllocator(underLeaf, nullptr));
}

TEST(Types, ClassWhoseInheritedAllocatorBuildsAnotherTypeIsNotRegistered) {
    testing::internal::CaptureStderr();
    // Claims Leaf instances but would inherit Base's allocator.
    Class claimsLeaf = rt::defineClass("RTClaimsLeaf", Base::classObject(),
                                       [](Class c, Class) { rt::setCxxType(c, rt::cxxType<Leaf>()); });
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(claimsLeaf, nullptr);
    EXPECT_EQ(objc_getClass("RTClaimsLeaf"), nullptr);
    EXPECT_NE(report.find("class RTClaimsLeaf refused: its instances would be built as "
                          "(anonymous namespace)::Base, which is not a (anonymous namespace)::Leaf"),
              std::string::npos)
        << report;

    // With an allocator of the right type it registers.
    Class isLeaf = rt::defineClass("RTIsLeaf", Base::classObject(), [](Class c, Class) {
        rt::setCxxType(c, rt::cxxType<Leaf>());
        rt::setAllocator(c, &rt::allocate<PlainLeaf>);
    });
    ASSERT_NE(isLeaf, nullptr);
    auto made = rt::createInstance<Base>(isLeaf);
    EXPECT_NE(dynamic_cast<PlainLeaf*>(made.get()), nullptr);

    // The lineage follows declared bases and plain subclasses.
    EXPECT_TRUE(rt::cxxType<PlainLeaf>().isA(rt::cxxType<NSObject>()));
    EXPECT_TRUE(rt::cxxType<Leaf>().isA(rt::cxxType<Base>()));
    EXPECT_FALSE(rt::cxxType<Base>().isA(rt::cxxType<Leaf>()));
    EXPECT_FALSE(rt::cxxType<Sibling>().isA(rt::cxxType<Leaf>()));
}

namespace {
// A class declared with one line per method and property, and a subclass
// that overrides one of its methods.
#define TALLY_PROPERTIES(P)                                                                                  \
    P(int, step, setStep, 1, stepChanged)                                                                    \
    P(int, limit, setLimit, 10)
#define TALLY_METHODS(M, O, C)                                                                               \
    M(int, total, "total", ())                                                                               \
    M(int, add, "add:", (int))                                                                               \
    M(std::string, describe, "describeWith:and:", (const std::string&, int))                                 \
    C(rt::Ref<Tally>, tallyOf, "tallyOf:", (int))                                                            \
    C(int, scaled, "scaled:", (int))                                                                         \
    C(int, scaled, "scaled:by:", (int, int))

class Tally : public NSObject {
    RT_OBJECT(Tally, NSObject)
    RT_PROPERTIES(TALLY_PROPERTIES)
    RT_METHODS(TALLY_METHODS)

    int stepChanges = 0;

  private:
    void stepChanged() { ++stepChanges; }
    int m_total = 0;
};
RT_DEFINE_CLASS(Tally, nullptr)
int Tally::totalImpl() {
    return m_total;
}
int Tally::addImpl(int times) {
    m_total = std::min(m_limit, m_total + times * m_step);
    return m_total;
}
std::string Tally::describeImpl(const std::string& prefix, int width) {
    return prefix + std::string(static_cast<size_t>(width), '*') + std::to_string(total());
}

rt::Ref<Tally> Tally::tallyOfImpl(int total) {
    rt::Ref<Tally> tally = rt::make<Tally>();
    tally->m_total = total;
    return tally;
}
int Tally::scaledImpl(int value) {
    return scaled(value, 10);
}
int Tally::scaledImpl(int value, int factor) {
    return value * factor;
}

#define DOUBLE_TALLY_METHODS(M, O, C) O(add)
class DoubleTally : public Tally {
    RT_OBJECT(DoubleTally, Tally)
    RT_METHODS(DOUBLE_TALLY_METHODS)
};
RT_DEFINE_CLASS(DoubleTally, nullptr)
int DoubleTally::addImpl(int times) {
    return addSuper(2 * times) + 100;
}

int (*g_originalAdd)(id, SEL, int) = nullptr;
int hookedAdd(id self, SEL sel, int times) {
    return -g_originalAdd(self, sel, times);
}
} // namespace

static_assert(rt::colonsIn("describeWith:and:") == 2);

TEST(Declare, MethodLinesSendThroughTheRuntimeToTypedMembers) {
    auto tally = rt::make<Tally>();
    EXPECT_EQ(tally->add(3), 3);
    EXPECT_EQ(tally->describe("n=", 2), "n=**3");
    EXPECT_EQ(rt::send<int(int)>(tally.get(), rt::sel<"add:">(), 20), 10) << "the same method by selector";

    // An override reaches its superclass's implementation; wrappers send, so they see it.
    auto twice = rt::make<DoubleTally>();
    EXPECT_EQ(twice->add(2), 104);
    EXPECT_EQ(twice->total(), 4);
    Tally* asBase = twice.get();
    EXPECT_EQ(asBase->add(1), 106);

    // A hook on the class is what every wrapper call reaches.
    MSHookMessageEx(Tally::classObject(), rt::sel<"add:">(), &hookedAdd, &g_originalAdd);
    auto hooked = rt::make<Tally>();
    EXPECT_EQ(hooked->add(1), -1);
    EXPECT_EQ(twice->add(1), -8 + 100) << "the override's super call reaches the hook";
}

TEST(Declare, PropertyLineCallsItsMemberAfterTheStore) {
    auto tally = rt::make<Tally>();
    tally->setStep(4);
    EXPECT_EQ(tally->step(), 4);
    EXPECT_EQ(tally->stepChanges, 1);
    rt::send<void(int)>(tally.get(), rt::sel<"setStep:">(), 5);
    EXPECT_EQ(tally->stepChanges, 2) << "set through the runtime runs it too";
    tally->setLimit(3);
    EXPECT_EQ(tally->stepChanges, 2) << "a plain property runs nothing";
}

namespace {
// Overrides a method with another signature than the one it inherits.
class MisTyped : public Tally {
    RT_OBJECT(MisTyped, Tally)
    long addLong(int times) { return times; }
};
} // namespace

namespace {
int totalPlusStep(Tally* tally) {
    return 100 + tally->step();
}
int leafTotal(Leaf*) {
    return 0;
}
} // namespace

// A class made at run time takes functions whose first parameter is its
// instances' C++ type, and no other.
TEST(Declare, FunctionsForClassesMadeAtRunTimeTakeTheirInstancesType) {
    using TotalMethod = rt::MethodOf<int(), "total">;
    Class counting = rt::defineClass("RTCountingTally", Tally::classObject(),
                                     [](Class c, Class) { rt::addFunction<TotalMethod, &totalPlusStep>(c); });
    ASSERT_NE(counting, nullptr);
    auto tally = rt::createInstance<Tally>(counting);
    ASSERT_NE(tally, nullptr);
    tally->setStep(3);
    EXPECT_EQ(tally->total(), 103) << "the function replaced the inherited member";

    EXPECT_DEATH(rt::defineClass("RTNotALeaf", Tally::classObject(),
                                 [](Class c, Class) { rt::addFunction<TotalMethod, &leafTotal>(c); }),
                 "RTNotALeaf gets total for objects its instances are not");
}

TEST(Declare, OverrideWithAnotherSignatureStopsAtRegistration) {
    EXPECT_DEATH(
        rt::defineClass(
            "RTMisTyped", Tally::classObject(),
            [](Class c, Class) {
                rt::Implementation<MisTyped, rt::MethodOf<long(int), "add:">, &MisTyped::addLong>::add(c);
            }),
        "RTMisTyped implements add: with another signature than it inherits");
}

TEST(Declare, ClassMethodLinesLiveOnTheMetaclass) {
    EXPECT_EQ(Tally::tallyOf(7)->total(), 7);
    EXPECT_EQ(Tally::scaled(3, 2), 6);
    EXPECT_EQ(Tally::scaled(3), 30) << "overloads keep their own selectors";
    EXPECT_EQ((rt::send<int(int, int)>(Tally::classObject(), rt::sel<"scaled:by:">(), 4, 5)), 20);

    Class meta = object_getClass(Tally::classObject());
    EXPECT_TRUE(class_respondsToSelector(meta, rt::sel<"scaled:">()));
    EXPECT_FALSE(class_respondsToSelector(Tally::classObject(), rt::sel<"scaled:">()))
        << "instances do not answer a class method";
    EXPECT_EQ(rt::send<int(int)>(DoubleTally::classObject(), rt::sel<"scaled:">(), 2), 20)
        << "a subclass inherits it through its metaclass";
}

namespace {
int (*g_originalScaled)(id, SEL, int, int) = nullptr;
int hookedScaled(id self, SEL sel, int value, int factor) {
    return -g_originalScaled(self, sel, value, factor);
}
} // namespace

TEST(Declare, ClassMethodLineReplacedThroughTheMetaclass) {
    // Warm the subclass's cache before the hook.
    EXPECT_EQ((rt::send<int(int, int)>(DoubleTally::classObject(), rt::sel<"scaled:by:">(), 2, 3)), 6);

    // The class itself has no such instance method: nothing is installed there.
    MSHookMessageEx(Tally::classObject(), rt::sel<"scaled:by:">(), &hookedScaled, &g_originalScaled);
    EXPECT_EQ(g_originalScaled, nullptr);
    EXPECT_EQ(Tally::scaled(2, 3), 6);

    MSHookMessageEx(object_getClass(Tally::classObject()), rt::sel<"scaled:by:">(), &hookedScaled,
                    &g_originalScaled);
    ASSERT_NE(g_originalScaled, nullptr);
    EXPECT_EQ(g_originalScaled(Tally::classObject(), rt::sel<"scaled:by:">(), 2, 3), 6)
        << "the slot holds the original";
    EXPECT_EQ(Tally::scaled(2, 3), -6) << "the wrapper reaches the replacement";
    EXPECT_EQ(Tally::scaled(2), -20) << "so does a class method that sends it";
    EXPECT_EQ((rt::send<int(int, int)>(DoubleTally::classObject(), rt::sel<"scaled:by:">(), 2, 3)), -6)
        << "the subclass's warm cache was flushed";
}

namespace {
// Declares an inherited class method again with another return type. Its
// class is defined when first asked for, so that the test sees the refusal.
#define MISTYPED_FACTORY_METHODS(M, O, C) C(long, scaled, "scaled:", (int))
class MisTypedFactory : public Tally {
    RT_OBJECT(MisTypedFactory, Tally)
    RT_METHODS(MISTYPED_FACTORY_METHODS)
};
Class MisTypedFactory::classObject() {
    return rt::defineClass<MisTypedFactory>("RTMisTypedFactory", nullptr);
}
long MisTypedFactory::scaledImpl(int value) {
    return value;
}
} // namespace

TEST(Declare, ClassMethodWithAnotherSignatureStopsAtRegistration) {
    EXPECT_DEATH(MisTypedFactory::classObject(),
                 "RTMisTypedFactory implements \\+scaled: with another signature than it inherits");
}
