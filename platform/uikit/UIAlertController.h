#pragma once
// An alert or an action sheet: a title, a message, text fields (alerts
// only), and actions shown as buttons (the cancel action last). It is
// presented like any controller and stays over its presenter. Choosing an
// action (a tap on its button, or UserInput) dismisses the alert and runs
// the action's handler once the dismissal is over; one choice per showing.
// Main thread.

#include "platform/uikit/UIViewController.h"

namespace platform {

class UIAlertAction;
class UIButton;
class UICollectionView;
class UILabel;
class UITextField;

enum UIAlertControllerStyle : long {
    UIAlertControllerStyleActionSheet = 0,
    UIAlertControllerStyleAlert = 1,
};

class UIAlertController : public UIViewController {
    OBJC_CLASS(UIAlertController, UIViewController)
public:
    UIAlertController();
    ~UIAlertController() override;
    static void registerMethods(objc::ClassBuilder<UIAlertController>&);

    static Ref<UIAlertController> alertControllerWithTitle(NSString* title, NSString* message, long preferredStyle);
    static Ref<UIAlertController> create(const std::string& title, const std::string& message, long preferredStyle);

    RefPtr<NSString> message() const { return m_message; }
    void setMessage(NSString* message);
    long preferredStyle() const { return m_style; }
    // Adds an action; a second cancel action is a programming error and throws
    // NSInternalInconsistencyException, as on the platform.
    void addAction(UIAlertAction* action);
    RefPtr<NSArray> actions() const;
    const std::vector<Ref<UIAlertAction>>& actionList() const { return m_actions; }
    RefPtr<UIAlertAction> preferredAction() const;
    void setPreferredAction(UIAlertAction* action);
    // Adds a text field and runs the configuration block on it at once;
    // only alerts take text fields (an action sheet throws).
    void addTextFieldWithConfigurationHandler(std::function<void(UITextField*)> configure);
    RefPtr<NSArray> textFields() const;
    const std::vector<Ref<UITextField>>& textFieldList() const { return m_fields; }
    // The view that shows an action once the view is loaded: its button in
    // an alert, its row's action view in an action sheet (nil off screen).
    RefPtr<UIView> buttonForAction(UIAlertAction* action);

    // A user choosing an action: dismisses the alert, then runs the handler.
    // False when the action is not the alert's, is disabled, the alert is not
    // presented or an action was already chosen.
    bool userChooseAction(UIAlertAction* action);
    // Dismisses the alert, then runs the action's handler (what a chosen row or button does).
    bool chooseAction(UIAlertAction* action);

    // The sheet's view; the platform asks for it once the view is built
    // (private, and a subclass may take the sheet over here).
    RefPtr<UIView> alertControllerView();
    void loadView();
    void viewDidLayoutSubviews();
    void actionButtonTapped(id sender);

    // Title, message and style of a new controller (alertControllerWithTitle:message:preferredStyle:).
    void setUp(NSString* title, NSString* message, long preferredStyle);

private:
    void rebuildContent();
    RefPtr<UICollectionView> sheetActionList() const;

    RefPtr<NSString> m_message;
    long m_style { UIAlertControllerStyleAlert };
    std::vector<Ref<UIAlertAction>> m_actions;
    std::vector<Ref<UITextField>> m_fields;
    RefPtr<Object> m_preferred;
    RefPtr<UIView> m_box;
    RefPtr<Object> m_titleLabel;
    RefPtr<Object> m_messageLabel;
    std::vector<Ref<UIButton>> m_buttons;
    bool m_chosen { false };
};

} // namespace platform
