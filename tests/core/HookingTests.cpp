#include "core/Hooking.h"
#include "platform/foundation/NSValues.h"
#include "platform/objc/ClassBuilder.h"

#include <gtest/gtest.h>

using namespace igtarvo;
using platform::ns;
using platform::NSString;
using platform::str;

namespace {

// Greeter <- Child (inherits greet), Greeter <- Sibling, Greeter <- Cousin, Greeter <- Owner (own greet).
class Greeter : public Object {
    OBJC_CLASS(Greeter, Object)
public:
    static void registerMethods(objc::ClassBuilder<Greeter>& b) { b.method<&Greeter::greet>("greet").method<&Greeter::count>("count"); }
    RefPtr<NSString> greet() { return ns("hello"); }
    long count() { return 1; }
};
OBJC_CLASS_DEFINE(Greeter)

class Child : public Greeter {
    OBJC_CLASS(Child, Greeter)
public:
    static void registerMethods(objc::ClassBuilder<Child>&) { }
};
OBJC_CLASS_DEFINE(Child)

class Sibling : public Greeter {
    OBJC_CLASS(Sibling, Greeter)
public:
    static void registerMethods(objc::ClassBuilder<Sibling>&) { }
};
OBJC_CLASS_DEFINE(Sibling)

// A second sibling that no test hooks, to show that a hook on one subclass
// leaves the others alone whatever ran before.
class Cousin : public Greeter {
    OBJC_CLASS(Cousin, Greeter)
public:
    static void registerMethods(objc::ClassBuilder<Cousin>&) { }
};
OBJC_CLASS_DEFINE(Cousin)

class Owner : public Greeter {
    OBJC_CLASS(Owner, Greeter)
public:
    static void registerMethods(objc::ClassBuilder<Owner>& b) { b.method<&Owner::greet>("greet").method<&Owner::tag>("tag"); }
    RefPtr<NSString> greet() { return ns("owner"); }
    RefPtr<NSString> tag() { return ns("host tag"); }
};
OBJC_CLASS_DEFINE(Owner)

std::string greet(id obj) { return str(objc::send<RefPtr<NSString>>(obj, "greet")); }

Previous<RefPtr<Object>()> g_childGreet;
RefPtr<Object> childGreet(id self, SEL cmd) { return ns("[" + str(g_childGreet(self, cmd)) + "]"); }

Previous<RefPtr<Object>()> g_ownerGreet;
RefPtr<Object> ownerGreet(id self, SEL cmd) { return ns("<" + str(g_ownerGreet(self, cmd)) + ">"); }

RefPtr<Object> laterGreet(id, SEL) { return ns("later"); }
RefPtr<Object> systemTag(id, SEL) { return ns("system tag"); }
void systemTap(id, SEL, id) { }

Previous<RefPtr<Object>()> g_missing;
RefPtr<Object> missing(id self, SEL cmd) { return g_missing(self, cmd); }

Previous<double()> g_wrongCount;
double wrongCount(id, SEL) { return 2.5; }

Previous<RefPtr<Object>()> g_siblingGreet;
RefPtr<Object> siblingGreet(id, SEL) { return ns("sibling"); }

}

TEST(Hooking, InheritedOnlyMethodIsReplacedOnThatClassAloneAndPreviousReachesTheSuperclassAtCallTime)
{
    auto child = objc::make<Child>();
    auto sibling = objc::make<Cousin>();
    auto base = objc::make<Greeter>();
    auto outcomes = installHooks({ replaced<g_childGreet, &childGreet>("Test", "Child", "greet") });
    ASSERT_EQ(outcomes, std::vector<InstallOutcome> { InstallOutcome::Installed });

    EXPECT_EQ(greet(child.get()), "[hello]");
    EXPECT_EQ(greet(base.get()), "hello");
    EXPECT_EQ(greet(sibling.get()), "hello");

    // The fallback asks the recorded superclass each time it is called.
    objc::Method baseGreet = objc::class_getInstanceMethod(Greeter::staticClass(), objc::sel_registerName("greet"));
    IMP original = objc::method_setImplementation(baseGreet, reinterpret_cast<IMP>(&laterGreet));
    EXPECT_EQ(greet(child.get()), "[later]");
    objc::method_setImplementation(baseGreet, original);
    EXPECT_EQ(greet(child.get()), "[hello]");
}

TEST(Hooking, OwnMethodIsExchangedAndPreviousRunsTheImplementationInPlaceAtTheExchange)
{
    auto owner = objc::make<Owner>();
    auto outcomes = installHooks({ replaced<g_ownerGreet, &ownerGreet>("Test", "Owner", "greet") });
    ASSERT_EQ(outcomes, std::vector<InstallOutcome> { InstallOutcome::Installed });
    EXPECT_EQ(greet(owner.get()), "<owner>");
    // Changing the superclass afterwards does not reach the owner's own method.
    objc::Method baseGreet = objc::class_getInstanceMethod(Greeter::staticClass(), objc::sel_registerName("greet"));
    IMP original = objc::method_setImplementation(baseGreet, reinterpret_cast<IMP>(&laterGreet));
    EXPECT_EQ(greet(owner.get()), "<owner>");
    objc::method_setImplementation(baseGreet, original);
}

TEST(Hooking, MissingClassOrMethodSkipsOnlyThoseRows)
{
    auto sibling = objc::make<Sibling>();
    auto outcomes = installHooks({
        replaced<g_missing, &missing>("Test", "NoSuchClass", "greet"),
        replaced<g_missing, &missing>("Test", "Sibling", "noSuchMethod"),
        added<&systemTap>("Test", "NoSuchClass", "tarvo_tap:", "v@:@"),
        replaced<g_siblingGreet, &siblingGreet>("Test", "Sibling", "greet"),
    });
    EXPECT_EQ(outcomes, (std::vector<InstallOutcome> { InstallOutcome::MissingClass, InstallOutcome::MissingMethod, InstallOutcome::MissingClass, InstallOutcome::Installed }));
    EXPECT_TRUE(g_missing.empty());
    EXPECT_EQ(greet(sibling.get()), "sibling");
}

TEST(Hooking, AddedSelectorTheClassAlreadyHasKeepsTheHostsMethod)
{
    auto owner = objc::make<Owner>();
    auto outcomes = installHooks({
        added<&systemTag>("Test", "Owner", "tag", "@@:"),
        added<&systemTap>("Test", "Owner", "tarvo_tap:", "v@:@"),
    });
    EXPECT_EQ(outcomes, (std::vector<InstallOutcome> { InstallOutcome::AlreadyPresent, InstallOutcome::Installed }));
    EXPECT_EQ(str(objc::send<RefPtr<NSString>>(owner, "tag")), "host tag");
    objc::Method tap = objc::class_getInstanceMethod(Owner::staticClass(), objc::sel_registerName("tarvo_tap:"));
    ASSERT_NE(tap, nullptr);
    EXPECT_STREQ(objc::method_getTypeEncoding(tap), "v@:@");
    objc::send<void(id)>(owner, "tarvo_tap:", nullptr);
}

TEST(Hooking, ReplacementWithAnotherSignatureLeavesTheHostMethodInPlace)
{
    auto greeter = objc::make<Greeter>();
    auto outcomes = installHooks({ replaced<g_wrongCount, &wrongCount>("Test", "Greeter", "count") });
    EXPECT_EQ(outcomes, std::vector<InstallOutcome> { InstallOutcome::SignatureDiffers });
    EXPECT_EQ(objc::send<long>(greeter, "count"), 1);
    EXPECT_TRUE(g_wrongCount.empty());
}

namespace {
class Quiet : public Greeter {
    OBJC_CLASS(Quiet, Greeter)
public:
    static void registerMethods(objc::ClassBuilder<Quiet>&) { }
};
OBJC_CLASS_DEFINE(Quiet)
Previous<RefPtr<Object>()> g_quietGreet;
RefPtr<Object> quietGreet(id, SEL) { return ns("shh"); }
}

TEST(Hooking, ReplacementWithoutFallbackOverAnInheritedMethodLeavesPreviousEmpty)
{
    auto quiet = objc::make<Quiet>();
    auto outcomes = installHooks({ replacedWithoutFallback<g_quietGreet, &quietGreet>("Test", "Quiet", "greet") });
    ASSERT_EQ(outcomes, std::vector<InstallOutcome> { InstallOutcome::Installed });
    EXPECT_TRUE(g_quietGreet.empty());
    EXPECT_EQ(greet(quiet.get()), "shh");
}
