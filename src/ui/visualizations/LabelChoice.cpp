#include "LabelChoice.h"

#include <QRectF>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace labelchoice {

namespace {

// The labelled boxes so far, on screen, filed under every cell of a uniform grid they meet.
class Placed {
public:
    Placed(const QRectF& bounds, size_t expected) : m_left(bounds.left()), m_top(bounds.top()) {
        // Cells of about two short labels; never more than 256 a side.
        m_side = std::max({64.0, bounds.width() / 256, bounds.height() / 256});
        m_columns = int(bounds.width() / m_side) + 1;
        m_rows = int(bounds.height() / m_side) + 1;
        m_head.assign(size_t(m_columns) * size_t(m_rows), -1);
        m_rects.reserve(expected);
    }

    bool meets(const QRectF& r) const {
        int c0, r0, c1, r1;
        cells(r, c0, r0, c1, r1);
        for (int row = r0; row <= r1; ++row)
            for (int column = c0; column <= c1; ++column)
                for (int e = m_head[size_t(row) * size_t(m_columns) + size_t(column)]; e >= 0; e = m_links[size_t(e)].next)
                    if (m_rects[size_t(m_links[size_t(e)].rect)].intersects(r)) return true;
        return false;
    }

    void add(const QRectF& r) {
        const int id = int(m_rects.size());
        m_rects.push_back(r);
        int c0, r0, c1, r1;
        cells(r, c0, r0, c1, r1);
        for (int row = r0; row <= r1; ++row)
            for (int column = c0; column <= c1; ++column) {
                int& head = m_head[size_t(row) * size_t(m_columns) + size_t(column)];
                m_links.push_back({id, head});
                head = int(m_links.size()) - 1;
            }
    }

private:
    struct Link {
        int rect, next;
    };
    int cell(double v, double origin, int count) const {
        const double c = std::floor((v - origin) / m_side);
        return c <= 0 || !std::isfinite(c) ? 0 : int(std::min(c, double(count - 1)));
    }
    void cells(const QRectF& r, int& c0, int& r0, int& c1, int& r1) const {
        c0 = cell(r.left(), m_left, m_columns);
        c1 = cell(r.right(), m_left, m_columns);
        r0 = cell(r.top(), m_top, m_rows);
        r1 = cell(r.bottom(), m_top, m_rows);
    }

    double m_left, m_top, m_side = 64;
    int m_columns = 1, m_rows = 1;
    std::vector<int> m_head;
    std::vector<Link> m_links;
    std::vector<QRectF> m_rects;
};

} // namespace

double growthAt(double scale) {
    if (!(scale > 0)) return 1;
    return std::max(1.0, kReadablePixels / (kNamePoints * scale));
}

std::vector<int> priorityOrder(const std::vector<int>& parent, const std::vector<qint64>& depth) {
    const size_t n = std::min(parent.size(), depth.size());
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    // Deepest first, each node adds its subtree to its parent's.
    std::vector<int> byDepth = order;
    std::stable_sort(byDepth.begin(), byDepth.end(), [&](int a, int b) { return depth[size_t(a)] > depth[size_t(b)]; });
    std::vector<int> size(n, 1);
    for (int i : byDepth) {
        const int p = parent[size_t(i)];
        // A parent no shallower than its child would be a cycle; it is left alone.
        if (p >= 0 && size_t(p) < n && depth[size_t(p)] < depth[size_t(i)]) size[size_t(p)] += size[size_t(i)];
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (size[size_t(a)] != size[size_t(b)]) return size[size_t(a)] > size[size_t(b)];
        return depth[size_t(a)] < depth[size_t(b)];
    });
    return order;
}

std::vector<std::uint8_t> choose(const std::vector<Box>& boxes, const std::vector<std::uint8_t>& tiers,
                                 const std::vector<int>& order, double scale) {
    const size_t n = std::min(boxes.size(), tiers.size());
    std::vector<std::uint8_t> labelled(n, 0);
    if (n == 0 || !(scale > 0) || !std::isfinite(scale)) return labelled;
    const double k = scale * growthAt(scale);
    const double gap = kGapPoints / 2;
    const auto onScreen = [&](size_t i) {
        const Box& b = boxes[i];
        const double hw = b.halfWidth * k + gap, hh = b.halfHeight * k + gap;
        return QRectF(b.centre.x() * scale - hw, b.centre.y() * scale - hh, 2 * hw, 2 * hh);
    };
    QRectF bounds;
    for (size_t i = 0; i < n; ++i)
        if (tiers[i] != Never) bounds = bounds.isNull() ? onScreen(i) : bounds.united(onScreen(i));
    Placed placed(bounds, 256);
    for (size_t i = 0; i < n; ++i) {
        if (tiers[i] != Always) continue;
        labelled[i] = 1;
        placed.add(onScreen(i));
    }
    for (const std::uint8_t tier : {Preferred, Plain}) {
        for (const int index : order) {
            const auto i = size_t(index);
            if (index < 0 || i >= n || tiers[i] != tier) continue;
            const QRectF r = onScreen(i);
            if (placed.meets(r)) continue;
            labelled[i] = 1;
            placed.add(r);
        }
    }
    return labelled;
}

} // namespace labelchoice
