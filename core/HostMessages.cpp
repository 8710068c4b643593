#include "core/HostMessages.h"

#include <map>
#include <mutex>
#include <string>

namespace igtarvo {

objc::Class hostClass(const char* name)
{
    static std::mutex lock;
    static std::map<std::string, objc::Class, std::less<>> found;
    std::lock_guard guard(lock);
    if (auto it = found.find(std::string_view(name)); it != found.end())
        return it->second;
    objc::Class cls = objc::objc_getClass(name);
    if (cls)
        found.emplace(name, cls);
    return cls;
}

} // namespace igtarvo
