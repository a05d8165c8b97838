#include "LabelChoice.h"

#include <gtest/gtest.h>

using namespace labelchoice;

namespace {

// A card 100 x 20 points at 100 %.
Box card(double x, double y) { return Box{QPointF(x, y), 50, 10}; }

struct Case {
    const char* what;
    std::vector<Box> boxes;
    std::vector<std::uint8_t> tiers;
    std::vector<int> order;
    double scale;
    std::vector<std::uint8_t> labelled;
};

} // namespace

TEST(LabelChoiceTest, LabelsAsManyAsFitLargestSubtreesFirst) {
    const std::vector<Case> cases = {
        {"far apart: both", {card(0, 0), card(400, 0)}, {Plain, Plain}, {0, 1}, 1.0, {1, 1}},
        {"overlapping: the first in order", {card(0, 0), card(60, 0)}, {Plain, Plain}, {1, 0}, 1.0, {0, 1}},
        {"kept a gap apart", {card(0, 0), card(102, 0)}, {Plain, Plain}, {0, 1}, 1.0, {1, 0}},
        {"zoomed in they part", {card(0, 0), card(110, 0)}, {Plain, Plain}, {0, 1}, 1.0, {1, 1}},
        {"zoomed out they meet again", {card(0, 0), card(110, 0)}, {Plain, Plain}, {0, 1}, 0.5, {1, 0}},
        // At 10 % a card is grown to a readable 83 x 17 on screen, the centres 30 apart.
        {"far out, the grown cards meet", {card(0, 0), card(300, 0)}, {Plain, Plain}, {0, 1}, 0.1, {1, 0}},
        {"far out, far enough apart", {card(0, 0), card(900, 0)}, {Plain, Plain}, {0, 1}, 0.1, {1, 1}},
        {"the selected one wins over the larger subtree", {card(0, 0), card(60, 0)}, {Plain, Always}, {0, 1}, 1.0, {0, 1}},
        {"two that must show both show", {card(0, 0), card(10, 0)}, {Always, Always}, {0, 1}, 1.0, {1, 1}},
        {"a match goes before others", {card(0, 0), card(60, 0), card(400, 0)}, {Plain, Preferred, Plain}, {0, 1, 2},
         1.0, {0, 1, 1}},
        {"nothing drawn, nothing labelled", {card(0, 0), card(60, 0)}, {Never, Plain}, {0, 1}, 1.0, {0, 1}},
        {"no scale, no labels", {card(0, 0)}, {Always}, {0}, 0.0, {0}},
        {"missing from the order: only if it must show", {card(0, 0), card(400, 0)}, {Always, Plain}, {}, 1.0, {1, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(choose(c.boxes, c.tiers, c.order, c.scale), c.labelled) << c.what;
    }
}

TEST(LabelChoiceTest, OrderIsBySubtreeSizeThenDepth) {
    // 0 root; 1 and 2 its folders; 3, 4 under 1; 5 under 4; 6 under 2.
    const std::vector<int> parent = {-1, 0, 0, 1, 1, 4, 2};
    const std::vector<qint64> depth = {0, 1, 1, 2, 2, 3, 2};
    EXPECT_EQ(priorityOrder(parent, depth), (std::vector<int>{0, 1, 2, 4, 3, 6, 5}));
    // A parent listed deeper than its child (a malformed graph) adds nothing and does not loop.
    EXPECT_EQ(priorityOrder({1, 0}, {1, 1}), (std::vector<int>{0, 1}));
}

TEST(LabelChoiceTest, GrowthKeepsNamesReadableWhenZoomedOut) {
    EXPECT_DOUBLE_EQ(growthAt(1.0), 1.0);
    EXPECT_DOUBLE_EQ(growthAt(0.5), kReadablePixels / 6);
    EXPECT_DOUBLE_EQ(growthAt(0.1) * 0.1 * kNamePoints, kReadablePixels);
    EXPECT_DOUBLE_EQ(growthAt(0), 1.0);
}
