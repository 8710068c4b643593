#include "feed/display/TimestampHooks.h"

#include "core/InstagramSurface.h"
#include "feed/display/TarvoTimestamp.h"
#include "settings/TarvoSettings.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"

#include <array>

namespace igtarvo {

using namespace platform;

namespace {

// The text for a date, or nil when there is no date or the person switched
// exact times off: Instagram's own text then stays. The switch is read at
// each use, so a change shows on the next label the feed asks for.
RefPtr<NSString> textFor(id date)
{
    if (!TarvoSettings::boolForKey(kExactPostTimesSetting, true))
        return nullptr;
    std::string text = TarvoTimestamp::combinedTextForDate(date);
    return text.empty() ? nullptr : RefPtr<NSString>(ns(text));
}

void setLabelText(id label, id date)
{
    if (!objc::object_isKindOfClass(label, UILabel::staticClass()))
        return;
    if (auto text = textFor(date))
        static_cast<UILabel*>(label)->setText(text.get());
}

// Whether the cell sits in one of the screens that show their own time: its
// delegate is such a controller, or the controller is the next responder
// of the cell's superview's superview.
bool belongsToScreenWithOwnTime(id cell)
{
    static const std::array<Class, 3> screens = {
        objc::objc_getClass("IGMainFeedViewController"),
        objc::objc_getClass("IGUserDetailViewController"),
        objc::objc_getClass("IGSingleFeedViewController"),
    };
    RefPtr<Object> delegate = instagram::delegate(cell);
    RefPtr<Object> responder;
    if (objc::object_isKindOfClass(cell, UIView::staticClass())) {
        auto outer = static_cast<UIView*>(cell)->superview();
        auto outermost = outer ? outer->superview() : nullptr;
        if (outermost)
            responder = outermost->nextResponder();
    }
    for (Class screen : screens) {
        if (!screen)
            continue;
        if (objc::object_isKindOfClass(delegate, screen) || objc::object_isKindOfClass(responder, screen))
            return true;
    }
    return false;
}

} // namespace

namespace {

Previous<RefPtr<Object>()> g_IGFeedItemHeader_timestampLabel;
Previous<RefPtr<Object>()> g_IGFeedItemHeader_timestampButton;
Previous<RefPtr<Object>()> g_IGTimeStampHeaderView_timestampLabel;
Previous<RefPtr<Object>()> g_IGFeedItemTextCell_timeStampLabel;

RefPtr<Object> IGFeedItemHeader_timestampLabel(id self, SEL _cmd)
{
    RefPtr<Object> label = g_IGFeedItemHeader_timestampLabel(self, _cmd);
    setLabelText(label.get(), instagram::takenAt(instagram::feedItem(self).get()).get());
    return label;
}

RefPtr<Object> IGFeedItemHeader_timestampButton(id self, SEL _cmd)
{
    RefPtr<Object> button = g_IGFeedItemHeader_timestampButton(self, _cmd);
    if (objc::object_isKindOfClass(button, UIButton::staticClass())) {
        if (auto text = textFor(instagram::takenAt(instagram::feedItem(self).get()).get()))
            static_cast<UIButton*>(button.get())->setTitle(text.get(), UIControlStateNormal);
    }
    return button;
}

RefPtr<Object> IGTimeStampHeaderView_timestampLabel(id self, SEL _cmd)
{
    RefPtr<Object> label = g_IGTimeStampHeaderView_timestampLabel(self, _cmd);
    setLabelText(label.get(), instagram::timestamp(self).get());
    return label;
}

RefPtr<Object> IGFeedItemTextCell_timeStampLabel(id self, SEL _cmd)
{
    RefPtr<Object> label = g_IGFeedItemTextCell_timeStampLabel(self, _cmd);
    RefPtr<Object> date = instagram::takenAt(instagram::feedItem(self).get());
    if (!instagram::answersCellType(self)) {
        setLabelText(label.get(), date.get());
        return label;
    }
    auto* view = objc::dynamicCast<UIView>(label.get());
    if (belongsToScreenWithOwnTime(self)) {
        if (view)
            view->setHidden(true);
        instagram::setShowTimeStamp(self, false);
    } else if (instagram::cellType(self) == 0) {
        if (view)
            view->setHidden(false);
        instagram::setShowTimeStamp(self, true);
        setLabelText(label.get(), date.get());
    }
    return label;
}

} // namespace

HookRows postTimeHeaderRows()
{
    return {
        replaced<g_IGFeedItemHeader_timestampLabel, &IGFeedItemHeader_timestampLabel>(kInstagramProcess, "IGFeedItemHeader", "timestampLabel"),
        replaced<g_IGFeedItemHeader_timestampButton, &IGFeedItemHeader_timestampButton>(kInstagramProcess, "IGFeedItemHeader", "timestampButton"),
        replaced<g_IGTimeStampHeaderView_timestampLabel, &IGTimeStampHeaderView_timestampLabel>(kInstagramProcess, "IGTimeStampHeaderView", "timestampLabel"),
    };
}

HookRows postTimeTextCellRows()
{
    return {
        replaced<g_IGFeedItemTextCell_timeStampLabel, &IGFeedItemTextCell_timeStampLabel>(kInstagramProcess, "IGFeedItemTextCell", "timeStampLabel"),
    };
}

} // namespace igtarvo
