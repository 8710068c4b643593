#include "apps/hosts/ClassSnapshot.h"

namespace hosts {

ClassSnapshot ClassSnapshot::take()
{
    ClassSnapshot snapshot;
    for (objc::Class cls : objc::objc_copyClassList()) {
        auto& answered = snapshot.m_classes[objc::class_getName(cls)];
        for (objc::Class c = cls; c; c = objc::class_getSuperclass(c)) {
            for (objc::Method m : objc::class_copyMethodList(c)) {
                const char* sel = objc::sel_getName(objc::method_getName(m));
                if (!answered.count(sel))
                    answered[sel] = objc::class_getMethodImplementation(cls, objc::method_getName(m));
            }
        }
    }
    return snapshot;
}

std::vector<std::string> ClassSnapshot::changesSince(const ClassSnapshot& before) const
{
    std::vector<std::string> changes;
    for (auto& [cls, now] : m_classes) {
        auto old = before.m_classes.find(cls);
        if (old == before.m_classes.end())
            continue;
        for (auto& [sel, imp] : now) {
            auto was = old->second.find(sel);
            if (was == old->second.end())
                changes.push_back(cls + " " + sel + " added");
            else if (was->second != imp)
                changes.push_back(cls + " " + sel + " replaced");
        }
    }
    return changes;
}

} // namespace hosts
