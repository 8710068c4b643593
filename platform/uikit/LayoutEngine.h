#pragma once
// Solves a view tree's constraints into frames. Every view whose
// translatesAutoresizingMaskIntoConstraints is off and that a held
// constraint names gets an unknown frame; every other view's frame is fixed.
// Constraints go in by priority (required first), equal priorities in an
// order of their own (tree order of their items, then attributes), so the
// frames do not depend on the order constraints were added in. Inequalities
// hold as long as they can; a required constraint that contradicts the
// others is dropped and logged once ("Unable to simultaneously satisfy
// constraints: ..."); a view whose frame the constraints leave open keeps
// what is open from its current frame and is logged once ("Layout is
// ambiguous for ..."). Labels, image views and buttons ask for their content's
// size at priorities 750 (not smaller) and 250 (not larger). Main thread.

namespace platform {

class UIView;

class LayoutEngine {
public:
    // Solves the tree around `view` once, when no pass is running on this thread yet.
    class Pass {
    public:
        explicit Pass(UIView* view);
        ~Pass();
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
    };

    // Solves the constraints held in the tree whose root is `root` and sets the frames.
    static void solve(UIView* root);
};

} // namespace platform
