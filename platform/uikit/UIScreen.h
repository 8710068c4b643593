#pragma once
// The device's screen: its bounds in points and its scale. One screen, the
// main one, 375 by 667 points at scale 2 unless the device's settings say
// otherwise (ScreenWidth, ScreenHeight, ScreenScale).

#include "platform/uikit/UIGeometry.h"
#include "platform/foundation/NSValues.h"

namespace platform {

class UIScreen : public NSObject {
    OBJC_CLASS(UIScreen, NSObject)
public:
    UIScreen() = default;
    static void registerMethods(objc::ClassBuilder<UIScreen>&);

    // The device's one screen.
    static UIScreen* mainScreen();
    static RefPtr<UIScreen> mainScreenObject() { return RefPtr<UIScreen>(mainScreen()); }

    CGRect bounds() const { return m_bounds; }
    double scale() const { return m_scale; }
    // The screen in pixels.
    CGRect nativeBounds() const;

    // Reads the screen's size and scale from the device settings
    // (ScreenWidth, ScreenHeight, ScreenScale); done once at first use.
    void reloadFromDevice();
    // Sets the screen's size and scale (the simulated device's make); main thread.
    void setBoundsAndScale(CGSize size, double scale);

private:
    CGRect m_bounds { CGRectMake(0, 0, 375, 667) };
    double m_scale { 2 };
};

} // namespace platform
