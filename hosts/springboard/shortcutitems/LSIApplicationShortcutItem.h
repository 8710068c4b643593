#pragma once
// One home-screen shortcut of an application icon: type, title, subtitle,
// icon kind, and the callback run when the user chooses it.

#include "hosts/springboard/shortcutitems/LSICallback.h"

namespace hosts::springboard {

using platform::NSString;

class LSIApplicationShortcutItem : public objc::Object {
    OBJC_CLASS(LSIApplicationShortcutItem, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<LSIApplicationShortcutItem>&);
    static RefPtr<LSIApplicationShortcutItem> newShortcutItemType(NSString* type, NSString* title, NSString* subtitle, long iconType);

    RefPtr<NSString> type() const { return m_type; }
    RefPtr<NSString> title() const { return m_title; }
    RefPtr<NSString> subtitle() const { return m_subtitle; }
    long iconType() const { return m_iconType; }
    RefPtr<LSICallback> callback() const { return m_callback; }
    void setCallback(LSICallback* callback) { m_callback = callback; }

private:
    RefPtr<NSString> m_type, m_title, m_subtitle;
    long m_iconType { 0 };
    RefPtr<LSICallback> m_callback;
};

} // namespace hosts::springboard
