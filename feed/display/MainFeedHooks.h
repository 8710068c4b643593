#pragma once
// The main feed: its refresh button always shown, the direct-message inbox
// reloaded whenever the feed is about to appear, and a bar button that
// switches the feed between its two layouts. Main thread.

#include "core/Hooking.h"

namespace igtarvo {

// The bar button's pictures, from Instagram's own bundle.
inline constexpr const char* kLayoutGridIcon = "feedtoggle-grid-icon";
inline constexpr const char* kLayoutListIcon = "feedtoggle-list-icon";

// IGMainFeedViewController showRefreshButton: always yes; Instagram's is never asked.
// IGMainFeedViewController setShowRefreshButton:: Instagram's, always with yes.
// IGMainFeedViewController viewWillAppear:: reloads the inbox, then Instagram's.
// IGMainFeedViewController viewDidLoad: Instagram's, then asks for the
// navigation item so that the layout button is in place early.
// IGMainFeedViewController navigationItem: Instagram's item; the first one
// asked for in the process gets the layout button (grid picture) on its left.
// IGMainFeedViewController tarvo_changeLayout: (added): layout 1 becomes 2
// with the list picture, anything else 1 with the grid picture.
HookRows mainFeedRows();

// Whether the layout button has been placed in this process (never cleared).
bool layoutButtonPlaced();

} // namespace igtarvo
