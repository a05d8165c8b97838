#pragma once

#include <QPointF>
#include <QtGlobal>

#include <cstdint>
#include <vector>

// Which mindmap nodes show their label at a zoom: as many as fit on screen without overlapping,
// the nodes with the largest subtrees first. A labelled node is drawn as its card (or capsule)
// with its name; where the name would be smaller than kReadablePixels the whole card is drawn
// grown to that size, so a label is readable at every zoom and takes the same room on screen
// however far the view is zoomed out. Unlabelled nodes are drawn as their disc or dot.
namespace labelchoice {

// The smallest name on screen, in pixels (names are 12 points at 100 %).
inline constexpr double kReadablePixels = 10;
inline constexpr double kNamePoints = 12;
// Room kept between two labelled boxes, in screen points.
inline constexpr double kGapPoints = 4;

// How much a labelled node is grown at `scale` (screen points per canvas point): 1 from the
// scale at which names are readable on, more below it.
double growthAt(double scale);

// One node's labelled box about its centre, in canvas points at 100 %.
struct Box {
    QPointF centre;
    float halfWidth = 0, halfHeight = 0;
};

// How eager a node is for a label.
enum Tier : std::uint8_t {
    Always = 0,    // the root, the selected node: labelled whatever it covers
    Preferred = 1, // highlighted nodes and search matches: placed before the others
    Plain = 2,
    Never = 3,     // draws nothing
};

// Every node index, largest subtree first (node count, itself included), then the shallower,
// then the earlier. `parent` is each node's parent index (-1 for none), `depth` its depth.
std::vector<int> priorityOrder(const std::vector<int>& parent, const std::vector<qint64>& depth);

// A flag per node: labelled or not at `scale`. The Always nodes are labelled; then the Preferred
// and then the Plain nodes, each in `order`, are labelled when their grown box, kept kGapPoints
// apart, meets no labelled box on screen.
std::vector<std::uint8_t> choose(const std::vector<Box>& boxes, const std::vector<std::uint8_t>& tiers,
                                 const std::vector<int>& order, double scale);

} // namespace labelchoice
