#pragma once
// The bar at the top of a navigation controller: a stack of navigation
// items, the top one shown (its title and bar button items), the one below
// it giving the back button. Main thread.

#include "platform/uikit/UIView.h"

namespace platform {

class UINavigationItem;

class UINavigationBar : public UIView {
    OBJC_CLASS(UINavigationBar, UIView)
public:
    UINavigationBar();
    ~UINavigationBar() override;
    static void registerMethods(objc::ClassBuilder<UINavigationBar>&);
    // The bar's height in points.
    static constexpr double kHeight = 44;

    RefPtr<NSArray> items() const;
    const std::vector<Ref<UINavigationItem>>& itemList() const { return m_items; }
    void setItems(NSArray* items);
    void setItemsAnimated(NSArray* items, bool animated) { setItems(items); }
    void pushNavigationItem(UINavigationItem* item, bool animated);
    RefPtr<UINavigationItem> popNavigationItemAnimated(bool animated);
    // Draws the bar: its colour (reaching under the status bar), a hairline,
    // the top item's title and its bar buttons in the tint colour.
    void drawRect(CGRect rect);
    RefPtr<UINavigationItem> topItem() const;
    RefPtr<UINavigationItem> backItem() const;
    RefPtr<UIColor> barTintColor() const;
    void setBarTintColor(UIColor* color);
    bool isTranslucent() const { return m_translucent; }
    void setTranslucent(bool on) { m_translucent = on; }

private:
    std::vector<Ref<UINavigationItem>> m_items;
    RefPtr<Object> m_barTintColor;
    bool m_translucent { true };
};

} // namespace platform
