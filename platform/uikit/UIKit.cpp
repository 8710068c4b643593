#include "platform/uikit/UIKit.h"

#include <cstdio>
#include <mutex>

namespace platform {

namespace {
std::mutex g_warningLock;
std::vector<std::string>& warnings()
{
    static auto* list = new std::vector<std::string>;
    return *list;
}
}

void UIKitWarn(const std::string& message)
{
    std::fprintf(stderr, "%s\n", message.c_str());
    std::lock_guard guard(g_warningLock);
    warnings().push_back(message);
}

std::vector<std::string> UIKitWarnings()
{
    std::lock_guard guard(g_warningLock);
    return warnings();
}

void UIKitClearWarnings()
{
    std::lock_guard guard(g_warningLock);
    warnings().clear();
}

std::chrono::milliseconds UIKitTransitionDuration()
{
    return std::chrono::milliseconds(100);
}

} // namespace platform
