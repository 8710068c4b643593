#pragma once
// A page of the Settings application: a view controller made for the size
// of the area it is shown in. Main thread.

#include "platform/uikit/UIViewController.h"

namespace platform {

class PSSpecifier;

class PSViewController : public UIViewController {
    OBJC_CLASS(PSViewController, UIViewController)
public:
    PSViewController();
    ~PSViewController() override;
    static void registerMethods(objc::ClassBuilder<PSViewController>&);

    // Initialises for the size of the area the page is shown in.
    RefPtr<Object> initForContentSize(CGSize size);
    CGSize contentSize() const { return m_contentSize; }
    // The size a pushed page is made for: the content size, else the view's.
    CGSize preferredContentSize();

    RefPtr<PSSpecifier> specifier() const;
    void setSpecifier(PSSpecifier* specifier);

private:
    CGSize m_contentSize { 0, 0 };
    RefPtr<Object> m_specifier;
};

} // namespace platform
