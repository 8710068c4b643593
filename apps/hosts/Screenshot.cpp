#include "apps/hosts/Screenshot.h"
#include "platform/foundation/NSPathUtilities.h"
#include "platform/graphics/CGContext.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

namespace hosts {

using namespace platform;

objc::RefPtr<UIImage> renderScreen()
{
    auto* app = UIApplication::sharedApplication();
    std::vector<objc::Ref<UIWindow>> windows;
    for (auto& w : app->windowList())
        if (!w->isHidden())
            windows.push_back(w);
    if (windows.empty())
        return nullptr;
    // Back to front: by level, then in the order they were made.
    std::stable_sort(windows.begin(), windows.end(), [](const auto& a, const auto& b) { return a->windowLevel() < b->windowLevel(); });
    auto key = app->keyWindow();
    auto first = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return key && w.get() == key.get(); });
    if (first == windows.end())
        first = windows.begin();

    CGRect screen = UIScreen::mainScreen()->bounds();
    UIGraphicsBeginImageContextWithOptions(screen.size, true, 0);
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context)
        return nullptr;
    CGContextSetFillColorWithColor(context, UIColor::blackColor().get());
    CGContextFillRect(context, screen);
    for (auto it = first; it != windows.end(); ++it) {
        (*it)->layoutIfNeeded();
        CGRect frame = (*it)->frame();
        CGContextSaveGState(context);
        CGContextTranslateCTM(context, frame.origin.x, frame.origin.y);
        (*it)->layer()->renderInContext(context);
        CGContextRestoreGState(context);
    }
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

bool writeScreenshot(const std::string& devicePath)
{
    auto image = renderScreen();
    auto png = UIImagePNGRepresentation(image.get());
    return png && NSDataWriteToFile(png->bytes(), devicePath, true);
}

} // namespace hosts
