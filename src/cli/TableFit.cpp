#include "cli/TableFit.h"

#include <algorithm>

QString columnTitle(TableColumn column) {
    switch (column) {
    case TableColumn::name: return QStringLiteral("NAME");
    case TableColumn::kind: return QStringLiteral("KIND");
    case TableColumn::version: return QStringLiteral("VERSION");
    case TableColumn::branch: return QStringLiteral("BRANCH");
    case TableColumn::sync: return QStringLiteral("SYNC");
    case TableColumn::changes: return QStringLiteral("CHANGES");
    case TableColumn::lastChange: return QStringLiteral("LAST CHANGE");
    case TableColumn::attention: return QStringLiteral("ATTENTION");
    case TableColumn::path: return QStringLiteral("PATH");
    }
    return {};
}

std::vector<int> fitColumns(const std::vector<TableColumn>& columns, const std::vector<int>& natural, int limit) {
    std::vector<int> width = natural;
    const auto total = [&] {
        int sum = 0;
        int shown = 0;
        for (const int w : width) {
            if (w <= 0) continue;
            sum += w;
            ++shown;
        }
        return sum + kColumnGap * std::max(0, shown - 1);
    };
    const auto indexOf = [&](TableColumn column) {
        const auto it = std::find(columns.begin(), columns.end(), column);
        return it == columns.end() ? -1 : int(it - columns.begin());
    };
    const auto drop = [&](TableColumn column) {
        const int i = indexOf(column);
        if (i >= 0 && total() > limit) width[size_t(i)] = 0;
    };

    drop(TableColumn::lastChange);
    drop(TableColumn::version);
    const int path = indexOf(TableColumn::path);
    if (path >= 0 && total() > limit) {
        int& w = width[size_t(path)];
        w = std::max(std::min(w, kPathFloor), w - (total() - limit));
    }
    drop(TableColumn::kind);
    drop(TableColumn::branch);
    drop(TableColumn::changes);
    // What the drops freed goes back to the path.
    if (path >= 0 && total() < limit) {
        int& w = width[size_t(path)];
        w = std::min(natural[size_t(path)], w + limit - total());
    }
    // The widest column gives way (of equals, the later one), a column at a time.
    while (total() > limit) {
        int widest = -1;
        for (size_t i = 0; i < width.size(); ++i) {
            if (width[i] > 1 && (widest < 0 || width[i] >= width[size_t(widest)])) widest = int(i);
        }
        if (widest < 0) break;
        // Straight down to the next widest, so that one very long cell costs no more than a short one.
        int next = 1;
        for (size_t i = 0; i < width.size(); ++i) {
            if (int(i) != widest) next = std::max(next, width[i]);
        }
        width[size_t(widest)] -= std::clamp(width[size_t(widest)] - next, 1, total() - limit);
    }
    // Narrower than that: the names alone, cut to the width.
    const int name = indexOf(TableColumn::name);
    for (size_t i = width.size(); i-- > 0 && total() > limit;) {
        if (int(i) != name) width[i] = 0;
    }
    if (name >= 0 && total() > limit) width[size_t(name)] = std::max(1, limit);
    return width;
}
