#pragma once
// A button on a navigation bar or toolbar: a system item (Done, Add, ...), a
// title or an image, with a weakly held target and an action sent through
// the application when the item is tapped. Main thread.

#include "platform/foundation/NSValues.h"

namespace platform {

class UIImage;
class UIView;
class UIColor;

enum UIBarButtonSystemItem : long {
    UIBarButtonSystemItemDone = 0,
    UIBarButtonSystemItemCancel = 1,
    UIBarButtonSystemItemEdit = 2,
    UIBarButtonSystemItemSave = 3,
    UIBarButtonSystemItemAdd = 4,
    UIBarButtonSystemItemFlexibleSpace = 5,
    UIBarButtonSystemItemFixedSpace = 6,
    UIBarButtonSystemItemCompose = 7,
    UIBarButtonSystemItemReply = 8,
    UIBarButtonSystemItemAction = 9,
    UIBarButtonSystemItemOrganize = 10,
    UIBarButtonSystemItemBookmarks = 11,
    UIBarButtonSystemItemSearch = 12,
    UIBarButtonSystemItemRefresh = 13,
    UIBarButtonSystemItemStop = 14,
    UIBarButtonSystemItemCamera = 15,
    UIBarButtonSystemItemTrash = 16,
};

enum UIBarButtonItemStyle : long {
    UIBarButtonItemStylePlain = 0,
    UIBarButtonItemStyleBordered = 1,
    UIBarButtonItemStyleDone = 2,
};

class UIBarButtonItem : public NSObject {
    OBJC_CLASS(UIBarButtonItem, NSObject)
public:
    UIBarButtonItem();
    ~UIBarButtonItem() override;
    static void registerMethods(objc::ClassBuilder<UIBarButtonItem>&);

    // A system item; the texted ones (Done, Cancel, Edit, Save) carry their title.
    RefPtr<UIBarButtonItem> initWithBarButtonSystemItem(long systemItem, id target, objc::SEL action);
    RefPtr<UIBarButtonItem> initWithTitle(NSString* title, long style, id target, objc::SEL action);
    RefPtr<UIBarButtonItem> initWithImage(UIImage* image, long style, id target, objc::SEL action);
    RefPtr<UIBarButtonItem> initWithCustomView(UIView* view);

    // C++ makers (alloc + the init above).
    static Ref<UIBarButtonItem> systemItem(long systemItem, id target, const char* action);
    static Ref<UIBarButtonItem> titled(const std::string& title, long style, id target, const char* action);
    static Ref<UIBarButtonItem> withImage(UIImage* image, long style, id target, const char* action);

    // The system item, or -1 for a title, image or custom-view item.
    long systemItem() const { return m_systemItem; }
    RefPtr<NSString> title() const { return m_title; }
    void setTitle(NSString* title) { m_title = title; }
    RefPtr<UIImage> image() const;
    void setImage(UIImage* image);
    long style() const { return m_style; }
    void setStyle(long style) { m_style = style; }
    RefPtr<Object> target() const { return m_target.lock(); }
    void setTarget(id target) { m_target = objc::WeakPtr<Object>(target); }
    objc::SEL action() const { return m_action; }
    void setAction(objc::SEL action) { m_action = action; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }
    RefPtr<UIView> customView() const;
    void setCustomView(UIView* view);
    RefPtr<UIColor> tintColor() const;
    void setTintColor(UIColor* color);
    long tag() const { return m_tag; }
    void setTag(long tag) { m_tag = tag; }

    // What a tap does: sends the action to the target (or along the responder
    // chain when the target is nil) with the item as sender. Nothing when the
    // item is disabled or has no action. Answers whether the action was delivered.
    bool performTap();

private:
    long m_systemItem { -1 };
    RefPtr<NSString> m_title;
    RefPtr<Object> m_image;
    RefPtr<Object> m_customView;
    RefPtr<Object> m_tintColor;
    long m_style { UIBarButtonItemStylePlain };
    objc::WeakPtr<Object> m_target;
    objc::SEL m_action { nullptr };
    long m_tag { 0 };
    bool m_enabled { true };
};

} // namespace platform
