// Constraints solved into frames: exact frames, whatever the order the
// constraints were added in, priorities and inequalities, and the one log
// line for a set that cannot hold or leaves a frame open.

#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UILabel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace platform;

namespace {

Ref<NSLayoutConstraint> make(UIView* a, long attrA, long relation, UIView* b, long attrB, double multiplier, double constant)
{
    return NSLayoutConstraint::constraintWithItem(a, attrA, relation, b, attrB, multiplier, constant);
}

Ref<NSLayoutConstraint> eq(UIView* a, long attrA, UIView* b, long attrB, double constant = 0)
{
    return make(a, attrA, NSLayoutRelationEqual, b, attrB, 1, constant);
}

Ref<NSLayoutConstraint> fixed(UIView* a, long attr, double constant)
{
    return make(a, attr, NSLayoutRelationEqual, nullptr, NSLayoutAttributeNotAnAttribute, 1, constant);
}

Ref<UIView> constrained(CGRect frame = CGRectZero)
{
    auto v = UIView::create(frame);
    v->setTranslatesAutoresizingMaskIntoConstraints(false);
    return v;
}

// A tab: icon, picture and name in a row, each centred vertically.
struct Row {
    Ref<UIView> bar = UIView::create(CGRectMake(0, 0, 300, 40));
    Ref<UIView> icon = constrained();
    Ref<UIView> picture = constrained();
    Ref<UIView> name = constrained();
    std::vector<Ref<NSLayoutConstraint>> constraints;

    Row()
    {
        for (auto* v : { icon.get(), picture.get(), name.get() })
            bar->addSubview(v);
        UIView* b = bar.get();
        constraints = {
            eq(icon.get(), NSLayoutAttributeLeft, b, NSLayoutAttributeLeft, 5),
            eq(icon.get(), NSLayoutAttributeCenterY, b, NSLayoutAttributeCenterY),
            fixed(icon.get(), NSLayoutAttributeWidth, 20),
            fixed(icon.get(), NSLayoutAttributeHeight, 12),
            eq(picture.get(), NSLayoutAttributeLeft, icon.get(), NSLayoutAttributeRight, 5),
            eq(picture.get(), NSLayoutAttributeCenterY, b, NSLayoutAttributeCenterY),
            fixed(picture.get(), NSLayoutAttributeWidth, 28),
            fixed(picture.get(), NSLayoutAttributeHeight, 28),
            eq(name.get(), NSLayoutAttributeLeading, picture.get(), NSLayoutAttributeTrailing, 5),
            eq(name.get(), NSLayoutAttributeCenterY, b, NSLayoutAttributeCenterY),
            fixed(name.get(), NSLayoutAttributeWidth, 70.5),
            eq(name.get(), NSLayoutAttributeHeight, b, NSLayoutAttributeHeight),
        };
    }
    std::vector<CGRect> frames() const { return { icon->frame(), picture->frame(), name->frame() }; }
};

} // namespace

TEST(NSLayoutConstraint, SolvesARowIntoExactFramesWhateverTheOrderOfAdding)
{
    Row row;
    for (auto& c : row.constraints)
        row.bar->addConstraint(c.get());
    row.icon->layoutIfNeeded(); // a subview's layout pass solves the whole tree
    const std::vector<CGRect> expected { CGRectMake(5, 14, 20, 12), CGRectMake(30, 6, 28, 28), CGRectMake(63, 0, 70.5, 40) };
    EXPECT_EQ(row.frames(), expected);

    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        Row shuffled;
        std::shuffle(shuffled.constraints.begin(), shuffled.constraints.end(), random);
        for (auto& c : shuffled.constraints)
            c->setActive(true); // held by the nearest common ancestor: the bar
        // Sizes go to the view itself, relations to the nearest common ancestor.
        EXPECT_EQ(shuffled.bar->constraintList().size(), 7u);
        EXPECT_EQ(shuffled.icon->constraintList().size(), 2u);
        EXPECT_EQ(shuffled.name->constraintList().size(), 1u);
        shuffled.bar->layoutIfNeeded();
        EXPECT_EQ(shuffled.frames(), expected) << "round " << round;
    }
}

TEST(NSLayoutConstraint, ChangesAndRemovalsTakeEffectAtTheNextLayout)
{
    Row row;
    for (auto& c : row.constraints)
        row.bar->addConstraint(c.get());
    row.bar->layoutIfNeeded();
    row.constraints[0]->setConstant(15);
    row.bar->layoutIfNeeded();
    EXPECT_EQ(row.name->frame().origin.x, 73);
    // The name's width goes; its content asks for nothing, so the old width stays.
    row.bar->removeConstraint(row.constraints[10].get());
    EXPECT_EQ(row.constraints[10]->isActive(), false);
    row.bar->setFrame(CGRectMake(0, 0, 300, 60));
    row.bar->layoutIfNeeded();
    EXPECT_EQ(row.name->frame(), CGRectMake(73, 0, 70.5, 60));
}

TEST(NSLayoutConstraint, InequalitiesAndPrioritiesDecideBetweenWishes)
{
    auto box = UIView::create(CGRectMake(0, 0, 400, 400));
    auto a = constrained(CGRectMake(0, 0, 10, 10));
    box->addSubview(a.get());
    auto wish = fixed(a.get(), NSLayoutAttributeWidth, 50);
    wish->setPriority(750);
    box->addConstraint(wish.get());
    box->addConstraint(make(a.get(), NSLayoutAttributeWidth, NSLayoutRelationGreaterThanOrEqual, nullptr, 0, 1, 100).get());
    box->addConstraint(make(a.get(), NSLayoutAttributeHeight, NSLayoutRelationLessThanOrEqual, box.get(), NSLayoutAttributeHeight, 0.5, 0).get());
    auto tall = fixed(a.get(), NSLayoutAttributeHeight, 300);
    tall->setPriority(500);
    box->addConstraint(tall.get());
    box->addConstraint(eq(a.get(), NSLayoutAttributeCenterX, box.get(), NSLayoutAttributeCenterX).get());
    box->addConstraint(eq(a.get(), NSLayoutAttributeBottom, box.get(), NSLayoutAttributeBottom, -10).get());
    box->layoutIfNeeded();
    EXPECT_EQ(a->frame(), CGRectMake(150, 190, 100, 200));
    // A satisfied inequality leaves the wish alone.
    wish->setConstant(120);
    box->layoutIfNeeded();
    EXPECT_EQ(a->frame().size.width, 120);
}

TEST(NSLayoutConstraint, LabelsAndImagesAskForTheirContentSize)
{
    auto box = UIView::create(CGRectMake(0, 0, 320, 100));
    auto label = UILabel::create();
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    label->setFont(UIFont::fontWithName(ns("Helvetica Neue").get(), 14).get());
    label->setText(ns("some_user").get());
    box->addSubview(label.get());
    box->addConstraint(eq(label.get(), NSLayoutAttributeLeft, box.get(), NSLayoutAttributeLeft, 8).get());
    box->addConstraint(eq(label.get(), NSLayoutAttributeTop, box.get(), NSLayoutAttributeTop, 4).get());
    box->layoutIfNeeded();
    EXPECT_EQ(label->frame().origin, CGPointMake(8, 4));
    EXPECT_EQ(label->frame().size, label->sizeThatFits(CGSizeZero));

    auto image = UIImageView::create(UIImage::imageWithSize(CGSizeMake(30, 20), 2).get());
    image->setTranslatesAutoresizingMaskIntoConstraints(false);
    box->addSubview(image.get());
    box->addConstraint(eq(image.get(), NSLayoutAttributeTrailing, box.get(), NSLayoutAttributeTrailing, -10).get());
    box->addConstraint(eq(image.get(), NSLayoutAttributeCenterY, box.get(), NSLayoutAttributeCenterY).get());
    box->layoutIfNeeded();
    EXPECT_EQ(image->frame(), CGRectMake(280, 40, 30, 20));
}

TEST(NSLayoutConstraint, ContradictionsAndOpenFramesLogOneLineAndNeverStopLayout)
{
    UIKitClearWarnings();
    auto box = UIView::create(CGRectMake(0, 0, 200, 200));
    auto a = constrained(CGRectMake(1, 2, 3, 4));
    box->addSubview(a.get());
    auto first = fixed(a.get(), NSLayoutAttributeWidth, 50);
    auto second = fixed(a.get(), NSLayoutAttributeWidth, 60);
    second->setIdentifier(ns("second").get());
    box->addConstraint(second.get());
    box->addConstraint(first.get());
    box->addConstraint(eq(a.get(), NSLayoutAttributeLeft, box.get(), NSLayoutAttributeLeft, 10).get());
    box->addConstraint(eq(a.get(), NSLayoutAttributeTop, box.get(), NSLayoutAttributeTop, 20).get());
    box->addConstraint(fixed(a.get(), NSLayoutAttributeHeight, 30).get());
    box->layoutIfNeeded();
    box->setNeedsLayout();
    box->layoutIfNeeded(); // the same problem again: no second line
    auto warnings = UIKitWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("Unable to simultaneously satisfy constraints"), std::string::npos);
    EXPECT_NE(warnings[0].find("'second' UIView.width == 60"), std::string::npos);
    EXPECT_NE(warnings[0].find("UIView.width == 50"), std::string::npos);
    EXPECT_EQ(a->frame().origin, CGPointMake(10, 20));
    EXPECT_EQ(a->frame().size.height, 30);
    EXPECT_TRUE(a->frame().size.width == 50 || a->frame().size.width == 60);

    UIKitClearWarnings();
    auto open = constrained(CGRectMake(5, 6, 7, 8));
    box->addSubview(open.get());
    box->addConstraint(eq(open.get(), NSLayoutAttributeLeft, box.get(), NSLayoutAttributeLeft, 40).get());
    box->layoutIfNeeded();
    warnings = UIKitWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("Layout is ambiguous for UIView (y, width, height open)"), std::string::npos);
    EXPECT_EQ(open->frame(), CGRectMake(40, 6, 7, 8)); // what is open keeps its value
    UIKitClearWarnings();
}

TEST(NSLayoutConstraint, SolvesNestedViewsInTheirOwnSuperviewsCoordinates)
{
    auto root = UIView::create(CGRectMake(0, 0, 300, 300));
    auto panel = constrained();
    auto child = constrained();
    root->addSubview(panel.get());
    panel->addSubview(child.get());
    // The child's constraints live on the panel, the panel's on the root.
    panel->addConstraint(eq(child.get(), NSLayoutAttributeCenterX, panel.get(), NSLayoutAttributeCenterX).get());
    panel->addConstraint(eq(child.get(), NSLayoutAttributeTop, panel.get(), NSLayoutAttributeTop, 10).get());
    panel->addConstraint(make(child.get(), NSLayoutAttributeWidth, NSLayoutRelationEqual, panel.get(), NSLayoutAttributeWidth, 0.5, 0).get());
    panel->addConstraint(fixed(child.get(), NSLayoutAttributeHeight, 20).get());
    root->addConstraint(eq(panel.get(), NSLayoutAttributeLeft, root.get(), NSLayoutAttributeLeft, 50).get());
    root->addConstraint(eq(panel.get(), NSLayoutAttributeRight, root.get(), NSLayoutAttributeRight, -50).get());
    root->addConstraint(eq(panel.get(), NSLayoutAttributeTop, root.get(), NSLayoutAttributeTop, 100).get());
    root->addConstraint(fixed(panel.get(), NSLayoutAttributeHeight, 80).get());
    root->layoutIfNeeded();
    EXPECT_EQ(panel->frame(), CGRectMake(50, 100, 200, 80));
    EXPECT_EQ(child->frame(), CGRectMake(50, 10, 100, 20));
}

TEST(NSLayoutConstraint, AViewHoldingConstraintsOnItselfIsFreedWithItsTree)
{
    // Views own their constraints and constraints do not own their items, so
    // a view that holds a constraint naming itself (a list sized by its own
    // height constraint) goes away with the last reference to it.
    objc::WeakPtr<UIView> gone;
    RefPtr<NSLayoutConstraint> kept;
    {
        auto bar = UIView::create(CGRectMake(0, 0, 300, 40));
        auto list = constrained();
        bar->addSubview(list.get());
        list->addConstraint(fixed(list.get(), NSLayoutAttributeHeight, 57).get());
        bar->addConstraint(eq(list.get(), NSLayoutAttributeTop, bar.get(), NSLayoutAttributeTop).get());
        kept = eq(list.get(), NSLayoutAttributeWidth, bar.get(), NSLayoutAttributeWidth);
        bar->addConstraint(kept.get());
        bar->layoutIfNeeded();
        EXPECT_EQ(list->frame().size.height, 57);
        gone = objc::WeakPtr<UIView>(list.get());
    }
    EXPECT_FALSE(gone.lock());
    // A constraint someone still holds names nothing once its items are gone,
    // and describes itself without them.
    EXPECT_FALSE(kept->firstItem());
    EXPECT_FALSE(kept->secondItem());
    EXPECT_EQ(kept->describe(), "nil.width == nil.width");
}
