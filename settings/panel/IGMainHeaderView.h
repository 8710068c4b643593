#pragma once
// The panel's header: the product name and two taglines, centred, one under
// the other (10, 5 and 5 points apart). Main thread.

#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIView.h"

namespace igtarvo::panel {

class IGMainHeaderView : public platform::UIView {
    OBJC_CLASS(IGMainHeaderView, platform::UIView)
public:
    static void registerMethods(objc::ClassBuilder<IGMainHeaderView>&);
    static objc::Ref<IGMainHeaderView> create();

    objc::RefPtr<objc::Object> init();
    objc::RefPtr<platform::UILabel> headerLabel() const { return m_headerLabel; }
    objc::RefPtr<platform::UILabel> subHeaderLabel() const { return m_subHeaderLabel; }
    objc::RefPtr<platform::UILabel> randomLabel() const { return m_randomLabel; }

private:
    objc::RefPtr<platform::UILabel> m_headerLabel;
    objc::RefPtr<platform::UILabel> m_subHeaderLabel;
    objc::RefPtr<platform::UILabel> m_randomLabel;
};

// Whether the device is an iPad (the device setting "DeviceIdiom" is "pad").
bool isPad();

} // namespace igtarvo::panel
