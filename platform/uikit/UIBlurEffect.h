#pragma once
// A blur of what lies behind a view, in one of three styles; used as a
// visual effect (for a table's separators, for one). A value.

#include "platform/foundation/NSValues.h"

namespace platform {

enum UIBlurEffectStyle : long {
    UIBlurEffectStyleExtraLight = 0,
    UIBlurEffectStyleLight = 1,
    UIBlurEffectStyleDark = 2,
};

class UIBlurEffect : public NSObject {
    OBJC_CLASS(UIBlurEffect, NSObject)
public:
    UIBlurEffect() = default;
    explicit UIBlurEffect(long style) : m_style(style) { }
    static void registerMethods(objc::ClassBuilder<UIBlurEffect>&);

    static Ref<UIBlurEffect> effectWithStyle(long style) { return objc::make<UIBlurEffect>(style); }
    long style() const { return m_style; }
    bool isEqual(id other) const;

private:
    long m_style { UIBlurEffectStyleLight };
};

} // namespace platform
