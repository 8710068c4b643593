#pragma once
// The running application: one shared instance with a delegate, its windows
// (the key window among them), the sending of actions to targets, and the
// opening of addresses, which is recorded and handed to the handler that the
// host program installs (the place the phone would switch to another app).
// Main thread.

#include "platform/uikit/UIResponder.h"

#include <functional>

namespace platform {

class NSURL;
class UIWindow;

// Posted once the application has finished launching (object: the application).
inline constexpr const char* UIApplicationDidFinishLaunchingNotification = "UIApplicationDidFinishLaunchingNotification";

// The device setting that lists the URL schemes its installed apps open (an
// array, or a text of schemes separated by commas), and what a device
// without the setting has: the browser, mail, messages, phone and Instagram.
inline constexpr const char* kSettingURLSchemes = "URLSchemes";
inline constexpr const char* kDefaultURLSchemes = "http,https,mailto,sms,tel,instagram";
// Whether an installed app of the device opens the scheme (any case).
bool deviceOpensScheme(const std::string& scheme);

class UIApplication : public UIResponder {
    OBJC_CLASS(UIApplication, UIResponder)
public:
    UIApplication();
    ~UIApplication() override;
    static void registerMethods(objc::ClassBuilder<UIApplication>&);

    // The process's one application object.
    static UIApplication* sharedApplication();
    // Makes the shared application an instance of cls (a subclass), as a
    // program's entry point names its principal class; before the first
    // sharedApplication.
    static void setPrincipalClass(objc::Class cls);
    static RefPtr<UIApplication> sharedApplicationObject() { return RefPtr<UIApplication>(sharedApplication()); }

    // The delegate; kept alive by the application, as the program's entry point keeps it.
    RefPtr<Object> delegate() const { return m_delegate; }
    void setDelegate(id delegate) { m_delegate = delegate; }
    // Sends the delegate application:didFinishLaunchingWithOptions: (when it
    // answers it), then posts UIApplicationDidFinishLaunchingNotification.
    void finishLaunching(NSDictionary* options = nullptr);

    // The window that takes key input, or nil.
    RefPtr<UIWindow> keyWindow() const;
    // The live windows, in the order they were made.
    RefPtr<NSArray> windows() const;
    std::vector<Ref<UIWindow>> windowList() const;

    // Sends an action to the target, or with a nil target to the first object of
    // the responder chain (the first responder's, else the sender's) that answers
    // it. The action takes no argument, the sender, or the sender and the event,
    // as its selector says. Answers whether someone received it.
    bool sendAction(objc::SEL action, id target, id sender, id event);

    // Asks the system to open the address: recorded; an address of one of
    // this application's own schemes is delivered to its delegate (the
    // source being this application), any other is handed to the installed
    // handler, whose answer is returned (yes without a handler).
    bool openURL(NSURL* url);
    // Whether the application is in the background (sent there by
    // suspendReturningToLastApp:), or active.
    bool isSuspended() const { return m_suspended; }
    // Sends the application to the background; `returnToLastApp` shows the
    // previous application instead of the home screen.
    void suspendReturningToLastApp(bool returnToLastApp);
    // Brings the application back to the foreground.
    void resume() { m_suspended = false; }
    // Whether an installed app of the device opens the address's scheme.
    bool canOpenURL(NSURL* url) const;
    // The running application's bundle identifier (its main bundle's), or "".
    static std::string bundleIdentifier();
    // Whether the running application opens the address's scheme itself (its
    // Info.plist lists it under CFBundleURLTypes / CFBundleURLSchemes).
    bool opensURLItself(NSURL* url) const;
    // Hands an address or a document to this application, as the system does
    // when an app opens it here: the delegate gets
    // application:openURL:sourceApplication:annotation: on the main queue.
    void deliverOpenURL(NSURL* url, NSString* sourceApplication, id annotation);
    // The host's part of openURL:; answers whether the address was opened.
    using OpenURLHandler = std::function<bool(NSURL*)>;
    void setOpenURLHandler(OpenURLHandler handler) { m_openURLHandler = std::move(handler); }
    // Every address asked to be opened, in order.
    std::vector<Ref<NSURL>> openedURLs() const;

    // Window bookkeeping, done by UIWindow.
    void registerWindow(UIWindow* window);
    void windowBecameKey(UIWindow* window);
    void windowResignedKey(UIWindow* window);

    RefPtr<UIResponder> nextResponder() const;

private:
    RefPtr<Object> m_delegate;
    bool m_suspended { false };
    std::vector<objc::WeakPtr<UIWindow>> m_windows;
    objc::WeakPtr<UIWindow> m_keyWindow;
    OpenURLHandler m_openURLHandler;
    std::vector<Ref<NSURL>> m_opened;
};

// Sends an action selector to a target with as many of (sender, event) as the
// selector takes; false when the target does not answer it.
bool sendActionMessage(id target, objc::SEL action, id sender, id event);

} // namespace platform
