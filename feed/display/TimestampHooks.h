#pragma once
// The feed's post times: four getters of Instagram's views answer their
// label or button with the exact time and the age ("03/05/16 4:07 PM (2h)")
// as text. Each calls Instagram's getter first and answers what it answered.
// Main thread.

#include "core/Hooking.h"

namespace igtarvo {

// IGFeedItemHeader timestampLabel: the label shows the header's post time.
// IGFeedItemHeader timestampButton: the button's normal title shows it.
// IGTimeStampHeaderView timestampLabel: the label shows the view's own date.
HookRows postTimeHeaderRows();

// IGFeedItemTextCell timeStampLabel: in the main feed, a profile or a single
// post the cell shows no time (label hidden, time stamp off); elsewhere a
// caption cell (cell type 0) shows the post time; other cells are left as
// they are. A cell that answers no cellType always shows the post time.
HookRows postTimeTextCellRows();

} // namespace igtarvo
