#include "platform/loader/HostSymbols.h"

#include <map>
#include <mutex>

namespace platform {

namespace {
std::mutex g_lock;
std::map<std::string, void*>& table()
{
    static std::map<std::string, void*> symbols;
    return symbols;
}
}

void registerHostSymbol(const std::string& name, void* address)
{
    std::lock_guard guard(g_lock);
    table()[name] = address;
}

void* lookUpHostSymbol(const std::string& name)
{
    std::lock_guard guard(g_lock);
    auto it = table().find(name);
    return it == table().end() ? nullptr : it->second;
}

} // namespace platform
