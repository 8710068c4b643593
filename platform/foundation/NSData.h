#pragma once
// Bytes.

#include "platform/foundation/NSObject.h"

#include <cstdint>
#include <vector>

namespace platform {

class NSData : public NSObject {
    OBJC_CLASS(NSData, NSObject)
public:
    NSData() = default;
    explicit NSData(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) { }
    static Ref<NSData> create(std::vector<uint8_t> bytes) { return objc::make<NSData>(std::move(bytes)); }
    static void registerMethods(objc::ClassBuilder<NSData>&);
    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    unsigned long length() const { return m_bytes.size(); }
    bool isEqual(id other) const;

private:
    std::vector<uint8_t> m_bytes;
};

} // namespace platform
