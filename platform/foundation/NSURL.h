#pragma once
// A web or file address, parsed into scheme, host, port, path, query and
// fragment. URLWithString: answers nil for text that is not a valid address
// (empty, or holding characters an address may not contain, such as spaces or
// a stray "%"); an address without scheme ("www.example.com") is valid and
// has only a path, and so is a host with its port ("example.com:8080/x").
// Text beyond ASCII is taken as an address holds it: an international host
// in its ASCII form ("http://foobar.みんな/" is "http://foobar.xn--q9jyb4c/",
// also when the host was percent-encoded), every other such character and
// the double quote percent-encoded as UTF-8 ("/café" is "/caf%C3%A9"); text
// that is not UTF-8, or a host that is no valid host name, answers nil.

#include "platform/foundation/NSValues.h"

namespace platform {

class NSURL : public NSObject {
    OBJC_CLASS(NSURL, NSObject)
public:
    NSURL() = default;
    static void registerMethods(objc::ClassBuilder<NSURL>&);

    // The address in the text, or nil when the text is not a valid address.
    static RefPtr<NSURL> URLWithString(NSString* text);
    static RefPtr<NSURL> create(const std::string& text) { return URLWithString(ns(text).get()); }
    // A "file://" address for an absolute path (characters outside the
    // allowed set are percent-encoded).
    static RefPtr<NSURL> fileURLWithPath(NSString* path);

    RefPtr<NSString> absoluteString() const { return ns(m_text); }
    const std::string& text() const { return m_text; }
    // nil when the address has no such part.
    RefPtr<NSString> scheme() const { return part(m_scheme, m_hasScheme); }
    RefPtr<NSString> host() const { return part(m_host, m_hasHost); }
    RefPtr<NSString> user() const { return part(m_user, m_hasUser); }
    RefPtr<NSNumber> port() const;
    // The path with percent escapes decoded; "" when empty.
    RefPtr<NSString> path() const;
    RefPtr<NSString> query() const { return part(m_query, m_hasQuery); }
    RefPtr<NSString> fragment() const { return part(m_fragment, m_hasFragment); }
    bool isFileURL() const { return m_hasScheme && m_scheme == "file"; }
    bool isEqual(id other) const;
    RefPtr<NSString> description() const { return absoluteString(); }

private:
    static RefPtr<NSString> part(const std::string& value, bool present) { return present ? RefPtr<NSString>(ns(value)) : nullptr; }
    bool parse(const std::string& text);

    std::string m_text;
    std::string m_scheme, m_user, m_host, m_path, m_query, m_fragment;
    long m_port { -1 };
    bool m_hasScheme { false }, m_hasUser { false }, m_hasHost { false }, m_hasQuery { false }, m_hasFragment { false };
};

} // namespace platform
