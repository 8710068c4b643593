#pragma once
// A failure as a value: a domain, a code and a description people can read.

#include "platform/foundation/NSValues.h"

namespace platform {

// The domain of transfer failures, with the platform's codes.
inline constexpr const char* NSURLErrorDomain = "NSURLErrorDomain";
enum NSURLErrorCode : long {
    NSURLErrorUnknown = -1,
    NSURLErrorCancelled = -999,
    NSURLErrorBadURL = -1000,
    NSURLErrorTimedOut = -1001,
    NSURLErrorCannotConnectToHost = -1004,
    NSURLErrorNetworkConnectionLost = -1005,
    NSURLErrorBadServerResponse = -1011,
    NSURLErrorCannotCreateFile = -3000,
};
// The domain of file and media failures.
inline constexpr const char* NSCocoaErrorDomain = "NSCocoaErrorDomain";
inline constexpr const char* AVFoundationErrorDomain = "AVFoundationErrorDomain";
inline constexpr const char* ALAssetsLibraryErrorDomain = "ALAssetsLibraryErrorDomain";

class NSError : public NSObject {
    OBJC_CLASS(NSError, NSObject)
public:
    NSError() = default;
    NSError(std::string domain, long code, std::string description)
        : m_domain(std::move(domain)), m_code(code), m_description(std::move(description)) { }
    static Ref<NSError> create(std::string domain, long code, std::string description)
    {
        return objc::make<NSError>(std::move(domain), code, std::move(description));
    }
    static void registerMethods(objc::ClassBuilder<NSError>&);

    RefPtr<NSString> domain() const { return ns(m_domain); }
    long code() const { return m_code; }
    RefPtr<NSString> localizedDescription() const { return ns(m_description); }
    const std::string& text() const { return m_description; }

private:
    std::string m_domain;
    long m_code { 0 };
    std::string m_description;
};

} // namespace platform
