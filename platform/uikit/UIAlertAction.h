#pragma once
// A button of an alert: a title, a style (default, cancel, destructive),
// whether it can be chosen, and the handler run once the alert has been
// dismissed after the action was chosen. Main thread.

#include "platform/foundation/NSValues.h"

#include <functional>

namespace platform {

class UIAlertAction;

enum UIAlertActionStyle : long {
    UIAlertActionStyleDefault = 0,
    UIAlertActionStyleCancel = 1,
    UIAlertActionStyleDestructive = 2,
};

using UIAlertActionHandler = std::function<void(UIAlertAction*)>;

class UIAlertAction : public NSObject {
    OBJC_CLASS(UIAlertAction, NSObject)
public:
    UIAlertAction();
    ~UIAlertAction() override;
    static void registerMethods(objc::ClassBuilder<UIAlertAction>&);

    static Ref<UIAlertAction> actionWithTitle(NSString* title, long style, UIAlertActionHandler handler);
    static Ref<UIAlertAction> create(const std::string& title, long style, UIAlertActionHandler handler = {});

    RefPtr<NSString> title() const { return m_title; }
    long style() const { return m_style; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }
    // The block given at creation (empty without one); private on the platform.
    UIAlertActionHandler handler() const { return m_handler; }
    // Runs the handler (nothing without one).
    void perform();

private:
    RefPtr<NSString> m_title;
    long m_style { UIAlertActionStyleDefault };
    UIAlertActionHandler m_handler;
    bool m_enabled { true };
};

} // namespace platform
