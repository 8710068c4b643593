#include "accounts/AccountJournal.h"
#include "platform/foundation/PropertyList.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <map>

namespace igtarvo {

using namespace platform;

namespace {

const std::map<AccountStep::Kind, std::string>& kindNames()
{
    static const std::map<AccountStep::Kind, std::string> names = {
        { AccountStep::Kind::MakeDirectory, "makeDirectory" },
        { AccountStep::Kind::MoveOut, "moveOut" },
        { AccountStep::Kind::MoveIn, "moveIn" },
        { AccountStep::Kind::CreateFresh, "createFresh" },
        { AccountStep::Kind::Commit, "commit" },
        { AccountStep::Kind::Discard, "discard" },
        { AccountStep::Kind::RenameDirectory, "renameDirectory" },
    };
    return names;
}

std::optional<AccountStep::Kind> kindNamed(const std::string& name)
{
    for (auto& [kind, text] : kindNames()) {
        if (text == name)
            return kind;
    }
    return std::nullopt;
}

NSDictionary* asDictionary(id object)
{
    return objc::dynamicCast<NSDictionary>(object);
}

bool readBool(NSDictionary* entry, const char* key)
{
    auto value = entry->get(key);
    return objc::object_isKindOfClass(value, NSNumber::staticClass()) && static_cast<NSNumber*>(value.get())->boolValue();
}

// The strings of an array; nullopt when it is not an array of strings.
std::optional<std::vector<std::string>> readNames(id value)
{
    std::vector<std::string> names;
    if (!value)
        return names;
    if (!objc::object_isKindOfClass(value, NSArray::staticClass()))
        return std::nullopt;
    for (auto& item : static_cast<NSArray*>(value)->items()) {
        if (!isString(item.get()))
            return std::nullopt;
        names.push_back(str(item.get()));
    }
    return names;
}

} // namespace

std::string AccountJournal::pathFor(const std::string& baseDirectory)
{
    std::string base = baseDirectory;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base + ".journal";
}

bool AccountJournal::write(const std::string& file) const
{
    std::vector<Ref<Object>> steps;
    for (auto& step : m_steps) {
        auto entry = NSMutableDictionary::create();
        entry->set("kind", ns(kindNames().at(step.kind)).get());
        if (step.account)
            entry->set("account", ns(*step.account).get());
        entry->set("clear", NSNumber::numberWithBool(step.clear).get());
        if (!step.newName.empty())
            entry->set("newName", ns(step.newName).get());
        entry->set("existed", NSNumber::numberWithBool(step.existed).get());
        std::vector<Ref<Object>> names;
        for (auto& name : step.names)
            names.push_back(ns(name));
        entry->set("names", NSArray::create(std::move(names)).get());
        steps.push_back(entry);
    }
    auto journal = NSDictionary::create({
        { "container", ns(m_container) },
        { "steps", NSArray::create(std::move(steps)) },
        { "next", NSNumber::numberWithInteger(long(m_next)) },
        { "undoing", NSNumber::numberWithBool(m_undoing) },
        { "started", NSNumber::numberWithBool(m_started) },
    });
    return writePropertyListFile(journal, file, PropertyListFormat::Binary);
}

std::optional<AccountJournal> AccountJournal::read(const std::string& file)
{
    NSDictionary* journal = nullptr;
    auto plist = readPropertyListFile(file);
    if (!(journal = asDictionary(plist.get())))
        return std::nullopt;
    auto steps = journal->get("steps");
    auto next = journal->get("next");
    if (!objc::object_isKindOfClass(steps, NSArray::staticClass()) || !objc::object_isKindOfClass(next, NSNumber::staticClass()))
        return std::nullopt;
    AccountJournal result;
    result.m_container = str(journal->get("container"));
    result.m_undoing = readBool(journal, "undoing");
    result.m_started = readBool(journal, "started");
    for (auto& item : static_cast<NSArray*>(steps.get())->items()) {
        NSDictionary* entry = asDictionary(item.get());
        auto kind = entry ? kindNamed(str(entry->get("kind"))) : std::nullopt;
        if (!kind)
            return std::nullopt;
        AccountStep step { *kind, std::nullopt, false, {}, false, {} };
        if (auto account = entry->get("account"); isString(account))
            step.account = str(account);
        step.clear = readBool(entry, "clear");
        step.existed = readBool(entry, "existed");
        step.newName = str(entry->get("newName"));
        auto names = readNames(entry->get("names").get());
        if (!names)
            return std::nullopt;
        step.names = std::move(*names);
        result.m_steps.push_back(std::move(step));
    }
    long position = static_cast<NSNumber*>(next.get())->integerValue();
    if (position < 0 || size_t(position) > result.m_steps.size())
        return std::nullopt;
    result.m_next = size_t(position);
    return result;
}

void AccountJournal::finish(const std::string& file)
{
    std::remove(file.c_str());
}

void AccountJournal::removeAbandonedWrites(const std::string& file)
{
    // A write goes to "<file>.tmp.<pid>-<n>" and is renamed over the file; a
    // process ended before the rename leaves its temporary file behind.
    auto slash = file.rfind('/');
    std::string directory = slash == std::string::npos ? "." : file.substr(0, slash);
    std::string prefix = file.substr(slash == std::string::npos ? 0 : slash + 1) + ".tmp.";
    DIR* dir = ::opendir(directory.c_str());
    if (!dir)
        return;
    std::vector<std::string> abandoned;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (!name.starts_with(prefix))
            continue;
        unsigned long pid = 0;
        if (std::sscanf(name.c_str() + prefix.size(), "%lu", &pid) != 1 || pid == 0)
            continue;
        if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            abandoned.push_back(directory + "/" + name);
    }
    ::closedir(dir);
    for (auto& path : abandoned)
        std::remove(path.c_str());
}

} // namespace igtarvo
