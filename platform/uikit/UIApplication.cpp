#include "platform/uikit/UIApplication.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSURL.h"
#include "platform/notify/NSNotificationCenter.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>
#include <cstring>

#include <cctype>

namespace platform {

OBJC_CLASS_LOAD(UIApplication)

UIApplication::UIApplication() = default;
UIApplication::~UIApplication() = default;

namespace {
objc::Class g_principalClass = nullptr;

std::string lowercase(const std::string& text)
{
    std::string lower;
    for (char c : text)
        lower += char(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}
}

void UIApplication::setPrincipalClass(objc::Class cls)
{
    g_principalClass = cls;
}

UIApplication* UIApplication::sharedApplication()
{
    static UIApplication* const app = [] {
        objc::Class cls = g_principalClass ? g_principalClass : UIApplication::staticClass();
        auto object = objc::class_createInstance(cls);
        if (!objc::object_isKindOfClass(object, UIApplication::staticClass()))
            object = objc::make<UIApplication>();
        return static_cast<UIApplication*>(object.leak());
    }();
    return app;
}

void UIApplication::suspendReturningToLastApp(bool)
{
    m_suspended = true;
}

void UIApplication::finishLaunching(NSDictionary* options)
{
    if (m_delegate && objc::respondsTo(m_delegate.get(), "application:didFinishLaunchingWithOptions:"))
        objc::send<bool(id, NSDictionary*)>(m_delegate, "application:didFinishLaunchingWithOptions:", this, options);
    else if (m_delegate && objc::respondsTo(m_delegate.get(), "applicationDidFinishLaunching:"))
        objc::send<void(id)>(m_delegate, "applicationDidFinishLaunching:", this);
    NSNotificationCenter::defaultCenter()->postNotificationName(ns(UIApplicationDidFinishLaunchingNotification).get(), this);
}

RefPtr<UIWindow> UIApplication::keyWindow() const
{
    return m_keyWindow.lock();
}

std::vector<Ref<UIWindow>> UIApplication::windowList() const
{
    std::vector<Ref<UIWindow>> list;
    for (auto& weak : m_windows) {
        if (auto w = weak.lock())
            list.emplace_back(*w);
    }
    return list;
}

RefPtr<NSArray> UIApplication::windows() const
{
    auto list = windowList();
    return NSArray::create(std::vector<Ref<Object>>(list.begin(), list.end()));
}

void UIApplication::registerWindow(UIWindow* window)
{
    std::erase_if(m_windows, [](const objc::WeakPtr<UIWindow>& w) { return !w.lock(); });
    for (auto& weak : m_windows) {
        if (weak.lock().get() == window)
            return;
    }
    m_windows.emplace_back(window);
}

void UIApplication::windowBecameKey(UIWindow* window)
{
    auto old = m_keyWindow.lock();
    if (old.get() == window)
        return;
    m_keyWindow = objc::WeakPtr<UIWindow>(window);
    if (old)
        objc::send<void>(old, "resignKeyWindow");
}

void UIApplication::windowResignedKey(UIWindow* window)
{
    if (m_keyWindow.lock().get() == window)
        m_keyWindow = objc::WeakPtr<UIWindow>();
}

bool sendActionMessage(id target, objc::SEL action, id sender, id event)
{
    if (!target || !action)
        return false;
    objc::Method m = objc::class_getInstanceMethod(target->isa(), action);
    if (!m)
        return false;
    const char* name = objc::sel_getName(action);
    long arguments = std::count(name, name + std::strlen(name), ':');
    char result = objc::method_getTypeEncoding(m)[0];
    // Actions answer nothing, as a rule; an object or a flag is tolerated and dropped.
    auto call = [&]<class R>() {
        if (arguments == 0)
            objc::send<R()>(target, action);
        else if (arguments == 1)
            objc::send<R(id)>(target, action, sender);
        else
            objc::send<R(id, id)>(target, action, sender, event);
    };
    if (result == '@')
        call.template operator()<RefPtr<Object>>();
    else if (result == 'B')
        call.template operator()<bool>();
    else
        call.template operator()<void>();
    return true;
}

bool UIApplication::sendAction(objc::SEL action, id target, id sender, id event)
{
    if (target)
        return sendActionMessage(target, action, sender, event);
    RefPtr<UIResponder> start = UIResponder::currentFirstResponder();
    if (!start && objc::object_isKindOfClass(sender, UIResponder::staticClass()))
        start = RefPtr<UIResponder>(static_cast<UIResponder*>(sender));
    for (auto& responder : UIResponder::chainFrom(start.get())) {
        if (objc::object_respondsToSelector(responder.get(), action))
            return sendActionMessage(responder.get(), action, sender, event);
    }
    return false;
}

bool UIApplication::openURL(NSURL* url)
{
    if (!url)
        return false;
    m_opened.emplace_back(*url);
    if (opensURLItself(url)) {
        deliverOpenURL(url, ns(bundleIdentifier()).get(), nullptr);
        return true;
    }
    if (m_openURLHandler)
        return m_openURLHandler(url);
    return true;
}

std::vector<Ref<NSURL>> UIApplication::openedURLs() const
{
    return m_opened;
}

bool UIApplication::canOpenURL(NSURL* url) const
{
    if (!url || !url->scheme())
        return false;
    return deviceOpensScheme(url->scheme()->str());
}

std::string UIApplication::bundleIdentifier()
{
    auto bundle = NSBundle::mainBundle();
    auto identifier = bundle ? bundle->objectForInfoDictionaryKey(ns("CFBundleIdentifier")) : nullptr;
    return isString(identifier) ? str(identifier.get()) : std::string();
}

bool UIApplication::opensURLItself(NSURL* url) const
{
    auto bundle = NSBundle::mainBundle();
    if (!url || !url->scheme() || !bundle)
        return false;
    std::string wanted = lowercase(url->scheme()->str());
    auto types = bundle->objectForInfoDictionaryKey(ns("CFBundleURLTypes"));
    if (!objc::object_isKindOfClass(types, NSArray::staticClass()))
        return false;
    for (auto& type : static_cast<NSArray*>(types.get())->items()) {
        if (!objc::object_isKindOfClass(type.get(), NSDictionary::staticClass()))
            continue;
        auto schemes = static_cast<NSDictionary*>(type.get())->get("CFBundleURLSchemes");
        if (!objc::object_isKindOfClass(schemes, NSArray::staticClass()))
            continue;
        for (auto& scheme : static_cast<NSArray*>(schemes.get())->items()) {
            if (isString(scheme.get()) && lowercase(str(scheme.get())) == wanted)
                return true;
        }
    }
    return false;
}

void UIApplication::deliverOpenURL(NSURL* url, NSString* sourceApplication, id annotation)
{
    if (!url)
        return;
    RefPtr<NSURL> address(url);
    RefPtr<NSString> source(sourceApplication);
    RefPtr<Object> note(annotation);
    dispatch_async(dispatch_get_main_queue(), [address, source, note] {
        auto* app = UIApplication::sharedApplication();
        auto delegate = app->delegate();
        if (delegate && objc::respondsTo(delegate.get(), "application:openURL:sourceApplication:annotation:"))
            objc::send<bool(id, NSURL*, NSString*, id)>(delegate, "application:openURL:sourceApplication:annotation:", app, address.get(), source.get(), note.get());
    });
}

bool deviceOpensScheme(const std::string& scheme)
{
    std::string wanted;
    for (char c : scheme)
        wanted += char(std::tolower(static_cast<unsigned char>(c)));
    // The schemes of the device's installed apps: an array, or a text with
    // the schemes separated by commas or spaces.
    std::vector<std::string> schemes;
    auto setting = Device::setting(kSettingURLSchemes);
    if (objc::object_isKindOfClass(setting, NSArray::staticClass())) {
        for (auto& item : static_cast<NSArray*>(setting.get())->items())
            schemes.push_back(str(item.get()));
    } else {
        std::string text = setting ? str(setting.get()) : std::string(kDefaultURLSchemes);
        std::string word;
        for (char c : text + ",") {
            if (c == ',' || c == ' ') {
                if (!word.empty())
                    schemes.push_back(word);
                word.clear();
            } else {
                word += c;
            }
        }
    }
    for (auto& s : schemes) {
        std::string lower;
        for (char c : s)
            lower += char(std::tolower(static_cast<unsigned char>(c)));
        if (lower == wanted)
            return true;
    }
    return false;
}

RefPtr<UIResponder> UIApplication::nextResponder() const
{
    if (objc::object_isKindOfClass(m_delegate.get(), UIResponder::staticClass()))
        return RefPtr<UIResponder>(static_cast<UIResponder*>(m_delegate.get()));
    return nullptr;
}

void UIApplication::registerMethods(objc::ClassBuilder<UIApplication>& b)
{
    b.classMethod<&UIApplication::sharedApplicationObject>("sharedApplication")
        .method<&UIApplication::delegate>("delegate")
        .method<&UIApplication::setDelegate>("setDelegate:")
        .method<&UIApplication::keyWindow>("keyWindow")
        .method<&UIApplication::windows>("windows")
        .method<&UIApplication::sendAction>("sendAction:to:from:forEvent:")
        .method<&UIApplication::openURL>("openURL:")
        .method<&UIApplication::canOpenURL>("canOpenURL:")
        .method<&UIApplication::nextResponder>("nextResponder")
        .method<&UIApplication::suspendReturningToLastApp>("suspendReturningToLastApp:");
}

} // namespace platform
