#pragma once
// Tappable links in post texts. After Instagram lays out a core text view,
// the view's text is searched for links off the main thread and the links
// are marked blue and underlined with their address; a tap on a link opens
// its address outside Instagram, except Instagram's own addresses.

#include "core/Hooking.h"
#include "platform/uikit/UIGeometry.h"

namespace igtarvo {

// IGCoreTextView setFrame:. Calls Instagram's, then, when the view has a
// styled string, searches a copy of its text on a global queue and marks the
// links on the main queue, where the view then takes its styled string anew
// and is redrawn. Marks are applied only while the view still shows the
// same text that was searched.
HookRows linkMarkingRows();

// IGFeedItemTextCell coreTextView:didTapOnString:URL:. Instagram handles its
// own "instagram://" addresses (and taps without an address); any other
// address is opened by the application, completed with "mailto://" or
// "http://" when it has no scheme. Main thread.
HookRows linkTapRows();

} // namespace igtarvo
