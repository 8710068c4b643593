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
        .method<&TarvoManager::renameAccountMessage>("renameAccount:toName:")
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
        m_accounts->addObject(ns(storedAccountName(kDefaultAccountName)).get());
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
    m_baseDir = path ? RefPtr<NSString>(ns(path->str())) : nullptr;
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
        keysToRemove->addObject(ns(kCurrentAccountKey).get());
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

AccountOutcome TarvoManager::addAccount(RefPtr<NSString> nameObject, Completion completion)
{
    std::string name = str(nameObject.get());
    std::string active = str(currentAccountName().get());
    // Everything that could stop the add half-way is checked before anything starts.
    auto refuse = [&](std::string why) {
        run(completion);
        return AccountOutcome::refused(std::move(why));
    };
    if (!nameObject || !isUsableAccountName(name))
        return refuse("\"" + name + "\" cannot be an account name (it must be one path component)");
    if (hasAccountWithName(nameObject))
        return refuse("there is already an account named \"" + name + "\"");
    if (auto problem = directoryProblem(name); !problem.empty())
        return refuse(problem);
    if (!active.empty() && active != name) {
        if (auto problem = directoryProblem(active); !problem.empty())
            return refuse(problem + "; the active account's data would have nowhere to go");
    }
    AccountOutcome outcome;
    killInstagramWithCompletion([&] {
        std::string container = containerPath();
        std::string directory = accountDirectory(name);
        // A directory that is there already holds data of an earlier account of
        // that name: it is brought in as the new account's, after the active
        // account's data has been put away as usual.
        bool existed = isRealDirectory(directory);
        std::vector<AccountStep> steps;
        steps.push_back({ Kind::MakeDirectory, name, false, {}, existed, {} });
        if (!active.empty() && active != name && !container.empty()) {
            steps.push_back({ Kind::MoveOut, active, false, {}, false, movableContainerEntries(container) });
            if (existed)
                steps.push_back({ Kind::MoveIn, name, false, {}, false, {} });
            steps.push_back({ Kind::CreateFresh, std::nullopt, false, {}, false, {} });
        }
        auto list = storedNames();
        list.push_back(storedAccountName(name));
        steps.push_back({ Kind::Commit, name, false, {}, false, list });
        AccountJournal journal(container, std::move(steps));
        runOnQueue(journal, outcome);
        run(completion);
    });
    return outcome;
}

AccountOutcome TarvoManager::removeAccountForUsername(RefPtr<NSString> storedObject, Completion completion)
{
    std::string stored = str(storedObject.get());
    auto refuse = [&](std::string why) {
        run(completion);
        return AccountOutcome::refused(std::move(why));
    };
    if (!storedObject)
        return refuse("no account was named");
    auto list = storedNames();
    bool listed = std::find(list.begin(), list.end(), stored) != list.end();
    std::erase(list, stored);
    auto plain = plainAccountName(stored);
    auto activeObject = currentAccountName();
    std::optional<std::string> active = activeObject ? std::optional(activeObject->str()) : std::nullopt;
    AccountOutcome outcome;
    if (!plain || !isUsableAccountName(*plain)) {
        // An entry that stands for no usable name (a hand-edited domain) has
        // no directory and no data: it only leaves the list.
        if (!listed)
            return refuse("\"" + stored + "\" is not a stored account name");
        AccountJournal journal({}, { { Kind::Commit, active, false, {}, false, list } });
        runOnQueue(journal, outcome);
        run(completion);
        return outcome;
    }
    bool wasActive = active && *active == *plain;
    std::vector<std::string> candidates;
    if (wasActive) {
        if (auto problem = directoryProblem(*plain); !problem.empty())
            return refuse(problem + "; the active account's data would have nowhere to go");
        for (auto& entry : list) {
            auto name = plainAccountName(entry);
            if (name && isUsableAccountName(*name) && *name != *plain && canUseAccountDirectory(*name))
                candidates.push_back(*name);
        }
        if (candidates.empty() && !list.empty())
            return refuse("no remaining account can become the active one");
    }
    AccountJournal journal;
    m_serialQueue->sync([&] {
        std::vector<AccountStep> steps;
        std::string container;
        std::optional<std::string> nextActive = active;
        if (wasActive) {
            nextActive = std::nullopt;
            if (!candidates.empty()) {
                uint32_t random = std::random_device {}();
                std::string chosen = candidates[random % candidates.size()];
                nextActive = chosen;
                // The switch runs inside this turn of the queue.
                killInstagramWithCompletion(nullptr);
                container = containerPath();
                if (!container.empty()) {
                    steps.push_back({ Kind::MoveOut, *plain, true, {}, false, movableContainerEntries(container) });
                    steps.push_back({ Kind::MoveIn, chosen, false, {}, false, {} });
                }
            }
        }
        steps.push_back({ Kind::Commit, nextActive, false, {}, false, list });
        steps.push_back({ Kind::Discard, *plain, false, {}, false, {} });
        journal = AccountJournal(container, std::move(steps));
        stepEngine().run(journal, journal.steps().size() - 1, outcome);
    });
    if (outcome.status != AccountOutcome::Status::Undone)
        m_serialQueue->sync([&] { stepEngine().finish(journal, outcome); });
    run(completion);
    return outcome;
}

AccountOutcome TarvoManager::switchToAccount(RefPtr<NSString> nameObject, Completion completion)
{
    std::string name = str(nameObject.get());
    auto activeObject = currentAccountName();
    std::string active = str(activeObject.get());
    auto refuse = [&](std::string why) {
        run(completion);
        return AccountOutcome::refused(std::move(why));
    };
    if (!nameObject || !isUsableAccountName(name))
        return refuse("\"" + name + "\" cannot be an account name (it must be one path component)");
    if (activeObject && active != name) {
        if (auto problem = directoryProblem(active); !problem.empty())
            return refuse(problem + "; the active account's data would have nowhere to go");
    }
    // Never move data into or out of a link or a file.
    if (auto problem = directoryProblem(name); !problem.empty())
        return refuse(problem);
    AccountOutcome outcome;
    killInstagramWithCompletion([&] {
        if (activeObject && active == name) {
            outcome.status = AccountOutcome::Status::Unchanged;
            return;
        }
        std::string container = containerPath();
        std::vector<AccountStep> steps;
        if (!container.empty()) {
            if (activeObject)
                steps.push_back({ Kind::MoveOut, active, true, {}, false, movableContainerEntries(container) });
            steps.push_back({ Kind::MoveIn, name, false, {}, false, {} });
        }
        steps.push_back({ Kind::Commit, name, false, {}, false, storedNames() });
        AccountJournal journal(container, std::move(steps));
        runOnQueue(journal, outcome);
        run(completion);
    });
    return outcome;
}

AccountOutcome TarvoManager::renameAccount(RefPtr<NSString> fromObject, RefPtr<NSString> toObject)
{
    std::string from = str(fromObject.get());
    std::string to = str(toObject.get());
    if (!fromObject || !isUsableAccountName(from))
        return AccountOutcome::refused("\"" + from + "\" cannot be an account name (it must be one path component)");
    if (!toObject || !isUsableAccountName(to))
        return AccountOutcome::refused("\"" + to + "\" cannot be an account name (it must be one path component)");
    if (!hasAccountWithName(fromObject))
        return AccountOutcome::refused("there is no account named \"" + from + "\"");
    if (hasAccountWithName(toObject))
        return AccountOutcome::refused("there is already an account named \"" + to + "\"");
    if (!entryExists(accountDirectory(from)))
        return AccountOutcome::refused("the directory of \"" + from + "\" is missing");
    if (entryExists(accountDirectory(to)))
        return AccountOutcome::refused(accountDirectory(to) + " exists already");
    auto list = storedNames();
    auto old = std::find(list.begin(), list.end(), storedAccountName(from));
    if (old != list.end())
        *old = storedAccountName(to);
    auto activeObject = currentAccountName();
    std::optional<std::string> active = activeObject ? std::optional(activeObject->str()) : std::nullopt;
    if (active == from)
        active = to;
    AccountJournal journal({}, {
                                   { Kind::RenameDirectory, from, false, to, false, {} },
                                   { Kind::Commit, active, false, {}, false, list },
                               });
    AccountOutcome outcome;
    stepEngine().finish(journal, outcome);
    return outcome;
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
    return isUsableAccountName(plainName) && directoryProblem(plainName).empty();
}

std::string TarvoManager::directoryProblem(const std::string& plainName)
{
    std::string directory = accountDirectory(plainName);
    struct stat st;
    if (::lstat(directory.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return {};
    return "the directory place of \"" + plainName + "\" (" + Device::devicePath(directory) + ") holds " + (S_ISLNK(st.st_mode) ? "a link" : "something that is not a directory");
}

std::vector<std::string> TarvoManager::storedNames()
{
    std::vector<std::string> names;
    for (auto& entry : m_accounts->items())
        names.push_back(str(entry.get()));
    return names;
}

std::vector<std::string> TarvoManager::movableContainerEntries(const std::string& container)
{
    auto names = m_fm->contentsOfDirectoryAtPath(container).names;
    std::erase_if(names, [](const std::string& name) { return isFixedContainerEntry(name) || name == kKeptAsideFolder; });
    return names;
}

void TarvoManager::commit(const std::vector<std::string>& names, const std::optional<std::string>& active)
{
    std::vector<Ref<Object>> items;
    for (auto& name : names)
        items.push_back(ns(name));
    m_accounts->removeAllObjects();
    for (auto& item : items)
        m_accounts->addObject(item.get());
    m_settings->set(kAccountsKey, m_accounts.get());
    m_currentAccountName = active ? RefPtr<NSString>(ns(*active)) : nullptr;
    if (active)
        m_settings->set(kCurrentAccountKey, m_currentAccountName.get());
    else
        m_settings->remove(kCurrentAccountKey);
    // One write for both keys, so an interruption leaves both or neither.
    storeSettings();
}

AccountStepEngine TarvoManager::stepEngine()
{
    return AccountStepEngine({
        .fm = m_fm.get(),
        .accountDirectory = [this](const std::string& name) { return accountDirectory(name); },
        .commit = [this](const std::vector<std::string>& names, const std::optional<std::string>& active) { commit(names, active); },
        .journalFile = journalPath(),
    });
}

void TarvoManager::runOnQueue(AccountJournal& journal, AccountOutcome& outcome)
{
    auto engine = stepEngine();
    bool more = true;
    for (size_t step = 1; more && step <= journal.steps().size(); ++step)
        m_serialQueue->sync([&] { more = engine.run(journal, step, outcome); });
}

void TarvoManager::completeInterruptedOperation()
{
    AccountJournal::removeAbandonedWrites(journalPath());
    auto journal = AccountJournal::read(journalPath());
    if (!journal)
        return;
    // A half-exchanged container must not be in use while it is finished.
    if (AccountStepEngine::movesFiles(*journal))
        killInstagramWithCompletion(nullptr);
    AccountOutcome outcome;
    stepEngine().resume(*journal, outcome);
}

} // namespace igtarvo
