#pragma once
// One of the buttons a table row shows when swiped: a style, a title, a
// background colour and a handler that receives the action and the row's
// index path. Main thread.

#include "platform/foundation/NSValues.h"

#include <functional>

namespace platform {

class NSIndexPath;
class UIColor;
class UITableViewRowAction;

enum UITableViewRowActionStyle : long {
    UITableViewRowActionStyleDefault = 0,
    UITableViewRowActionStyleDestructive = UITableViewRowActionStyleDefault,
    UITableViewRowActionStyleNormal = 1,
};

using UITableViewRowActionHandler = std::function<void(UITableViewRowAction*, NSIndexPath*)>;

class UITableViewRowAction : public NSObject {
    OBJC_CLASS(UITableViewRowAction, NSObject)
public:
    UITableViewRowAction();
    ~UITableViewRowAction() override;
    static void registerMethods(objc::ClassBuilder<UITableViewRowAction>&);

    // An action; the default and destructive styles are red, the normal one grey.
    static Ref<UITableViewRowAction> rowActionWithStyle(long style, NSString* title, UITableViewRowActionHandler handler);
    static Ref<UITableViewRowAction> create(long style, const std::string& title, UITableViewRowActionHandler handler);

    long style() const { return m_style; }
    RefPtr<NSString> title() const { return m_title; }
    void setTitle(NSString* title) { m_title = title; }
    RefPtr<UIColor> backgroundColor() const;
    void setBackgroundColor(UIColor* color);
    // Runs the handler for the row (nothing without a handler).
    void perform(NSIndexPath* indexPath);

private:
    long m_style { UITableViewRowActionStyleDefault };
    RefPtr<NSString> m_title;
    RefPtr<Object> m_backgroundColor;
    UITableViewRowActionHandler m_handler;
};

} // namespace platform
