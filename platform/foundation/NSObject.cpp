#include "platform/foundation/NSObject.h"
#include "platform/foundation/NSString.h"

namespace platform {

bool isEqual(id a, id b)
{
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    return objc::send<bool(id)>(a, "isEqual:", b);
}

namespace {
// Key-value reading on every object: a named private field, else a getter of
// that name answering an object, else nil.
RefPtr<Object> valueForKey(id self, objc::SEL, id key)
{
    std::string name = str(key);
    if (objc::Ivar ivar = objc::class_getInstanceVariable(self->isa(), name.c_str()))
        return objc::object_getIvar(self, ivar);
    objc::SEL getter = objc::sel_registerName(name.c_str());
    objc::Method m = objc::class_getInstanceMethod(self->isa(), getter);
    if (m && objc::method_getTypeEncoding(m) == objc::signatureEncoding<RefPtr<Object>>())
        return objc::send<RefPtr<Object>>(self, getter);
    return nullptr;
}

RefPtr<Object> describe(id self, objc::SEL)
{
    return ns(std::string("<") + objc::object_getClassName(self) + ">");
}

// The root class's key-value read and description, foundation's category on
// NSObject.
void addNSObjectKeyValueCategory()
{
    objc::Class root = NSObject::staticClass();
    objc::class_addMethod(root, objc::sel_registerName("valueForKey:"), reinterpret_cast<objc::IMP>(&valueForKey), objc::impEncoding(&valueForKey));
    objc::class_addMethod(root, objc::sel_registerName("description"), reinterpret_cast<objc::IMP>(&describe), objc::impEncoding(&describe));
}
}

OBJC_CATEGORY_LOAD(NSObjectKeyValue, &addNSObjectKeyValueCategory)

} // namespace platform
