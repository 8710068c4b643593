#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UserInput.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Refuses typed text that holds a slash.
class NoSlashes : public NSObject {
    OBJC_CLASS(NoSlashes, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<NoSlashes>& b)
    {
        b.method<&NoSlashes::shouldChange>("textField:shouldChangeCharactersInRange:replacementString:");
    }
    bool shouldChange(UITextField*, NSRange, NSString* text) { return str(text).find('/') == std::string::npos; }
};
OBJC_CLASS_DEFINE(NoSlashes)

class AlertTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UIKitClearWarnings();
        window = UIWindow::create(CGRectMake(0, 0, 320, 480));
        root = UIViewController::create();
        window->setRootViewController(root.get());
        window->makeKeyAndVisible();
        RunLoop::runUntilIdle();
    }
    void TearDown() override
    {
        RunLoop::runUntilIdle();
        window->setHidden(true);
    }
    // The add dialog of an account list: a field, Cancel and Add.
    Ref<UIAlertController> addDialog()
    {
        auto alert = UIAlertController::create("Add an Account", "", UIAlertControllerStyleAlert);
        objc::send<void(std::function<void(UITextField*)>)>(alert, "addTextFieldWithConfigurationHandler:", std::function<void(UITextField*)>([](UITextField* field) {
            field->setPlaceholder(ns("Enter a name for this new Account").get());
        }));
        alert->addAction(UIAlertAction::create("Cancel", UIAlertActionStyleDestructive, [this](UIAlertAction*) { log.push_back("cancel"); }).get());
        auto weakAlert = objc::WeakPtr<UIAlertController>(alert.get());
        alert->addAction(UIAlertAction::create("Add", UIAlertActionStyleDefault, [this, weakAlert](UIAlertAction*) {
            auto a = weakAlert.lock();
            log.push_back("add " + (a ? a->textFieldList()[0]->textString() : std::string("?")));
            log.push_back(std::string("presented: ") + (root->presentedViewController() ? "yes" : "no"));
        }).get());
        return alert;
    }
    RefPtr<UIWindow> window;
    RefPtr<UIViewController> root;
    std::vector<std::string> log;
};

}

TEST_F(AlertTest, TypingAndChoosingAnActionRunsTheHandlerAfterTheDismissal)
{
    auto alert = addDialog();
    root->presentViewController(alert.get(), true, {});
    RunLoop::runUntilIdle();
    EXPECT_EQ(UserInput::presentedAlert(window.get()).get(), alert.get());
    EXPECT_TRUE(root->isVisible()); // an alert leaves its presenter on screen
    ASSERT_EQ(alert->textFieldList().size(), 1u);
    EXPECT_EQ(str(alert->textFieldList()[0]->placeholder().get()), "Enter a name for this new Account");

    EXPECT_TRUE(UserInput::typeIntoAlert(alert.get(), 0, "work"));
    EXPECT_TRUE(UserInput::chooseAlertAction(alert.get(), "Add"));
    EXPECT_TRUE(log.empty()); // not before the dismissal is over
    EXPECT_FALSE(UserInput::chooseAlertAction(alert.get(), "Cancel")); // one choice per showing
    RunLoop::runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string> { "add work", "presented: no" }));
    EXPECT_EQ(alert->view()->superview().get(), nullptr);
}

TEST_F(AlertTest, AHandlerMayPresentTheNextAlert)
{
    auto first = addDialog();
    root->presentViewController(first.get(), true, {});
    RunLoop::runUntilIdle();
    auto second = addDialog();
    first->addAction(UIAlertAction::create("Again", UIAlertActionStyleDefault, [&](UIAlertAction*) {
        root->presentViewController(second.get(), true, {});
    }).get());
    EXPECT_TRUE(UserInput::chooseAlertAction(first.get(), "Again"));
    RunLoop::runUntilIdle();
    EXPECT_EQ(root->presentedViewController().get(), second.get());
    EXPECT_TRUE(UIKitWarnings().empty());
}

TEST_F(AlertTest, AnAlertThatIsNotShownCannotBeAnswered)
{
    auto alert = addDialog();
    EXPECT_FALSE(UserInput::chooseAlertAction(alert.get(), "Add"));
    EXPECT_FALSE(UserInput::typeIntoAlert(alert.get(), 1, "x"));
    RunLoop::runUntilIdle();
    EXPECT_TRUE(log.empty());
}

TEST_F(AlertTest, TheCancelButtonGoesLastAndATapOnAButtonChoosesIt)
{
    auto alert = UIAlertController::create("Title", "Message", UIAlertControllerStyleAlert);
    alert->addAction(UIAlertAction::create("Cancel", UIAlertActionStyleCancel, [this](UIAlertAction*) { log.push_back("cancel"); }).get());
    alert->addAction(UIAlertAction::create("OK", UIAlertActionStyleDefault, [this](UIAlertAction*) { log.push_back("ok"); }).get());
    root->presentViewController(alert.get(), false, {});
    RunLoop::runUntilIdle();
    ASSERT_EQ(alert->actionList().size(), 2u);
    EXPECT_EQ(str(alert->actionList()[1]->title().get()), "Cancel");
    auto ok = alert->buttonForAction(alert->actionList()[0].get());
    ASSERT_TRUE(ok);
    CGRect onScreen = ok->convertRectToView(ok->bounds(), nullptr);
    UserInput::tap(window.get(), CGPointMake(CGRectGetMidX(onScreen), CGRectGetMidY(onScreen)));
    RunLoop::runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string> { "ok" }));
}

TEST_F(AlertTest, ATextFieldDelegateCanRefuseTypedText)
{
    auto alert = addDialog();
    auto guard = objc::make<NoSlashes>();
    alert->textFieldList()[0]->setDelegate(guard.get());
    root->presentViewController(alert.get(), false, {});
    RunLoop::runUntilIdle();
    EXPECT_TRUE(UserInput::typeIntoAlert(alert.get(), 0, "ok"));
    EXPECT_FALSE(UserInput::typeIntoAlert(alert.get(), 0, "a/b"));
    EXPECT_EQ(alert->textFieldList()[0]->textString(), "ok");
}

TEST_F(AlertTest, MisuseRaisesAsOnThePlatform)
{
    auto sheet = UIAlertController::create("", "", UIAlertControllerStyleActionSheet);
    EXPECT_THROW(sheet->addTextFieldWithConfigurationHandler({}), NSInternalInconsistencyException);
    sheet->addAction(UIAlertAction::create("Cancel", UIAlertActionStyleCancel).get());
    EXPECT_THROW(sheet->addAction(UIAlertAction::create("Close", UIAlertActionStyleCancel).get()), NSInternalInconsistencyException);
}

TEST_F(AlertTest, ActionSheetsSitAtTheBottom)
{
    auto sheet = UIAlertController::create("", "", UIAlertControllerStyleActionSheet);
    sheet->addAction(UIAlertAction::create("Copy", UIAlertActionStyleDefault).get());
    sheet->addAction(UIAlertAction::create("Cancel", UIAlertActionStyleCancel).get());
    root->presentViewController(sheet.get(), false, {});
    RunLoop::runUntilIdle();
    auto copy = sheet->buttonForAction(sheet->actionList()[0].get());
    EXPECT_EQ(copy->convertRectToView(copy->bounds(), nullptr), CGRectMake(10, 356, 300, 57));
}
