#pragma once
// What the switcher tests share. Each test makes a fresh device and runs its
// body in a forked child, since hooks, the account manager and the listener
// live as long as their process. Inside the child, SpringBoard is started the
// way its program starts it (principal class, classes, the system loaded,
// windows, system gestures, finished launching); the helpers then read what
// the user sees: the list on screen, its rows and headers, alerts, labels,
// and the device's files.

#include "accounts/AccountNames.h"
#include "accounts/NSStringBase64.h"
#include "accounts/TarvoManager.h"
#include "apps/simulator/DeviceLayout.h"
#include "hosts/springboard/FBSystemGestureManager.h"
#include "hosts/springboard/RunningProcesses.h"
#include "hosts/springboard/SBIconController.h"
#include "hosts/springboard/SBIconView.h"
#include "hosts/springboard/SBUIController.h"
#include "hosts/springboard/SpringBoardApplication.h"
#include "hosts/springboard/SpringBoardClasses.h"
#include "hosts/springboard/activator/LAActivator.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/foundation/Preferences.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UITableViewHeaderFooterView.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UserInput.h"
#include "switcher/TarvoListener.h"
#include "switcher/TarvoTableViewController.h"
#include "tests/support/Files.h"
#include "tests/support/TemporaryDevice.h"
#include "tweak/Startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace switchertest {

namespace fs = std::filesystem;
using testsupport::entries;
using testsupport::lines;
using testsupport::readText;
using testsupport::writeText;
using namespace std::chrono_literals;
using objc::Ref;
using objc::RefPtr;
using platform::ns;
using platform::str;

inline constexpr const char* kInstagram = "com.burbn.instagram";
inline constexpr const char* kDomain = "com.zr4.igtarvo";

// Files ----------------------------------------------------------------------

inline std::string container() { return igtarvo::simulator::instagramDataContainer(); }
inline std::string accountDir(const std::string& plain) { return platform::Device::path(igtarvo::simulator::kAccountsDir) + "/" + plain; }
inline std::string stored(const std::string& plain) { return igtarvo::storedAccountName(plain); }

// Every launch SpringBoard made, one line each ("com.burbn.instagram").
inline std::vector<std::string> launches() { return lines(readText(platform::Device::path(hosts::springboard::kLaunchLogPath))); }

// The active account as the preference domain holds it on disk.
inline std::string storedCurrentAccount()
{
    return str(platform::CFPreferencesCopyAppValue(igtarvo::kCurrentAccountKey, kDomain));
}

// The account list as the preference domain holds it on disk, plain names.
inline std::vector<std::string> storedAccountList()
{
    std::vector<std::string> names;
    auto list = platform::CFPreferencesCopyAppValue(igtarvo::kAccountsKey, kDomain);
    if (objc::object_isKindOfClass(list, platform::NSArray::staticClass())) {
        for (auto& item : static_cast<platform::NSArray*>(list.get())->items())
            names.push_back(igtarvo::plainAccountName(str(item.get())).value_or("?"));
    }
    return names;
}

// Lays the account store down before the manager is built: the list (plain
// names, stored in their Base64 form), the active account (none for ""), one
// marker file in each inactive account's directory, and the active account's
// directory, empty while its data is in Instagram's container.
inline void prepareAccounts(const std::vector<std::string>& plainNames, const std::string& active)
{
    std::vector<Ref<objc::Object>> list;
    for (auto& name : plainNames) {
        list.push_back(ns(stored(name)));
        if (name != active)
            writeText(accountDir(name) + "/Documents/" + name + ".txt", "data of " + name + "\n");
        else
            fs::create_directories(accountDir(name));
    }
    platform::CFPreferencesSetAppValue(igtarvo::kAccountsKey, platform::NSArray::create(list).get(), kDomain);
    platform::CFPreferencesSetAppValue(igtarvo::kCurrentAccountKey, active.empty() ? nullptr : ns(active).get(), kDomain);
    fs::create_directories(accountDir(""));
}

// Polls (with short sleeps, never asserting on time) until done() holds or a
// generous limit passes; answers whether it held.
template<class F>
bool eventually(F done, std::chrono::milliseconds limit = 10s)
{
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// Waits for the Instagram program that SpringBoard started, ends it and waits
// until it is gone; answers whether one was running.
inline bool endLaunchedInstagram()
{
    hosts::springboard::RunningProcess running;
    if (!eventually([&] { return bool(running = hosts::springboard::findRunningProcess("Instagram")); }))
        return false;
    hosts::springboard::endProcess(running);
    eventually([&] { return !hosts::springboard::isStillRunning(running); });
    return true;
}

// SpringBoard ----------------------------------------------------------------

struct SpringBoardOptions {
    bool loadSystem = true;   // start-up for "SpringBoard": hooks, shortcut item, subscriptions
    bool activator = false;   // the gesture library is installed
    // Runs after the system is loaded and the windows are up, before
    // SpringBoard reports that it has finished launching.
    std::function<void()> beforeFinishingLaunch = {};
};

// Starts SpringBoard in this process as its program does. The device's
// programs come first on the search path (the manager runs launchctl).
inline void startSpringBoard(SpringBoardOptions options = {})
{
    std::string path = platform::Device::path("/usr/bin") + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "");
    ::setenv("PATH", path.c_str(), 1);
    platform::Device::setSetting(platform::kSettingActivatorInstalled, platform::NSNumber::numberWithBool(options.activator).get());
    platform::UIApplication::setPrincipalClass(hosts::springboard::SpringBoardApplication::staticClass());
    hosts::springboard::registerSpringBoardClasses();
    igtarvo::addBase64CategoryToNSString();
    if (options.loadSystem)
        igtarvo::startUpForProcess("SpringBoard");
    auto* ui = hosts::springboard::SBUIController::sharedInstance();
    ui->setUpWindows();
    hosts::springboard::FBSystemGestureManager::sharedInstance()->setTouchWindow(ui->homeScreenWindow().get());
    if (options.activator) {
        for (auto& view : hosts::springboard::SBIconController::sharedInstance()->iconViews())
            hosts::springboard::LAActivator::sharedInstance()->watchIconView(view.get());
    }
    if (options.beforeFinishingLaunch)
        options.beforeFinishingLaunch();
    platform::UIApplication::sharedApplication()->finishLaunching();
    platform::RunLoop::runUntilIdle();
}

// Sends presentAccountSwitcherForIconView: to the shared listener, as every
// trigger does, and lets the presentation finish.
inline void presentFromListener(objc::id iconView)
{
    objc::send<void(objc::id)>(igtarvo::TarvoListener::sharedInstance(), "presentAccountSwitcherForIconView:", iconView);
    platform::RunLoop::runUntilIdle();
}

inline RefPtr<hosts::springboard::SBIconView> iconView(const std::string& bundleIdentifier)
{
    return hosts::springboard::SBIconController::sharedInstance()->iconViewForBundleIdentifier(bundleIdentifier);
}

inline std::string iconLabel(const std::string& bundleIdentifier)
{
    return str(iconView(bundleIdentifier)->labelView()->text());
}

// The window system screens are presented from (SBUIController's).
inline RefPtr<platform::UIWindow> systemWindow() { return hosts::springboard::SBUIController::sharedInstance()->window(); }

// A swipe up that starts on the centre of an application's icon.
inline void swipeUpOnIcon(const std::string& bundleIdentifier)
{
    auto view = iconView(bundleIdentifier);
    auto window = hosts::springboard::SBUIController::sharedInstance()->homeScreenWindow();
    platform::CGPoint centre = view->superview()->convertPointToView(view->center(), window.get());
    platform::UserInput::swipe(window.get(), centre, platform::UISwipeGestureRecognizerDirectionUp);
    platform::RunLoop::runUntilIdle();
}

// The listener's one account list.
inline RefPtr<igtarvo::TarvoTableViewController> listenerList() { return igtarvo::TarvoListener::sharedInstance()->tableViewController(); }

// Taps the listener's list's Done button and lets the dismissal finish.
inline void closeListWithDone()
{
    EXPECT_TRUE(platform::UserInput::tapBarButtonItem(listenerList()->navigationItem()->leftBarButtonItem().get()));
    platform::RunLoop::runUntilIdle();
}

// Whether the list is on screen: inside a navigation controller presented
// from some controller, its view in a window.
inline bool isShown(igtarvo::TarvoTableViewController* list)
{
    auto navigation = list->navigationController();
    return navigation && navigation->presentingViewController() && list->isViewLoaded() && list->view()->window();
}

// How many navigation controllers showing the list are presented, counting
// the presentation chain above the system window's root.
inline int presentedListCount(platform::UIWindow* window, igtarvo::TarvoTableViewController* list)
{
    int count = 0;
    auto controller = window && window->rootViewController() ? window->rootViewController()->presentedViewController() : nullptr;
    for (; controller; controller = controller->presentedViewController()) {
        if (objc::object_isKindOfClass(controller.get(), platform::UINavigationController::staticClass())
            && static_cast<platform::UINavigationController*>(controller.get())->topViewController().get() == list)
            ++count;
    }
    return count;
}

// The screen ------------------------------------------------------------------

inline std::string rowText(platform::UITableView* table, long section, long row)
{
    auto cell = table->cellForRowAtIndexPath(platform::NSIndexPath::indexPathForRow(row, section).get());
    return cell ? str(cell->textLabel()->text()) : "<no cell>";
}

inline std::vector<std::string> rowTexts(platform::UITableView* table, long section)
{
    std::vector<std::string> texts;
    for (long row = 0; row < table->numberOfRowsInSection(section); ++row)
        texts.push_back(rowText(table, section, row));
    return texts;
}

inline std::string headerText(platform::UITableView* table, long section)
{
    auto header = table->headerViewForSection(section);
    if (!objc::object_isKindOfClass(header.get(), platform::UITableViewHeaderFooterView::staticClass()))
        return "<no header>";
    return str(static_cast<platform::UITableViewHeaderFooterView*>(header.get())->textLabel()->text());
}

// The alert on screen above the window's root, or nil.
inline RefPtr<platform::UIAlertController> shownAlert(platform::UIWindow* window)
{
    return platform::UserInput::presentedAlert(window);
}

struct AlertContent {
    std::string title;
    std::string message;
    std::vector<std::string> actions; // "title/style"
    std::vector<std::string> fields;  // "text|placeholder"
    bool operator==(const AlertContent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const AlertContent& a)
{
    out << "{title '" << a.title << "', message '" << a.message << "', actions";
    for (auto& x : a.actions)
        out << " [" << x << "]";
    out << ", fields";
    for (auto& x : a.fields)
        out << " [" << x << "]";
    return out << "}";
}

inline const char* styleName(long style)
{
    switch (style) {
    case platform::UIAlertActionStyleDefault: return "default";
    case platform::UIAlertActionStyleCancel: return "cancel";
    case platform::UIAlertActionStyleDestructive: return "destructive";
    }
    return "?";
}

inline AlertContent contentOf(platform::UIAlertController* alert)
{
    AlertContent content;
    if (!alert)
        return content;
    content.title = str(alert->title());
    content.message = str(alert->message());
    for (auto& action : alert->actionList())
        content.actions.push_back(str(action->title()) + "/" + styleName(action->style()));
    for (auto& field : alert->textFieldList())
        content.fields.push_back(str(field->text()) + "|" + str(field->placeholder()));
    return content;
}

// Ends, by id, every program still running on this device (started with
// "--root ROOT" by the test's SpringBoard); answers how many there were.
inline int endProgramsOfDevice(const std::string& root)
{
    int ended = 0;
    std::error_code ec;
    for (auto& entry : fs::directory_iterator("/proc", ec)) {
        std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string cmdline = readText("/proc/" + pid + "/cmdline");
        if (cmdline.find(std::string("\0--root\0", 8) + root + std::string("\0", 1)) == std::string::npos)
            continue;
        if (::kill(pid_t(std::stol(pid)), SIGKILL) == 0)
            ++ended;
    }
    return ended;
}

// Runs the test's body in a forked child; the child's failures fail the
// test, and a child that dies says how. A program the child started and
// left running is ended and fails the test.
inline void inChild(const std::function<void()>& body)
{
    std::fflush(stdout);
    std::fflush(stderr);
    pid_t pid = ::fork();
    if (pid == 0) {
        try {
            body();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "the child threw: " << e.what();
        }
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status))
        ADD_FAILURE() << "the child was ended by signal " << WTERMSIG(status) << " (" << strsignal(WTERMSIG(status)) << ")";
    else
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the child reported failures (see above)";
    EXPECT_EQ(endProgramsOfDevice(platform::Device::root()), 0) << "programs were left running on the test's device";
}

} // namespace switchertest
