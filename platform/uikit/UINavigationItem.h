#pragma once
// What a navigation bar shows for one view controller: a title (or title
// view), bar button items on the left and right, and the back button.
// Main thread.

#include "platform/foundation/NSValues.h"

namespace platform {

class UIBarButtonItem;
class UIView;

class UINavigationItem : public NSObject {
    OBJC_CLASS(UINavigationItem, NSObject)
public:
    UINavigationItem();
    ~UINavigationItem() override;
    static void registerMethods(objc::ClassBuilder<UINavigationItem>&);
    static Ref<UINavigationItem> create(const std::string& title = {});

    RefPtr<UINavigationItem> initWithTitle(NSString* title);
    RefPtr<NSString> title() const { return m_title; }
    void setTitle(NSString* title) { m_title = title; }
    RefPtr<UIView> titleView() const;
    void setTitleView(UIView* view);

    // The first (outermost) left item, or nil.
    RefPtr<UIBarButtonItem> leftBarButtonItem() const;
    // Replaces every left item with this one (nil: none).
    void setLeftBarButtonItem(UIBarButtonItem* item);
    void setLeftBarButtonItemAnimated(UIBarButtonItem* item, bool animated) { setLeftBarButtonItem(item); }
    RefPtr<NSArray> leftBarButtonItems() const;
    void setLeftBarButtonItems(NSArray* items);
    RefPtr<UIBarButtonItem> rightBarButtonItem() const;
    void setRightBarButtonItem(UIBarButtonItem* item);
    void setRightBarButtonItemAnimated(UIBarButtonItem* item, bool animated) { setRightBarButtonItem(item); }
    RefPtr<NSArray> rightBarButtonItems() const;
    void setRightBarButtonItems(NSArray* items);
    RefPtr<UIBarButtonItem> backBarButtonItem() const;
    void setBackBarButtonItem(UIBarButtonItem* item);
    bool hidesBackButton() const { return m_hidesBackButton; }
    void setHidesBackButton(bool on) { m_hidesBackButton = on; }

    // C++ views of the item lists.
    const std::vector<Ref<Object>>& leftItems() const { return m_left; }
    const std::vector<Ref<Object>>& rightItems() const { return m_right; }

private:
    RefPtr<NSString> m_title;
    RefPtr<Object> m_titleView;
    std::vector<Ref<Object>> m_left;
    std::vector<Ref<Object>> m_right;
    RefPtr<Object> m_back;
    bool m_hidesBackButton { false };
};

} // namespace platform
