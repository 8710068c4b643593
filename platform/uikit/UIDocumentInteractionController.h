#pragma once
// Offers a document (a file address) to applications. The private
// _openDocumentWithApplication: hands it straight to one application: when
// that application is the running one, its application delegate receives
// application:openURL:sourceApplication:annotation: on the main queue, the
// source being this application's bundle identifier, as when another app
// opens a document in it. The controller's delegate (weak) hears
// documentInteractionController:willBeginSendingToApplication: and
// documentInteractionController:didEndSendingToApplication: around it.
// Main thread.

#include "platform/foundation/NSValues.h"

namespace platform {

class LSApplicationProxy;
class NSURL;

class UIDocumentInteractionController : public NSObject {
    OBJC_CLASS(UIDocumentInteractionController, NSObject)
public:
    UIDocumentInteractionController() = default;
    static void registerMethods(objc::ClassBuilder<UIDocumentInteractionController>&);

    // A controller for the document at a file address.
    static Ref<UIDocumentInteractionController> interactionControllerWithURL(NSURL* url);

    RefPtr<NSURL> URL() const;
    void setURL(NSURL* url);
    RefPtr<Object> delegate() const { return m_delegate.lock(); }
    void setDelegate(id delegate) { m_delegate = objc::WeakPtr<Object>(delegate); }
    RefPtr<NSString> UTI() const { return m_uti; }
    void setUTI(NSString* uti) { m_uti = uti; }
    RefPtr<Object> annotation() const { return m_annotation; }
    void setAnnotation(id annotation) { m_annotation = annotation; }

    // Hands the document to the application; false when there is no
    // document file, or the application is not one that can take it here.
    bool openDocumentWithApplication(LSApplicationProxy* application);

private:
    RefPtr<Object> m_url;
    RefPtr<NSString> m_uti;
    RefPtr<Object> m_annotation;
    objc::WeakPtr<Object> m_delegate;
};

} // namespace platform
