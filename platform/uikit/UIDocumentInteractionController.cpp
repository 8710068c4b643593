#include "platform/uikit/UIDocumentInteractionController.h"
#include "platform/foundation/NSURL.h"
#include "platform/mobilecoreservices/LSApplicationProxy.h"
#include "platform/uikit/UIApplication.h"

#include <filesystem>

namespace platform {

OBJC_CLASS_LOAD(UIDocumentInteractionController)

Ref<UIDocumentInteractionController> UIDocumentInteractionController::interactionControllerWithURL(NSURL* url)
{
    auto controller = objc::make<UIDocumentInteractionController>();
    objc::send<RefPtr<Object>>(controller, "init");
    controller->setURL(url);
    return controller;
}

RefPtr<NSURL> UIDocumentInteractionController::URL() const
{
    return RefPtr<NSURL>(static_cast<NSURL*>(m_url.get()));
}

void UIDocumentInteractionController::setURL(NSURL* url)
{
    m_url = url;
}

bool UIDocumentInteractionController::openDocumentWithApplication(LSApplicationProxy* application)
{
    auto url = URL();
    if (!url || !url->isFileURL() || !application)
        return false;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(str(url->path().get()), ec))
        return false;
    // Only the running application takes documents here: no other one runs in this process.
    std::string self = UIApplication::bundleIdentifier();
    if (self.empty() || str(application->applicationIdentifier().get()) != self)
        return false;
    Ref<UIDocumentInteractionController> keep(*this);
    auto delegate = this->delegate();
    if (delegate && objc::respondsTo(delegate.get(), "documentInteractionController:willBeginSendingToApplication:"))
        objc::send<void(UIDocumentInteractionController*, NSString*)>(delegate, "documentInteractionController:willBeginSendingToApplication:", this, application->applicationIdentifier().get());
    UIApplication::sharedApplication()->deliverOpenURL(url.get(), ns(self).get(), m_annotation.get());
    if (delegate && objc::respondsTo(delegate.get(), "documentInteractionController:didEndSendingToApplication:"))
        objc::send<void(UIDocumentInteractionController*, NSString*)>(delegate, "documentInteractionController:didEndSendingToApplication:", this, application->applicationIdentifier().get());
    return true;
}

void UIDocumentInteractionController::registerMethods(objc::ClassBuilder<UIDocumentInteractionController>& b)
{
    b.classMethod<&UIDocumentInteractionController::interactionControllerWithURL>("interactionControllerWithURL:")
        .method<&UIDocumentInteractionController::URL>("URL")
        .method<&UIDocumentInteractionController::setURL>("setURL:")
        .method<&UIDocumentInteractionController::delegate>("delegate")
        .method<&UIDocumentInteractionController::setDelegate>("setDelegate:")
        .method<&UIDocumentInteractionController::UTI>("UTI")
        .method<&UIDocumentInteractionController::setUTI>("setUTI:")
        .method<&UIDocumentInteractionController::annotation>("annotation")
        .method<&UIDocumentInteractionController::setAnnotation>("setAnnotation:")
        .method<&UIDocumentInteractionController::openDocumentWithApplication>("_openDocumentWithApplication:");
}

} // namespace platform
