#pragma once
// What every class of the process answers, and with which implementation, at
// one moment: compared before and after the system loads, it tells what the
// system changed.

#include "platform/objc/Runtime.h"

#include <map>
#include <string>
#include <vector>

namespace hosts {

class ClassSnapshot {
public:
    static ClassSnapshot take();

    // "Class selector replaced" where a class answered the selector before (its
    // own method or an inherited one) and now runs another implementation;
    // "Class selector added" where it did not answer it before. Classes that
    // did not exist before are not reported. Sorted by class, then selector.
    std::vector<std::string> changesSince(const ClassSnapshot& before) const;

private:
    std::map<std::string, std::map<std::string, objc::IMP>> m_classes;
};

} // namespace hosts
