#include "accounts/TarvoManager.h"
#include "accounts/AccountNames.h"
#include "accounts/DirectoryWalk.h"
#include "core/SpringBoardSurface.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/Preferences.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <random>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace igtarvo {

using namespace platform;
using Kind = AccountStep::Kind;

// The class is there by name as soon as the library is loaded.
OBJC_CLASS_LOAD(TarvoManager)

namespace {

constexpr auto kPauseAfterEndingInstagram = std::chrono::milliseconds(100);

bool isRealDirectory(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool entryExists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

void run(const Completion& completion)
{
    if (completion)
        completion();
}

bool movesFiles(const AccountJournal& journal)
{
    for (size_t i = journal.next(); i < journal.steps().size(); ++i) {
        Kind kind = journal.steps()[i].kind;
        if (kind == Kind::MoveOut || kind == Kind::MoveIn || kind == Kind::CreateFresh)
            return true;
    }
    return false;
}

} // namespace

void TarvoManager::registerMethods(objc::ClassBuilder<TarvoManager>& b)
{
    b.method<&TarvoManager::init>("init")
        .method<&TarvoManager::accounts>("accounts")
        .method<&TarvoManager::settings>("settings")
        .method<&TarvoManager::currentAccountName>("currentAccountName")
        .method<&TarvoManager::setCurrentAccountName>("setCurrentAccountName:")
        .method<&TarvoManager::fm>("fm")
        .method<&TarvoManager::application>("application")
        .method<&TarvoManager::baseDir>("baseDir")
        .method<&TarvoManager::setBaseDir>("setBaseDir:")
        .method<&TarvoManager::serialQueue>("serialQueue")
        .method<&TarvoManager::isInstagramRunning>("isInstagramRunning")
        .method<&TarvoManager::loadAccounts>("loadAccounts")
        .method<&TarvoManager::storeAccounts>("storeAccounts")
        .method<&TarvoManager::storeSettings>("storeSettings")
        .method<&TarvoManager::hasAccountWithName>("hasAccountWithName:")
        .method<&TarvoManager::killInstagramWithCompletion>("killInstagramWithCompletion:")
        .method<&TarvoManager::renameAccount>("renameAccount:toName:")
        .classMethod<&TarvoManager::sharedManager>("sharedManager")
        .classMethod<&TarvoManager::addAccountWithCompletion>("addAccount:withCompletion:")
        .classMethod<&TarvoManager::removeAccountForUsernameWithCompletion>("removeAccountForUsername:withCompletion:")
        .classMethod<&TarvoManager::switchToAccountWithCompletion>("switchToAccount:withCompletion:");
}

// Construction ----------------------------------------------------------------

RefPtr<TarvoManager> TarvoManager::sharedManager()
{
    static TarvoManager* shared = create().leak();
    return RefPtr<TarvoManager>(shared);
}

RefPtr<TarvoManager> TarvoManager::create()
{
    auto manager = objc::make<TarvoManager>();
    manager->init();
    return manager;
}

RefPtr<Object> TarvoManager::init()
{
    m_fm = NSFileManager::defaultManager();
    m_serialQueue = DispatchQueue::create(kSerialQueueLabel, DispatchQueue::Type::Serial);

    CFPreferencesAppSynchronize(kTarvoPreferencesDomain);
    RefPtr<NSArray> keys = CFPreferencesCopyKeyList(kTarvoPreferencesDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    if (!keys)
        keys = NSArray::create();
    auto values = CFPreferencesCopyMultiple(keys.get(), kTarvoPreferencesDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    m_settings = NSMutableDictionary::create(values->entries());
    m_accounts = loadAccounts();

    auto baseCreated = m_fm->createDirectoryAtPath(baseDir()->str(), false);
    (void)baseCreated; // it exists from an earlier start as a rule

    completeInterruptedOperation();

    if (m_accounts->count() == 0) {
        m_accounts->addObject(ns(storedAccountName(kDefaultAccountName)));
        storeAccounts();
        setCurrentAccountName(ns(kDefaultAccountName));
        auto created = m_fm->createDirectoryAtPath(accountDirectory(kDefaultAccountName), false);
        (void)created; // a "Default" directory left from before serves as well
    }
    return RefPtr<Object>(this);
}

// The store ---------------------------------------------------------------------

RefPtr<NSString> TarvoManager::currentAccountName()
{
    if (!m_currentAccountName) {
        auto stored = m_settings->get(kCurrentAccountKey);
        if (isString(stored))
            m_currentAccountName = RefPtr<NSString>(static_cast<NSString*>(stored.get()));
    }
    return m_currentAccountName;
}

void TarvoManager::setCurrentAccountName(RefPtr<NSString> name)
{
    m_currentAccountName = name;
    if (name)
        m_settings->set(kCurrentAccountKey, name.get());
    else
        m_settings->remove(kCurrentAccountKey);
    storeSettings();
}

RefPtr<Object> TarvoManager::application()
{
    m_application = springboard::applicationWithBundleIdentifier(kInstagramBundleIdentifier);
    return m_application;
}

RefPtr<NSString> TarvoManager::baseDir()
{
    if (!m_baseDir)
        m_baseDir = ns(Device::path(kDefaultBaseDirectory));
    return m_baseDir;
}

void TarvoManager::setBaseDir(RefPtr<NSString> path)
{
    m_baseDir = path ? ns(path->str()) : nullptr;
}

bool TarvoManager::isInstagramRunning()
{
    return springboard::isRunning(application().get());
}

RefPtr<NSMutableArray> TarvoManager::loadAccounts()
{
    auto stored = m_settings->get(kAccountsKey);
    if (objc::object_isKindOfClass(stored, NSArray::staticClass()))
        return NSMutableArray::create(static_cast<NSArray*>(stored.get())->items());
    return NSMutableArray::create();
}

void TarvoManager::storeAccounts()
{
    m_settings->set(kAccountsKey, m_accounts.get());
    storeSettings();
}

void TarvoManager::storeSettings()
{
    // Only the account keys: the settings panel and the version notice write
    // their own keys to the same domain from other processes, and the copy
    // read at start would put back their old values.
    auto keysToSet = NSMutableDictionary::create();
    auto keysToRemove = NSMutableArray::create();
    if (auto accounts = m_settings->get(kAccountsKey))
        keysToSet->set(kAccountsKey, accounts.get());
    if (auto current = m_settings->get(kCurrentAccountKey))
        keysToSet->set(kCurrentAccountKey, current.get());
    else
        keysToRemove->addObject(ns(kCurrentAccountKey));
    bool written = CFPreferencesSetMultiple(keysToSet.get(), keysToRemove.get(), kTarvoPreferencesDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
    (void)written; // the store reports nothing; memory keeps the state
    CFPreferencesAppSynchronize(kTarvoPreferencesDomain);
}

bool TarvoManager::hasAccountWithName(RefPtr<NSString> name)
{
    if (!name)
        return false;
    for (auto& stored : m_accounts->items()) {
        auto plain = plainAccountName(str(stored.get()));
        if (plain && *plain == name->str())
            return true;
    }
    return false;
}

// Instagram ---------------------------------------------------------------------

void TarvoManager::killInstagramWithCompletion(Completion completion)
{
    if (springboard::applicationProcessesAnswerStop()) {
        if (auto process = springboard::applicationProcess(application().get()))
            springboard::killApplicationProcess(process.get(), 1, false, kTerminationDescription);
    } else {
        auto bundleIdentifier = springboard::bundleIdentifier(application().get());
        springboard::terminateApplication(bundleIdentifier.get(), 5, false, kTerminationDescription);
    }
    stopPreferencesDaemon();
    std::this_thread::sleep_for(kPauseAfterEndingInstagram);
    run(completion);
}

void TarvoManager::stopPreferencesDaemon()
{
    std::string words[] = { "launchctl", "stop", "com.apple.cfprefsd.xpc.daemon" };
    char* argv[] = { words[0].data(), words[1].data(), words[2].data(), nullptr };
    char* envp[] = { nullptr };
    pid_t pid = 0;
    if (posix_spawnp(&pid, "launchctl", nullptr, nullptr, argv, envp) != 0)
        return;
    // Nothing waits for it; it is only collected when it ends, so that
    // SpringBoard does not gather finished processes.
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
}

// Operations --------------------------------------------------------------------

void TarvoManager::addAccount(RefPtr<NSString> nameObject, Completion completion)
{
    std::string name = str(nameObject.get());
    std::string active = str(currentAccountName().get());
    // The active account's data must have a place to go before anything starts.
    if (!nameObject || !canUseAccountDirectory(name) || (!active.empty() && !canUseAccountDirectory(active))) {
        run(completion);
        return;
    }
    killInstagramWithCompletion([&] {
        m_serialQueue->sync([&] {
            m_accounts->addObject(ns(storedAccountName(name)));
            storeAccounts();
        });
        std::string directory = accountDirectory(name);
        auto created = m_fm->createDirectoryAtPath(directory, false);
        // A directory that is there already holds data of an earlier account of
        // that name: it is brought in as the new account's, after the active
        // account's data has been put away as usual. Whatever the creation
        // reports, the live data stays the active account's.
        bool existed = created.code == EEXIST && isRealDirectory(directory);
        std::string container = containerPath();
        std::vector<AccountStep> steps;
        if (!active.empty() && active != name && !container.empty()) {
            steps.push_back({ Kind::MoveOut, active, false, {} });
            if (existed)
                steps.push_back({ Kind::MoveIn, name, false, {} });
            steps.push_back({ Kind::CreateFresh, std::nullopt, false, {} });
        }
        steps.push_back({ Kind::Activate, name, false, {} });
        AccountJournal journal(container, std::move(steps));
        for (size_t step = 1; step <= journal.steps().size(); ++step)
            m_serialQueue->sync([&] { performSteps(journal, step); });
        run(completion);
    });
}

void TarvoManager::removeAccountForUsername(RefPtr<NSString> storedObject, Completion completion)
{
    std::string stored = str(storedObject.get());
    auto plain = storedObject ? plainAccountName(stored) : std::nullopt;
    if (!plain || !isUsableAccountName(*plain)) {
        run(completion);
        return;
    }
    m_serialQueue->sync([&] {
        m_accounts->removeObject(storedObject.get());
        storeAccounts();
    });
    AccountJournal journal;
    m_serialQueue->sync([&] {
        std::vector<AccountStep> steps;
        std::string container;
        auto active = currentAccountName();
        if (active && active->str() == *plain) {
            std::vector<std::string> remaining;
            for (auto& entry : m_accounts->items()) {
                auto name = plainAccountName(str(entry.get()));
                if (name && isUsableAccountName(*name))
                    remaining.push_back(*name);
            }
            if (remaining.empty()) {
                steps.push_back({ Kind::Activate, std::nullopt, false, {} });
            } else {
                uint32_t random = std::random_device {}();
                std::string chosen = remaining[random % remaining.size()];
                // The switch runs inside this turn of the queue.
                killInstagramWithCompletion(nullptr);
                container = containerPath();
                if (!container.empty()) {
                    steps.push_back({ Kind::MoveOut, *plain, true, {} });
                    steps.push_back({ Kind::MoveIn, chosen, true, {} });
                }
                steps.push_back({ Kind::Activate, chosen, false, {} });
            }
        }
        steps.push_back({ Kind::Discard, *plain, false, {} });
        journal = AccountJournal(container, std::move(steps));
        performSteps(journal, journal.steps().size() - 1);
    });
    m_serialQueue->sync([&] { performSteps(journal, journal.steps().size()); });
    run(completion);
}

void TarvoManager::switchToAccount(RefPtr<NSString> nameObject, Completion completion)
{
    std::string name = str(nameObject.get());
    auto activeObject = currentAccountName();
    std::string active = str(activeObject.get());
    if (!nameObject || !isUsableAccountName(name) || (activeObject && !canUseAccountDirectory(active))) {
        run(completion);
        return;
    }
    killInstagramWithCompletion([&] {
        if (activeObject && active == name)
            return;
        std::string container = containerPath();
        std::vector<AccountStep> steps;
        if (!container.empty()) {
            if (activeObject)
                steps.push_back({ Kind::MoveOut, active, true, {} });
            steps.push_back({ Kind::MoveIn, name, true, {} });
        }
        steps.push_back({ Kind::Activate, name, false, {} });
        AccountJournal journal(container, std::move(steps));
        for (size_t step = 1; step <= journal.steps().size(); ++step)
            m_serialQueue->sync([&] { performSteps(journal, step); });
        run(completion);
    });
}

void TarvoManager::renameAccount(RefPtr<NSString> fromObject, RefPtr<NSString> toObject)
{
    std::string from = str(fromObject.get());
    std::string to = str(toObject.get());
    if (!fromObject || !toObject || !isUsableAccountName(from) || !isUsableAccountName(to))
        return;
    if (!entryExists(accountDirectory(from)))
        return;
    AccountJournal journal({}, {
                                   { Kind::RenameDirectory, from, false, to },
                                   { Kind::RenameEntry, from, false, to },
                               });
    performSteps(journal, journal.steps().size());
}

void TarvoManager::addAccountWithCompletion(RefPtr<NSString> name, Completion completion)
{
    sharedManager()->addAccount(std::move(name), std::move(completion));
}

void TarvoManager::removeAccountForUsernameWithCompletion(RefPtr<NSString> storedName, Completion completion)
{
    sharedManager()->removeAccountForUsername(std::move(storedName), std::move(completion));
}

void TarvoManager::switchToAccountWithCompletion(RefPtr<NSString> name, Completion completion)
{
    sharedManager()->switchToAccount(std::move(name), std::move(completion));
}

// Steps -------------------------------------------------------------------------

std::string TarvoManager::accountDirectory(const std::string& plainName)
{
    std::string base = baseDir() ? baseDir()->str() : std::string();
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base + "/" + plainName;
}

std::string TarvoManager::containerPath()
{
    auto path = springboard::dataContainerPath(application().get());
    return path ? path->str() : std::string();
}

std::string TarvoManager::journalPath()
{
    return AccountJournal::pathFor(baseDir() ? baseDir()->str() : std::string());
}

bool TarvoManager::canUseAccountDirectory(const std::string& plainName)
{
    if (!isUsableAccountName(plainName))
        return false;
    std::string directory = accountDirectory(plainName);
    return !entryExists(directory) || isRealDirectory(directory);
}

bool TarvoManager::performSteps(AccountJournal& journal, size_t until)
{
    const auto& steps = journal.steps();
    // An operation that only changes the active name needs no record.
    bool recorded = steps.size() > 1 || (steps.size() == 1 && steps[0].kind != Kind::Activate);
    std::string file = journalPath();
    while (journal.next() < until && journal.next() < steps.size()) {
        if (recorded) {
            bool written = journal.write(file);
            (void)written; // without a record the operation still runs; only its recovery is lost
        }
        bool goOn = performStep(journal, steps[journal.next()]);
        journal.setNext(goOn ? journal.next() + 1 : steps.size());
    }
    if (journal.next() < steps.size())
        return true;
    if (recorded)
        AccountJournal::finish(file);
    return false;
}

bool TarvoManager::performStep(const AccountJournal& journal, const AccountStep& step)
{
    const std::string& container = journal.container();
    bool named = step.account && isUsableAccountName(*step.account);
    switch (step.kind) {
    case Kind::MoveOut: {
        if (!named || container.empty())
            return false;
        // The active account's directory may have gone (deleted from outside):
        // it is made again, so that nothing stays behind in the container to be
        // replaced by the incoming account's entries.
        std::string directory = accountDirectory(*step.account);
        if (!isRealDirectory(directory)) {
            auto created = m_fm->createDirectoryAtPath(directory, false);
            (void)created; // what matters is whether a directory stands there now
            if (!isRealDirectory(directory))
                return false;
        }
        walkDirectory(*m_fm, container, directory, { .skipFixedEntries = true, .clearDestination = step.clear });
        return true;
    }
    case Kind::MoveIn:
        if (!named || container.empty())
            return false;
        // Whatever still stands in the container at this point is the outgoing
        // account's own data that could not be moved out: clearing it to make
        // room would destroy it. An incoming entry of the same name stays in
        // its account's directory instead, so both are kept.
        walkDirectory(*m_fm, accountDirectory(*step.account), container, { .skipFixedEntries = false, .clearDestination = false });
        return true;
    case Kind::CreateFresh:
        if (container.empty())
            return false;
        for (const char* directory : kFreshContainerDirectories) {
            auto created = m_fm->createDirectoryAtPath(container + "/" + directory, true);
            (void)created; // entries brought in already stand there
        }
        return true;
    case Kind::Activate:
        if (step.account && !isUsableAccountName(*step.account))
            return false;
        setCurrentAccountName(step.account ? ns(*step.account) : nullptr);
        return true;
    case Kind::Discard: {
        if (!named)
            return false;
        std::string directory = accountDirectory(*step.account);
        bool isDirectory = false;
        if (m_fm->fileExistsAtPath(directory, &isDirectory) && isDirectory) {
            auto removed = m_fm->removeItemAtPath(directory);
            (void)removed; // what could not be removed stays
        }
        return true;
    }
    case Kind::RenameDirectory: {
        if (!named || !isUsableAccountName(step.newName))
            return false;
        std::string from = accountDirectory(*step.account);
        std::string to = accountDirectory(step.newName);
        if (!entryExists(from))
            return entryExists(to); // moved before an interruption
        return !m_fm->moveItemAtPath(from, to);
    }
    case Kind::RenameEntry: {
        if (!named || !isUsableAccountName(step.newName))
            return false;
        auto old = ns(storedAccountName(*step.account));
        const auto& items = m_accounts->items();
        auto it = std::find_if(items.begin(), items.end(), [&](const auto& entry) { return isEqual(entry.get(), old.get()); });
        if (it == items.end())
            return false;
        m_accounts->replaceObjectAtIndex(size_t(it - items.begin()), ns(storedAccountName(step.newName)).get());
        m_settings->set(kAccountsKey, m_accounts.get());
        if (str(currentAccountName().get()) == *step.account) {
            m_currentAccountName = ns(step.newName);
            m_settings->set(kCurrentAccountKey, m_currentAccountName.get());
        }
        // One write for both keys, so an interruption leaves both or neither.
        storeSettings();
        return true;
    }
    }
    return false;
}

void TarvoManager::completeInterruptedOperation()
{
    auto journal = AccountJournal::read(journalPath());
    if (!journal)
        return;
    // A half-exchanged container must not be in use while it is completed.
    if (movesFiles(*journal))
        killInstagramWithCompletion(nullptr);
    performSteps(*journal, journal->steps().size());
}

} // namespace igtarvo
