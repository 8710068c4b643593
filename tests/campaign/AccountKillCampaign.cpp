// The kill campaign: account operations (add, switch, rename, remove) run by
// the igtarvo command on a device whose accounts hold many entries, each
// killed with SIGKILL at a random moment; after each, the next manager (the
// command's "accounts list") finishes what was cut short, and the invariant is
// checked:
//
//   - the list and the active account are the state before the operation or
//     the state after it, never a mixture; the active account is listed;
//   - every data entry exists exactly once, in the container when its account
//     is active and in its account's directory otherwise (entries of a
//     removed account are all gone or all there);
//   - no file outside the container and the account directories changed.
//
// Usage: account_kill_campaign --igtarvo PATH [--trials N] [--seed S]
//        [--other-fs DIR]   (put the account directories on DIR's file system)
// Prints "N of N held" and exits 0 when the invariant held after every trial.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Options {
    std::string igtarvo;
    int trials = 50;
    unsigned seed = 0;
    std::string otherFileSystem;
};

struct Run {
    int status = -1;
    std::string out;
    bool killed = false;
    double seconds = 0;
};

// Runs igtarvo with arguments; kills it after `killAfter` when given.
Run runCommand(const Options& options, std::vector<std::string> args, std::optional<std::chrono::microseconds> killAfter = std::nullopt)
{
    Run run;
    args.insert(args.begin(), "igtarvo");
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    char outName[] = "/tmp/igtarvo-campaign-out-XXXXXX";
    int outFd = ::mkstemp(outName);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    auto start = Clock::now();
    if (posix_spawn(&pid, options.igtarvo.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        ::close(outFd);
        ::unlink(outName);
        return run;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (killAfter) {
        auto deadline = start + *killAfter;
        while (Clock::now() < deadline) {
            if (::waitpid(pid, &status, WNOHANG) == pid)
                break;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        if (::waitpid(pid, &status, WNOHANG) == 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
        }
    } else {
        ::waitpid(pid, &status, 0);
    }
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(outName);
    std::stringstream text;
    text << in.rdbuf();
    run.out = text.str();
    ::close(outFd);
    ::unlink(outName);
    return run;
}

// The strings of a JSON text in order (names hold no quotes or escapes here).
std::vector<std::string> jsonStrings(const std::string& text)
{
    std::vector<std::string> strings;
    for (size_t at = 0; (at = text.find('"', at)) != std::string::npos;) {
        size_t end = text.find('"', at + 1);
        if (end == std::string::npos)
            break;
        strings.push_back(text.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    return strings;
}

struct AccountState {
    std::vector<std::string> accounts;
    std::optional<std::string> current;
    bool operator==(const AccountState&) const = default;
};

std::optional<AccountState> parseList(const std::string& json)
{
    // {"accounts": ["A", "B"], "current": "A" | null}
    auto open = json.find('[');
    auto close = json.find(']');
    if (open == std::string::npos || close == std::string::npos)
        return std::nullopt;
    AccountState state;
    state.accounts = jsonStrings(json.substr(open, close - open + 1));
    auto rest = json.substr(close);
    auto names = jsonStrings(rest);
    if (names.size() == 2 && names[0] == "current")
        state.current = names[1];
    else if (rest.find("null") == std::string::npos)
        return std::nullopt;
    return state;
}

std::string describe(const AccountState& state)
{
    std::string text = "[";
    for (auto& a : state.accounts)
        text += (text.size() > 1 ? "," : "") + a;
    return text + "] current " + state.current.value_or("(none)");
}

const std::set<std::string> kFixed { "iTunesMetadata.plist", "iTunesArtwork", ".com.apple.mobile_container_manager.metadata.plist" };

class Campaign {
public:
    explicit Campaign(Options options) : m_options(std::move(options)), m_random(m_options.seed) { }

    bool setUp()
    {
        char pattern[] = "/tmp/igtarvo-campaign-XXXXXX";
        m_root = ::mkdtemp(pattern);
        fs::remove_all(m_root);
        if (runCommand(m_options, { "--root", m_root, "device", "create" }).status != 0)
            return false;
        auto info = jsonStrings(runCommand(m_options, { "--root", m_root, "device", "info", "--json" }).out);
        for (size_t i = 0; i + 1 < info.size(); ++i) {
            if (info[i] == "dataContainer")
                m_container = info[i + 1];
            if (info[i] == "accountsDir")
                m_accountsDir = info[i + 1];
        }
        if (m_container.empty() || m_accountsDir.empty())
            return false;
        if (!m_options.otherFileSystem.empty()) {
            char other[4096];
            std::snprintf(other, sizeof other, "%s/igtarvo-campaign-XXXXXX", m_options.otherFileSystem.c_str());
            m_otherDir = ::mkdtemp(other);
            fs::create_directories(fs::path(m_accountsDir).parent_path());
            fs::create_symlink(m_otherDir, m_accountsDir);
        }
        // The live data: Default's entries only.
        for (auto& entry : fs::directory_iterator(m_container)) {
            if (!kFixed.count(entry.path().filename().string()))
                fs::remove_all(entry.path());
        }
        m_state = { { "Default" }, "Default" };
        fill("Default", 300);
        auto listed = runCommand(m_options, { "--root", m_root, "accounts", "list", "--json" });
        return parseList(listed.out) == m_state;
    }

    ~Campaign()
    {
        std::error_code ec;
        if (!m_root.empty())
            fs::remove_all(m_root, ec);
        if (!m_otherDir.empty())
            fs::remove_all(m_otherDir, ec);
    }

    // One operation, killed at a random moment; answers whether the invariant held.
    bool trial(int number)
    {
        auto [args, kind, predicted] = chooseOperation();
        auto outside = outsideState();
        auto before = m_state;
        double expected = m_duration.count(kind) ? m_duration[kind] : 0.3;
        std::uniform_real_distribution<double> moment(0.0, expected * 1.1);
        auto delay = std::chrono::microseconds(long(moment(m_random) * 1e6));
        std::vector<std::string> full { "--root", m_root, "accounts" };
        full.insert(full.end(), args.begin(), args.end());
        auto run = runCommand(m_options, full, delay);
        if (run.killed)
            ++m_killed;
        else if (run.status != 0)
            return fail(number, args, "the operation failed without being killed (status " + std::to_string(run.status) + ")");
        else
            m_duration[kind] = run.seconds;

        auto listed = runCommand(m_options, { "--root", m_root, "accounts", "list", "--json" });
        auto after = parseList(listed.out);
        if (listed.status != 0 || !after)
            return fail(number, args, "the next manager did not list the accounts");
        if (after->current && std::find(after->accounts.begin(), after->accounts.end(), *after->current) == after->accounts.end())
            return fail(number, args, "the active account is not listed: " + describe(*after));
        bool happened = predicted(*after);
        if (!happened && !(*after == before))
            return fail(number, args, "a half state: " + describe(*after) + " (before: " + describe(before) + ")");
        if (happened)
            applyToTokens(args, before, *after);
        m_state = *after;
        if (fs::exists(m_accountsDir + ".journal"))
            return fail(number, args, "the journal is still there after recovery");
        std::error_code ec;
        for (auto& entry : fs::directory_iterator(fs::path(m_accountsDir).parent_path(), ec)) {
            if (entry.path().filename().string().starts_with("igTarvo.journal"))
                return fail(number, args, "a journal file is still there after recovery: " + entry.path().string());
        }
        if (auto problem = checkTokens(); !problem.empty())
            return fail(number, args, problem);
        if (auto now = outsideState(); now != outside) {
            std::vector<std::string> changed;
            std::set_symmetric_difference(outside.begin(), outside.end(), now.begin(), now.end(), std::back_inserter(changed));
            return fail(number, args, "a file outside the account folders changed: " + changed.front());
        }
        // The active account uses its data: new entries, sometimes many.
        if (m_state.current)
            fill(*m_state.current, m_random() % 4 == 0 ? 800 : int(m_random() % 40));
        return true;
    }

    int killed() const { return m_killed; }

private:
    bool fail(int number, const std::vector<std::string>& args, const std::string& why)
    {
        std::string op;
        for (auto& a : args)
            op += " " + a;
        std::fprintf(stderr, "trial %d (accounts%s): %s\n", number, op.c_str(), why.c_str());
        return false;
    }

    std::string directoryOf(const std::string& account) { return m_accountsDir + "/" + account; }

    // Adds `count` entries to the account's live data; every fifth is a
    // directory with a file in it. Each file holds its token.
    void fill(const std::string& account, int count)
    {
        for (int i = 0; i < count; ++i) {
            int token = m_nextToken++;
            std::string name = "e-" + std::to_string(token);
            std::string file = m_container + "/" + name;
            if (token % 5 == 0) {
                fs::create_directory(file);
                file += "/inner";
            }
            std::ofstream(file) << "T" << token;
            m_owner[token] = account;
        }
    }

    struct Choice {
        std::vector<std::string> args;
        std::string kind;
        std::function<bool(const AccountState&)> happened;
    };

    Choice chooseOperation()
    {
        auto& names = m_state.accounts;
        auto pick = [&](bool notActive) -> std::optional<std::string> {
            std::vector<std::string> candidates;
            for (auto& n : names) {
                if (!notActive || n != m_state.current)
                    candidates.push_back(n);
            }
            if (candidates.empty())
                return std::nullopt;
            return candidates[m_random() % candidates.size()];
        };
        for (;;) {
            switch (m_random() % 4) {
            case 0: {
                if (names.size() >= 5)
                    continue;
                std::string name = "A" + std::to_string(m_nextName++);
                AccountState after = m_state;
                after.accounts.push_back(name);
                after.current = name;
                return { { "add", name }, "add", [after](const AccountState& s) { return s == after; } };
            }
            case 1: {
                auto target = pick(true);
                if (!target)
                    continue;
                AccountState after = m_state;
                after.current = *target;
                return { { "switch", *target }, "switch", [after](const AccountState& s) { return s == after; } };
            }
            case 2: {
                auto target = pick(false);
                std::string name = "R" + std::to_string(m_nextName++);
                AccountState after = m_state;
                std::replace(after.accounts.begin(), after.accounts.end(), *target, name);
                if (after.current == *target)
                    after.current = name;
                return { { "rename", *target, name }, "rename", [after](const AccountState& s) { return s == after; } };
            }
            case 3: {
                if (names.size() < 2)
                    continue;
                auto target = pick(false);
                std::vector<std::string> rest = names;
                std::erase(rest, *target);
                bool active = m_state.current == *target;
                auto current = m_state.current;
                return { { "remove", *target }, "remove", [rest, active, current](const AccountState& s) {
                            if (s.accounts != rest)
                                return false;
                            if (!active)
                                return s.current == current;
                            return s.current && std::find(rest.begin(), rest.end(), *s.current) != rest.end();
                        } };
            }
            }
        }
    }

    void applyToTokens(const std::vector<std::string>& args, const AccountState&, const AccountState&)
    {
        if (args[0] == "rename") {
            for (auto& [token, owner] : m_owner) {
                if (owner == args[1])
                    owner = args[2];
            }
        } else if (args[0] == "remove") {
            std::erase_if(m_owner, [&](const auto& item) { return item.second == args[1]; });
        }
    }

    // Where every token is: "container" or an account's name.
    std::string checkTokens()
    {
        std::map<int, std::vector<std::string>> found;
        std::vector<std::string> strays;
        auto scan = [&](const std::string& directory, const std::string& place, bool top) {
            std::error_code ec;
            for (auto it = fs::recursive_directory_iterator(directory, ec); it != fs::recursive_directory_iterator(); it.increment(ec)) {
                std::string relative = fs::relative(it->path(), directory).string();
                if (top && kFixed.count(relative)) {
                    it.disable_recursion_pending();
                    continue;
                }
                if (it->is_symlink()) {
                    strays.push_back(it->path().string());
                    continue;
                }
                if (!it->is_regular_file())
                    continue;
                std::ifstream in(it->path());
                std::string text;
                in >> text;
                if (text.size() < 2 || text[0] != 'T') {
                    strays.push_back(it->path().string());
                    continue;
                }
                found[std::stoi(text.substr(1))].push_back(place);
            }
        };
        scan(m_container, "container", true);
        std::error_code ec;
        for (auto& entry : fs::directory_iterator(m_accountsDir, ec)) {
            std::string name = entry.path().filename().string();
            if (!entry.is_directory() || entry.is_symlink()) {
                strays.push_back(entry.path().string());
                continue;
            }
            if (std::find(m_state.accounts.begin(), m_state.accounts.end(), name) == m_state.accounts.end()) {
                if (!fs::is_empty(entry.path()))
                    return "a directory of no listed account holds data: " + name;
                continue;
            }
            scan(entry.path().string(), name, false);
        }
        if (!strays.empty())
            return "an entry that is no account data: " + strays.front();
        for (auto& [token, owner] : m_owner) {
            auto it = found.find(token);
            std::string expected = owner == m_state.current ? "container" : owner;
            if (it == found.end())
                return "entry " + std::to_string(token) + " of " + owner + " is lost";
            if (it->second.size() != 1)
                return "entry " + std::to_string(token) + " of " + owner + " exists " + std::to_string(it->second.size()) + " times";
            if (it->second[0] != expected)
                return "entry " + std::to_string(token) + " of " + owner + " is in " + it->second[0] + ", not in " + expected;
        }
        for (auto& [token, places] : found) {
            if (!m_owner.count(token))
                return "entry " + std::to_string(token) + " of a removed account is still in " + places[0];
        }
        return {};
    }

    // Every file of the device outside the container, the account
    // directories and what the system writes as it runs (logs, process
    // records, the preference domain, the journal).
    std::vector<std::string> outsideState()
    {
        std::vector<std::string> state;
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(m_root, ec); it != fs::recursive_directory_iterator(); it.increment(ec)) {
            std::string path = it->path().string();
            std::string relative = fs::relative(it->path(), m_root).string();
            if (path == m_container || path == m_accountsDir || relative.starts_with("var/log") || relative.starts_with("var/run")
                || relative.starts_with("tmp") || path == m_accountsDir + ".journal" || it->path().filename().string().starts_with("com.zr4.igtarvo.plist")) {
                it.disable_recursion_pending();
                continue;
            }
            struct stat st;
            if (::lstat(path.c_str(), &st) != 0)
                continue;
            // A directory's own times change when the system writes its files
            // beside it (the domain, the journal); its entries are listed here.
            std::string what = S_ISDIR(st.st_mode) ? "directory" : std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
            state.push_back(relative + " " + std::to_string(st.st_mode) + " " + what);
        }
        std::sort(state.begin(), state.end());
        return state;
    }

    Options m_options;
    std::mt19937 m_random;
    std::string m_root, m_container, m_accountsDir, m_otherDir;
    AccountState m_state;
    std::map<int, std::string> m_owner;
    std::map<std::string, double> m_duration;
    int m_nextToken = 0;
    int m_nextName = 1;
    int m_killed = 0;
};

} // namespace

int main(int argc, char** argv)
{
    Options options;
    options.seed = unsigned(std::random_device {}());
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (arg == "--igtarvo")
            options.igtarvo = value();
        else if (arg == "--trials")
            options.trials = std::atoi(value().c_str());
        else if (arg == "--seed")
            options.seed = unsigned(std::strtoul(value().c_str(), nullptr, 10));
        else if (arg == "--other-fs")
            options.otherFileSystem = value();
        else {
            std::fprintf(stderr, "account_kill_campaign: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    if (options.igtarvo.empty() || options.trials <= 0) {
        std::fprintf(stderr, "usage: account_kill_campaign --igtarvo PATH [--trials N] [--seed S] [--other-fs DIR]\n");
        return 2;
    }
    if (!options.otherFileSystem.empty()) {
        struct stat here, there;
        if (::stat("/tmp", &here) != 0 || ::stat(options.otherFileSystem.c_str(), &there) != 0 || here.st_dev == there.st_dev) {
            std::printf("no other file system at %s; the campaign runs on one\n", options.otherFileSystem.c_str());
            options.otherFileSystem.clear();
        }
    }
    Campaign campaign(options);
    if (!campaign.setUp()) {
        std::fprintf(stderr, "account_kill_campaign: could not lay out the device\n");
        return 1;
    }
    int held = 0;
    for (int i = 1; i <= options.trials; ++i) {
        if (!campaign.trial(i))
            break;
        ++held;
    }
    std::printf("%d of %d held (%d killed mid-operation; seed %u%s)\n", held, options.trials, campaign.killed(), options.seed,
        options.otherFileSystem.empty() ? "" : ", account directories on another file system");
    return held == options.trials ? 0 : 1;
}
