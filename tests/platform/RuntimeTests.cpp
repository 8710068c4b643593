#include "platform/foundation/NSValues.h"
#include "platform/objc/ClassBuilder.h"

#include <gtest/gtest.h>

using namespace objc;
using platform::NSString;
using platform::ns;

namespace {

// A small class family: Animal <- Dog, Animal <- Cat.
class Animal : public Object {
    OBJC_CLASS(Animal, Object)
public:
    static void registerMethods(ClassBuilder<Animal>& b)
    {
        b.method<&Animal::sound>("sound").method<&Animal::legs>("legs").method<&Animal::setLegs>("setLegs:");
        b.method<&Animal::friendObject>("friendObject");
        b.ivar<&Animal::m_friend>("_friend");
    }
    RefPtr<NSString> sound() { return ns("..."); }
    long legs() { return m_legs; }
    void setLegs(long n) { m_legs = n; }
    RefPtr<Object> friendObject() { return m_friend; }
    RefPtr<Object> m_friend;
    long m_legs { 4 };
};
OBJC_CLASS_DEFINE(Animal)

class Dog : public Animal {
    OBJC_CLASS(Dog, Animal)
public:
    static void registerMethods(ClassBuilder<Dog>& b) { b.method<&Dog::sound>("sound"); }
    RefPtr<NSString> sound() { return ns("woof"); }
};
OBJC_CLASS_DEFINE(Dog)

class Cat : public Animal {
    OBJC_CLASS(Cat, Animal)
public:
    static void registerMethods(ClassBuilder<Cat>&) { }
};
OBJC_CLASS_DEFINE(Cat)

std::string soundOf(id animal) { return platform::str(send<RefPtr<NSString>>(animal, "sound")); }

RefPtr<Object> meow(id, SEL) { return ns("meow"); }
RefPtr<Object> growl(id, SEL) { return ns("grr"); }

}

TEST(Runtime, AddOnInheritedOnlySelectorOverridesForThatClassAlone)
{
    auto cat = make<Cat>();
    auto dog = make<Dog>();
    auto animal = make<Animal>();
    SEL sound = sel_registerName("sound");
    EXPECT_EQ(soundOf(cat.get()), "...");
    ASSERT_TRUE(class_addMethod(Cat::staticClass(), sound, reinterpret_cast<IMP>(&meow), "@@:"));
    EXPECT_EQ(soundOf(cat.get()), "meow");
    EXPECT_EQ(soundOf(animal.get()), "...");
    EXPECT_EQ(soundOf(dog.get()), "woof");
}

TEST(Runtime, AddOnOwnSelectorFailsAndChangesNothing)
{
    auto dog = make<Dog>();
    SEL sound = sel_registerName("sound");
    IMP before = class_getMethodImplementation(Dog::staticClass(), sound);
    EXPECT_FALSE(class_addMethod(Dog::staticClass(), sound, reinterpret_cast<IMP>(&growl), "@@:"));
    EXPECT_EQ(class_getMethodImplementation(Dog::staticClass(), sound), before);
    EXPECT_EQ(soundOf(dog.get()), "woof");
}

TEST(Runtime, SetImplementationAnswersOldAndNextSendRunsNew)
{
    auto dog = make<Dog>();
    SEL sound = sel_registerName("sound");
    EXPECT_EQ(soundOf(dog.get()), "woof"); // cached now
    Method m = class_getInstanceMethod(Dog::staticClass(), sound);
    IMP old = method_getImplementation(m);
    EXPECT_EQ(method_setImplementation(m, reinterpret_cast<IMP>(&growl)), old);
    EXPECT_EQ(soundOf(dog.get()), "grr");
    EXPECT_EQ(class_getMethodImplementation(Dog::staticClass(), sound), reinterpret_cast<IMP>(&growl));
    // The old implementation still works when called directly, as hooks do.
    auto fn = reinterpret_cast<RefPtr<Object> (*)(id, SEL)>(old);
    EXPECT_EQ(platform::str(fn(dog.get(), sound).get()), "woof");
    // Put the class back as it was, for the tests that run after this one.
    method_setImplementation(m, old);
    EXPECT_EQ(soundOf(dog.get()), "woof");
}

TEST(Runtime, InstanceMethodLookupSearchesSuperclasses)
{
    SEL legs = sel_registerName("legs");
    Method inherited = class_getInstanceMethod(Dog::staticClass(), legs);
    EXPECT_EQ(inherited, class_getInstanceMethod(Animal::staticClass(), legs));
    EXPECT_STREQ(method_getTypeEncoding(inherited), "q@:");
    EXPECT_EQ(class_getInstanceMethod(Dog::staticClass(), sel_registerName("fly")), nullptr);
}

TEST(Runtime, SendsToNilAnswerZero)
{
    id nothing = nullptr;
    EXPECT_EQ(send<long>(nothing, "legs"), 0);
    EXPECT_EQ(send<RefPtr<NSString>>(nothing, "sound"), nullptr);
    EXPECT_FALSE(send<bool>(nothing, "isEqual:", nothing));
    send<void(long)>(nothing, "setLegs:", 3);
}

TEST(Runtime, UnansweredSelectorRaisesErrorNamingClassAndSelector)
{
    auto dog = make<Dog>();
    try {
        send<void>(dog, "fly");
        FAIL() << "no error raised";
    } catch (const UnrecognizedSelector& e) {
        EXPECT_EQ(e.className, "Dog");
        EXPECT_EQ(e.selector, "fly");
        EXPECT_STREQ(e.what(), "-[Dog fly]: unrecognized selector sent to instance");
    }
    EXPECT_FALSE(respondsTo(dog, "fly"));
    EXPECT_TRUE(respondsTo(dog, "legs"));
}

TEST(Runtime, SendWithDifferentTypesIsCaught)
{
    auto dog = make<Dog>();
    EXPECT_THROW(send<int>(dog, "legs"), SignatureMismatch);
    EXPECT_THROW(send<void(double)>(dog, "setLegs:", 2.0), SignatureMismatch);
    EXPECT_THROW(send<void(id)>(dog, "setLegs:", nullptr), SignatureMismatch);
    send<void(long)>(dog, "setLegs:", 3);
    EXPECT_EQ(send<long>(dog, "legs"), 3);
}

TEST(Runtime, AssociatedObjectWithRetainPolicyKeepsValueAliveAndNilRemovesIt)
{
    static char key;
    auto dog = make<Dog>();
    WeakPtr<NSString> weak;
    {
        auto tag = ns("tag");
        weak = tag;
        objc_setAssociatedObject(dog.get(), &key, tag.get(), AssociationPolicy::RetainNonatomic);
    }
    ASSERT_TRUE(weak.lock());
    EXPECT_EQ(platform::str(objc_getAssociatedObject(dog.get(), &key)), "tag");
    objc_setAssociatedObject(dog.get(), &key, nullptr, AssociationPolicy::RetainNonatomic);
    EXPECT_EQ(objc_getAssociatedObject(dog.get(), &key), nullptr);
    EXPECT_FALSE(weak.lock());
}

TEST(Runtime, AssociatedObjectsDieWithTheirObject)
{
    static char key;
    WeakPtr<NSString> weak;
    {
        auto dog = make<Dog>();
        auto tag = ns("tag");
        weak = tag;
        objc_setAssociatedObject(dog.get(), &key, tag.get(), AssociationPolicy::Retain);
    }
    EXPECT_FALSE(weak.lock());
}

TEST(Runtime, PrivateFieldReadAnswersValueOrNil)
{
    auto dog = make<Dog>();
    auto buddy = make<Cat>();
    dog->m_friend = buddy;
    EXPECT_EQ(object_valueForIvarName(dog.get(), "_friend"), buddy);
    EXPECT_EQ(object_valueForIvarName(dog.get(), "_enemy"), nullptr);
    EXPECT_EQ(send<RefPtr<Object>>(dog, "valueForKey:", ns("_friend")), buddy);
    EXPECT_EQ(send<RefPtr<Object>>(dog, "valueForKey:", ns("_enemy")), nullptr);
}

TEST(Runtime, ClassesAnswerClassMethodsAndKindQueries)
{
    Dog::staticClass(); // classes exist once their program has built them
    auto obj = send<RefPtr<Object>>(objc_getClass("Dog"), "new");
    ASSERT_TRUE(obj);
    EXPECT_STREQ(object_getClassName(obj.get()), "Dog");
    EXPECT_TRUE(object_isKindOfClass(obj, objc_getClass("Animal")));
    EXPECT_FALSE(object_isKindOfClass(obj, objc_getClass("Cat")));
    EXPECT_TRUE(send<bool(id)>(obj, "isKindOfClass:", objc_getClass("NSObject")));
    EXPECT_EQ(class_getSuperclass(Dog::staticClass()), Animal::staticClass());
}

TEST(Runtime, WeakReferenceReadsNilOnceObjectIsGone)
{
    WeakPtr<Dog> weak;
    {
        auto dog = make<Dog>();
        weak = dog;
        EXPECT_EQ(weak.lock(), dog);
    }
    EXPECT_EQ(weak.lock(), nullptr);
}

TEST(Runtime, ADynamicCastAnswersTheObjectOnlyWhenItIsOfThatKind)
{
    auto dog = make<Dog>();
    auto cat = make<Cat>();
    EXPECT_EQ(dynamicCast<Animal>(static_cast<id>(dog.get())), dog.get());
    EXPECT_EQ(dynamicCast<Dog>(static_cast<id>(cat.get())), nullptr);
    EXPECT_EQ(dynamicCast<Dog>(static_cast<id>(nullptr)), nullptr);
    RefPtr<Object> held = cat;
    RefPtr<Cat> asCat = dynamicCast<Cat>(held);
    EXPECT_EQ(asCat.get(), cat.get());
    EXPECT_FALSE(dynamicCast<Dog>(held));
}

TEST(Runtime, ATypedAnswerOfAnotherKindReadsAsNilNeverAsAMistypedPointer)
{
    auto dog = make<Dog>();
    auto cat = make<Cat>();
    dog->m_friend = cat;
    EXPECT_EQ(send<RefPtr<Cat>>(dog.get(), "friendObject").get(), cat.get());
    EXPECT_EQ(send<RefPtr<Animal>>(dog.get(), "friendObject").get(), cat.get());
    EXPECT_FALSE(send<RefPtr<Dog>>(dog.get(), "friendObject"));
    EXPECT_FALSE(send<RefPtr<NSString>>(dog.get(), "friendObject"));
}

TEST(RuntimeDeathTest, AnObjectBuiltOutsideTheFactoryStopsWhereItIsBuilt)
{
    // Built with `new` instead of objc::make, the object would have no class:
    // the process stops at once with a line that says so.
    EXPECT_DEATH({ delete new Dog(); }, "built outside the runtime's factory");
    // Made through the factory it has its class.
    EXPECT_EQ(make<Dog>()->isa(), Dog::staticClass());
}

// A Ref is never null: it cannot be made empty or from nothing, a reference
// is handed on as a plain pointer only when asked, and a Ref taken from a
// RefPtr that holds nothing stops the process where it is taken.
static_assert(!std::is_default_constructible_v<Ref<Dog>>);
static_assert(!std::is_constructible_v<Ref<Dog>, std::nullptr_t>);
static_assert(!std::is_constructible_v<Ref<Dog>, Dog*>);
static_assert(!std::is_convertible_v<RefPtr<Dog>, Dog*>);
static_assert(!std::is_convertible_v<Ref<Dog>, Dog*>);
static_assert(std::is_convertible_v<Ref<Dog>, RefPtr<Animal>>);

TEST(RuntimeDeathTest, ARefIsNeverNull)
{
    auto dog = make<Dog>();
    Ref<Dog> moved = std::move(dog);
    // The Ref moved from still holds its object: it shares it now.
    EXPECT_EQ(dog.get(), moved.get());
    EXPECT_EQ(moved->retainCount(), 2u);

    RefPtr<Dog> some = moved;
    Ref<Dog> taken = some.releaseNonNull();
    EXPECT_FALSE(some);
    EXPECT_EQ(taken.get(), moved.get());
    EXPECT_EQ(moved->retainCount(), 3u);

    EXPECT_DEATH({ RefPtr<Dog> none; none.releaseNonNull(); }, "a reference that is never null was made from nil");
}
