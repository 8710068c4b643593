#pragma once
// The system's mail and message composers. Whether the device can send is a
// device setting ("MailAccount", "CanSendText", "MessageSubjects"). A
// composer holds what it will send; the person sends or cancels it
// (userFinish) and its delegate is told. Main thread.

#include "platform/uikit/UIViewController.h"

namespace platform {

enum MFMailComposeResult : long {
    MFMailComposeResultCancelled = 0,
    MFMailComposeResultSaved = 1,
    MFMailComposeResultSent = 2,
    MFMailComposeResultFailed = 3,
};

enum MessageComposeResult : long {
    MessageComposeResultCancelled = 0,
    MessageComposeResultSent = 1,
    MessageComposeResultFailed = 2,
};

// Delegate message: mailComposeController:didFinishWithResult:error:  void(id controller, long result, id error)
class MFMailComposeViewController : public UIViewController {
    OBJC_CLASS(MFMailComposeViewController, UIViewController)
public:
    static void registerMethods(objc::ClassBuilder<MFMailComposeViewController>&);
    static Ref<MFMailComposeViewController> create();
    static bool canSendMail();

    RefPtr<Object> mailComposeDelegate() const { return m_delegate.lock(); }
    void setMailComposeDelegate(id delegate) { m_delegate = delegate; }
    void setSubject(NSString* subject) { m_subject = subject; }
    RefPtr<NSString> subject() const { return m_subject; }
    void setMessageBody(NSString* body, bool isHTML) { m_body = body; m_html = isHTML; }
    RefPtr<NSString> messageBody() const { return m_body; }
    bool isHTML() const { return m_html; }
    void setToRecipients(NSArray* recipients) { m_recipients = recipients; }
    RefPtr<NSArray> toRecipients() const { return m_recipients; }
    void userFinish(long result);

private:
    objc::WeakPtr<Object> m_delegate;
    RefPtr<NSString> m_subject;
    RefPtr<NSString> m_body;
    RefPtr<NSArray> m_recipients;
    bool m_html { false };
};

// Delegate message: messageComposeViewController:didFinishWithResult:  void(id controller, long result)
class MFMessageComposeViewController : public UIViewController {
    OBJC_CLASS(MFMessageComposeViewController, UIViewController)
public:
    static void registerMethods(objc::ClassBuilder<MFMessageComposeViewController>&);
    static Ref<MFMessageComposeViewController> create();
    static bool canSendText();
    static bool canSendSubject();
    static bool canSendAttachments() { return canSendText(); }

    RefPtr<Object> messageComposeDelegate() const { return m_delegate.lock(); }
    void setMessageComposeDelegate(id delegate) { m_delegate = delegate; }
    void setBody(NSString* body) { m_body = body; }
    RefPtr<NSString> body() const { return m_body; }
    void setSubject(NSString* subject) { m_subject = subject; }
    RefPtr<NSString> subject() const { return m_subject; }
    void setRecipients(NSArray* recipients) { m_recipients = recipients; }
    RefPtr<NSArray> recipients() const { return m_recipients; }
    void disableUserAttachments() { m_attachmentsDisabled = true; }
    bool userAttachmentsDisabled() const { return m_attachmentsDisabled; }
    void userFinish(long result);

private:
    objc::WeakPtr<Object> m_delegate;
    RefPtr<NSString> m_body;
    RefPtr<NSString> m_subject;
    RefPtr<NSArray> m_recipients;
    bool m_attachmentsDisabled { false };
};

} // namespace platform
