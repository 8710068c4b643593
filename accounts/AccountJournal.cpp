#include "accounts/AccountJournal.h"
#include "platform/foundation/PropertyList.h"

#include <cstdio>
#include <map>

namespace igtarvo {

using namespace platform;

namespace {

const std::map<AccountStep::Kind, std::string>& kindNames()
{
    static const std::map<AccountStep::Kind, std::string> names = {
        { AccountStep::Kind::MoveOut, "moveOut" },
        { AccountStep::Kind::MoveIn, "moveIn" },
        { AccountStep::Kind::CreateFresh, "createFresh" },
        { AccountStep::Kind::Activate, "activate" },
        { AccountStep::Kind::Discard, "discard" },
        { AccountStep::Kind::RenameDirectory, "renameDirectory" },
        { AccountStep::Kind::RenameEntry, "renameEntry" },
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
        entry->set("kind", ns(kindNames().at(step.kind)));
        if (step.account)
            entry->set("account", ns(*step.account));
        entry->set("clear", NSNumber::numberWithBool(step.clear));
        if (!step.newName.empty())
            entry->set("newName", ns(step.newName));
        steps.push_back(entry);
    }
    auto journal = NSDictionary::create({
        { "container", ns(m_container) },
        { "steps", NSArray::create(std::move(steps)) },
        { "next", NSNumber::numberWithInteger(long(m_next)) },
    });
    return writePropertyListFile(journal, file, PropertyListFormat::Binary);
}

std::optional<AccountJournal> AccountJournal::read(const std::string& file)
{
    NSDictionary* journal = nullptr;
    auto plist = readPropertyListFile(file);
    if (!(journal = asDictionary(plist)))
        return std::nullopt;
    auto steps = journal->get("steps");
    auto next = journal->get("next");
    if (!objc::object_isKindOfClass(steps, NSArray::staticClass()) || !objc::object_isKindOfClass(next, NSNumber::staticClass()))
        return std::nullopt;
    AccountJournal result;
    result.m_container = str(journal->get("container"));
    for (auto& item : static_cast<NSArray*>(steps.get())->items()) {
        NSDictionary* entry = asDictionary(item.get());
        auto kind = entry ? kindNamed(str(entry->get("kind"))) : std::nullopt;
        if (!kind)
            return std::nullopt;
        AccountStep step { *kind, std::nullopt, false, {} };
        if (auto account = entry->get("account"); isString(account))
            step.account = str(account);
        if (auto clear = entry->get("clear"); objc::object_isKindOfClass(clear, NSNumber::staticClass()))
            step.clear = static_cast<NSNumber*>(clear.get())->boolValue();
        step.newName = str(entry->get("newName"));
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

} // namespace igtarvo
