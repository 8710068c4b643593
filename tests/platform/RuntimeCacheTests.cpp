// The method cache across selectors: a change to a class's methods must reach
// every later send, also when sends of other selectors rebuild the cache in
// between. Each test uses classes of its own, so no other test sees its changes.

#include "platform/foundation/NSValues.h"
#include "platform/objc/ClassBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <thread>
#include <vector>

using namespace objc;
using platform::NSString;
using platform::ns;

namespace {

class Instrument : public Object {
    OBJC_CLASS(Instrument, Object)
public:
    static void registerMethods(ClassBuilder<Instrument>& b) { b.method<&Instrument::tune>("tune").method<&Instrument::play>("play"); }
    RefPtr<NSString> tune() { return ns("tune"); }
    RefPtr<NSString> play() { return ns("play"); }
};
OBJC_CLASS_DEFINE(Instrument)

class Violin : public Instrument {
    OBJC_CLASS(Violin, Instrument)
public:
    static void registerMethods(ClassBuilder<Violin>&) { }
};
OBJC_CLASS_DEFINE(Violin)

class Cello : public Instrument {
    OBJC_CLASS(Cello, Instrument)
public:
    static void registerMethods(ClassBuilder<Cello>&) { }
};
OBJC_CLASS_DEFINE(Cello)

class Piano : public Instrument {
    OBJC_CLASS(Piano, Instrument)
public:
    static void registerMethods(ClassBuilder<Piano>&) { }
};
OBJC_CLASS_DEFINE(Piano)

class Harp : public Instrument {
    OBJC_CLASS(Harp, Instrument)
public:
    static void registerMethods(ClassBuilder<Harp>&) { }
};
OBJC_CLASS_DEFINE(Harp)

std::string say(id receiver, const char* selector) { return platform::str(send<RefPtr<NSString>>(receiver, selector)); }

RefPtr<Object> violinTune(id, SEL) { return ns("violin tune"); }
RefPtr<Object> celloTune(id, SEL) { return ns("cello tune"); }
RefPtr<Object> harpPlay(id, SEL) { return ns("harp play"); }
RefPtr<Object> echo(id, SEL sel) { return ns(sel_getName(sel)); }

}

TEST(RuntimeCache, AnOverrideAddedAfterASendAnswersEvenWhenAnotherSelectorWasSentInBetween)
{
    auto violin = make<Violin>();
    EXPECT_EQ(say(violin.get(), "tune"), "tune"); // the inherited method is cached for Violin
    ASSERT_TRUE(class_addMethod(Violin::staticClass(), sel_registerName("tune"), reinterpret_cast<IMP>(&violinTune), "@@:"));
    EXPECT_EQ(say(violin.get(), "play"), "play"); // a miss: the cache is built again
    EXPECT_EQ(say(violin.get(), "tune"), "violin tune");
    EXPECT_EQ(say(make<Instrument>().get(), "tune"), "tune");
}

TEST(RuntimeCache, AnOverrideAddedToTheSuperclassReachesASubclassThatCachedTheOldOne)
{
    auto cello = make<Cello>();
    auto harp = make<Harp>();
    EXPECT_EQ(say(harp.get(), "play"), "play");
    EXPECT_EQ(say(harp.get(), "tune"), "tune");
    // Harp's superclass is Instrument, which has "play" itself: replace it there.
    Method play = class_getInstanceMethod(Instrument::staticClass(), sel_registerName("play"));
    IMP old = method_setImplementation(play, reinterpret_cast<IMP>(&harpPlay));
    EXPECT_EQ(say(harp.get(), "tune"), "tune");
    EXPECT_EQ(say(harp.get(), "play"), "harp play");
    EXPECT_EQ(say(cello.get(), "play"), "harp play");
    method_setImplementation(play, old);
    EXPECT_EQ(say(harp.get(), "play"), "play");

    // Many selectors sent between the change and the next send of "tune".
    ASSERT_TRUE(class_addMethod(Cello::staticClass(), sel_registerName("tune"), reinterpret_cast<IMP>(&celloTune), "@@:"));
    for (int i = 0; i < 40; ++i)
        EXPECT_FALSE(respondsTo(cello.get(), ("unanswered" + std::to_string(i)).c_str()));
    EXPECT_EQ(say(cello.get(), "play"), "play");
    EXPECT_EQ(say(cello.get(), "tune"), "cello tune");
}

TEST(RuntimeCache, ThreadsSendingManySelectorsWhileTheCacheGrowsEachGetTheirOwnMethod)
{
    // Every selector answers its own name; four threads send all of them in
    // orders of their own, so the cache fills and grows while others read it.
    constexpr int kSelectors = 300;
    std::vector<std::string> names;
    for (int i = 0; i < kSelectors; ++i) {
        names.push_back("key" + std::to_string(i));
        ASSERT_TRUE(class_addMethod(Piano::staticClass(), sel_registerName(names.back().c_str()), reinterpret_cast<IMP>(&echo), "@@:"));
    }
    auto piano = make<Piano>();
    std::vector<int> wrong(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            std::vector<int> order(kSelectors);
            for (int i = 0; i < kSelectors; ++i)
                order[size_t(i)] = i;
            std::shuffle(order.begin(), order.end(), std::mt19937(unsigned(t + 1)));
            for (int round = 0; round < 3; ++round) {
                for (int i : order)
                    wrong[size_t(t)] += say(piano.get(), names[size_t(i)].c_str()) != names[size_t(i)];
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
    EXPECT_EQ(say(piano.get(), "tune"), "tune");
}
