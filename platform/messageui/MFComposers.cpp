#include "platform/messageui/MFComposers.h"
#include "platform/foundation/Device.h"

namespace platform {

OBJC_CLASS_LOAD(MFMailComposeViewController)
OBJC_CLASS_LOAD(MFMessageComposeViewController)

Ref<MFMailComposeViewController> MFMailComposeViewController::create()
{
    auto composer = objc::make<MFMailComposeViewController>();
    composer->init();
    return composer;
}

bool MFMailComposeViewController::canSendMail()
{
    return Device::boolSetting("MailAccount", false);
}

void MFMailComposeViewController::userFinish(long result)
{
    Ref<MFMailComposeViewController> keep(*this);
    auto delegate = mailComposeDelegate();
    if (delegate && objc::respondsTo(delegate.get(), "mailComposeController:didFinishWithResult:error:"))
        objc::send<void(id, long, id)>(delegate, "mailComposeController:didFinishWithResult:error:", static_cast<id>(this), result, static_cast<id>(nullptr));
}

void MFMailComposeViewController::registerMethods(objc::ClassBuilder<MFMailComposeViewController>& b)
{
    b.classMethod<&MFMailComposeViewController::canSendMail>("canSendMail")
        .method<&MFMailComposeViewController::mailComposeDelegate>("mailComposeDelegate")
        .method<&MFMailComposeViewController::setMailComposeDelegate>("setMailComposeDelegate:")
        .method<&MFMailComposeViewController::setSubject>("setSubject:")
        .method<&MFMailComposeViewController::setMessageBody>("setMessageBody:isHTML:")
        .method<&MFMailComposeViewController::setToRecipients>("setToRecipients:");
}

Ref<MFMessageComposeViewController> MFMessageComposeViewController::create()
{
    auto composer = objc::make<MFMessageComposeViewController>();
    composer->init();
    return composer;
}

bool MFMessageComposeViewController::canSendText()
{
    return Device::boolSetting("CanSendText", false);
}

bool MFMessageComposeViewController::canSendSubject()
{
    return canSendText() && Device::boolSetting("MessageSubjects", false);
}

void MFMessageComposeViewController::userFinish(long result)
{
    Ref<MFMessageComposeViewController> keep(*this);
    auto delegate = messageComposeDelegate();
    if (delegate && objc::respondsTo(delegate.get(), "messageComposeViewController:didFinishWithResult:"))
        objc::send<void(id, long)>(delegate, "messageComposeViewController:didFinishWithResult:", static_cast<id>(this), result);
}

void MFMessageComposeViewController::registerMethods(objc::ClassBuilder<MFMessageComposeViewController>& b)
{
    b.classMethod<&MFMessageComposeViewController::canSendText>("canSendText")
        .classMethod<&MFMessageComposeViewController::canSendSubject>("canSendSubject")
        .method<&MFMessageComposeViewController::setMessageComposeDelegate>("setMessageComposeDelegate:")
        .method<&MFMessageComposeViewController::setBody>("setBody:")
        .method<&MFMessageComposeViewController::setSubject>("setSubject:")
        .method<&MFMessageComposeViewController::setRecipients>("setRecipients:")
        .method<&MFMessageComposeViewController::disableUserAttachments>("disableUserAttachments");
}

} // namespace platform
