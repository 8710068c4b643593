#pragma once
// A section header that shows a date (its `timestamp`) in a label, with
// Instagram's own short text ("RECENTLY"). Main thread.

#include "platform/uikit/UILabel.h"

namespace hosts::instagram {

using objc::Ref;
using objc::RefPtr;

class IGTimeStampHeaderView : public platform::UIView {
    OBJC_CLASS(IGTimeStampHeaderView, platform::UIView)
public:
    IGTimeStampHeaderView() = default;
    static void registerMethods(objc::ClassBuilder<IGTimeStampHeaderView>&);
    static Ref<IGTimeStampHeaderView> create(double timestamp);

    RefPtr<platform::NSDate> timestamp() const { return m_timestamp; }
    RefPtr<platform::UILabel> timestampLabel();

private:
    RefPtr<platform::NSDate> m_timestamp;
    RefPtr<platform::UILabel> m_label;
};

} // namespace hosts::instagram
