// A cached message send against the peers a C++ caller has: a virtual call
// and a plain (non-inlined) function call.

#include "platform/objc/ClassBuilder.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class Counter : public objc::Object {
    OBJC_CLASS(Counter, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<Counter>& b) { b.method<&Counter::increment>("increment:"); }
    long increment(long by) { return m_value += by; }
    long m_value = 0;
};
OBJC_CLASS_DEFINE(Counter)

struct VirtualCounter {
    virtual ~VirtualCounter() = default;
    virtual long increment(long by) = 0;
};
struct VirtualCounterImpl : VirtualCounter {
    __attribute__((noinline)) long increment(long by) override { return m_value += by; }
    long m_value = 0;
};

__attribute__((noinline)) long plainIncrement(long* value, long by) { return *value += by; }

void CachedSend(benchmark::State& state)
{
    auto counter = objc::make<Counter>();
    objc::SEL sel = objc::sel_registerName("increment:");
    objc::send<long(long)>(counter, sel, 1L); // fills the cache
    for (auto _ : state)
        benchmark::DoNotOptimize(objc::send<long(long)>(counter.get(), sel, 1L));
}
BENCHMARK(CachedSend);

void VirtualCall(benchmark::State& state)
{
    auto impl = std::make_unique<VirtualCounterImpl>();
    VirtualCounter* counter = impl.get();
    for (auto _ : state) {
        benchmark::DoNotOptimize(counter);
        benchmark::DoNotOptimize(counter->increment(1));
    }
}
BENCHMARK(VirtualCall);

void PlainFunctionCall(benchmark::State& state)
{
    long value = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(plainIncrement(&value, 1));
}
BENCHMARK(PlainFunctionCall);

void SendBySelectorName(benchmark::State& state)
{
    auto counter = objc::make<Counter>();
    for (auto _ : state)
        benchmark::DoNotOptimize(objc::send<long(long)>(counter.get(), "increment:", 1L));
}
BENCHMARK(SendBySelectorName);

} // namespace

BENCHMARK_MAIN();
