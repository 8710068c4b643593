#include "hosts/springboard/FBSystemGestureManager.h"
#include "platform/uikit/UIScreen.h"

namespace hosts::springboard {

using namespace platform;

OBJC_CLASS_DEFINE(FBSDisplay)
OBJC_CLASS_DEFINE(FBSystemGestureManager)

void FBSystemGestureManager::registerMethods(objc::ClassBuilder<FBSystemGestureManager>& b)
{
    b.classMethod<&FBSystemGestureManager::sharedInstance>("sharedInstance")
        .method<&FBSystemGestureManager::addGestureRecognizer>("addGestureRecognizer:toDisplay:");
}

FBSystemGestureManager* FBSystemGestureManager::sharedInstance()
{
    static FBSystemGestureManager* manager = objc::make<FBSystemGestureManager>().leak();
    return manager;
}

FBSDisplay* FBSystemGestureManager::mainDisplay()
{
    static FBSDisplay* display = objc::make<FBSDisplay>().leak();
    return display;
}

void FBSystemGestureManager::addGestureRecognizer(UIGestureRecognizer* recognizer, id display)
{
    if (!recognizer || display != mainDisplay())
        return;
    m_recognizers.emplace_back(*recognizer);
    if (m_touchWindow)
        m_touchWindow->addGestureRecognizer(recognizer);
}

namespace {
RefPtr<Object> screenDisplay(id, objc::SEL) { return RefPtr<Object>(FBSystemGestureManager::mainDisplay()); }
}

void registerFrontBoardScreenAddition()
{
    objc::class_addMethod(UIScreen::staticClass(), objc::sel_registerName("fbsDisplay"),
        reinterpret_cast<objc::IMP>(&screenDisplay), objc::impEncoding(&screenDisplay));
}

} // namespace hosts::springboard
