// igtarvo pasteboard: the device's general pasteboard's text, as every
// process of the device sees it.

#include "apps/igtarvo/Command.h"
#include "platform/uikit/UIPasteboard.h"

#include <cstdio>

namespace igtarvo::cli {

namespace {

int pasteboard(const Invocation& inv)
{
    if (!inv.args.empty())
        return fail("pasteboard: takes no arguments");
    auto text = platform::UIPasteboard::generalPasteboard()->string();
    if (text)
        std::printf("%s\n", platform::str(text.get()).c_str());
    return 0;
}

} // namespace

IGTARVO_COMMAND("pasteboard", "  pasteboard                        the general pasteboard's text (nothing when it holds none)", pasteboard);

} // namespace igtarvo::cli
