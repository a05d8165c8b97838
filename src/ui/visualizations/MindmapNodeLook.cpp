#include "MindmapNodeLook.h"

#include "model/Attention.h"
#include "model/SyncText.h"

#include <algorithm>
#include <cmath>

namespace mindmaplook {

namespace {

QFont styled(const QFont& base, int pixelSize, QFont::Weight weight) {
    QFont font(base);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Long texts are cut before measuring, so that a huge name costs no more than a long one.
QString elide(const QString& text, const QFontMetricsF& metrics, bool* elided) {
    const QString head = text.size() > 400 ? text.left(400) : text;
    const QString cut = metrics.elidedText(head, Qt::ElideRight, kMaxLabelWidth);
    if (cut != text) *elided = true;
    return cut;
}

} // namespace

Fonts Fonts::from(const QFont& base) {
    Fonts f;
    f.rootName = styled(base, 12, QFont::Bold);
    f.folderName = styled(base, 13, QFont::DemiBold);
    f.projectName = styled(base, 12, QFont::Medium);
    f.projectNameBold = styled(base, 12, QFont::Bold);
    f.branch = styled(base, 10, QFont::Normal);
    const QFontMetricsF root(f.rootName), folder(f.folderName), name(f.projectNameBold), branch(f.branch);
    f.rootHeight = root.height();
    f.rootAscent = root.ascent();
    f.folderHeight = folder.height();
    f.folderAscent = folder.ascent();
    f.nameHeight = name.height();
    f.nameAscent = name.ascent();
    f.branchHeight = branch.height();
    f.branchAscent = branch.ascent();
    return f;
}

Box measure(const CachedGraphNode& node, const Fonts& fonts) {
    Box box;
    box.look = MindmapModel::lookOf(node);
    switch (box.look) {
    case MindmapModel::None:
        break;
    case MindmapModel::Root: {
        const QFontMetricsF metrics(fonts.rootName);
        box.name = metrics.elidedText(node.name.left(400), Qt::ElideRight, kRootDiameter - 6);
        box.elided = box.name != node.name;
        box.nameAdvance = float(metrics.horizontalAdvance(box.name));
        box.halfWidth = box.halfHeight = float(kRootDiameter / 2);
        break;
    }
    case MindmapModel::Directory: {
        const QFontMetricsF metrics(fonts.folderName);
        box.name = elide(node.name, metrics, &box.elided);
        const double width = 12 + kFolderDisc + 6 + metrics.horizontalAdvance(box.name) + 12;
        const double height = std::max(kFolderDisc, metrics.height()) + 16;
        box.halfWidth = float(width / 2);
        box.halfHeight = float(height / 2);
        break;
    }
    case MindmapModel::ProjectNode: {
        const QFontMetricsF nameMetrics(fonts.projectNameBold);
        const QFontMetricsF branchMetrics(fonts.branch);
        box.name = elide(node.name, nameMetrics, &box.elided);
        box.hasChanges = node.project->hasUncommittedChanges;
        box.needsAttention = needsAttention(*node.project);
        // "detached at 1a2b3c4" for a detached HEAD, and the stash mark after the branch.
        QString branch = synctext::branchText(*node.project);
        if (const int stashes = node.project->git ? node.project->git->stashes : 0; stashes > 0)
            branch += (branch.isEmpty() ? QString() : QStringLiteral("  ")) + QString::fromUtf16(synctext::kStashMark) +
                      (stashes > 1 ? QString::number(stashes) : QString());
        if (!branch.isEmpty()) box.branch = elide(branch, branchMetrics, &box.elided);
        const bool hasBranch = !box.branch.isEmpty();
        box.nameAdvance = float(nameMetrics.horizontalAdvance(box.name));
        double nameRow = box.nameAdvance + (box.hasChanges ? 4 + kChangeDot : 0);
        double column = std::max(nameRow, hasBranch ? branchMetrics.horizontalAdvance(box.branch) : 0.0);
        double columnHeight = nameMetrics.height() + (hasBranch ? 1 + branchMetrics.height() : 0);
        const double width = 10 + kProjectDisc + 6 + column + 10;
        const double height = std::max(kProjectDisc, columnHeight) + 12;
        box.halfWidth = float(width / 2);
        box.halfHeight = float(height / 2);
        break;
    }
    }
    return box;
}

Parts partsOf(const Box& box, const Fonts& fonts) {
    Parts parts;
    const double left = -box.halfWidth;
    switch (box.look) {
    case MindmapModel::None:
        break;
    case MindmapModel::Root: {
        const double total = 24 + 3 + fonts.rootHeight;
        const double top = -total / 2;
        parts.disc = QPointF(0, 0);
        parts.discDiameter = kRootDiameter;
        parts.symbolSize = 24;
        parts.name = QPointF(0, top + 27 + fonts.rootAscent);
        parts.nameCentred = true;
        // The symbol sits above the name.
        parts.changeDot = QPointF(0, top + 12);
        break;
    }
    case MindmapModel::Directory: {
        parts.disc = QPointF(left + 12 + kFolderDisc / 2, 0);
        parts.discDiameter = kFolderDisc;
        parts.symbolSize = 12;
        parts.name = QPointF(left + 12 + kFolderDisc + 6, -fonts.folderHeight / 2 + fonts.folderAscent);
        break;
    }
    case MindmapModel::ProjectNode: {
        const bool hasBranch = !box.branch.isEmpty();
        const double columnHeight = fonts.nameHeight + (hasBranch ? 1 + fonts.branchHeight : 0);
        const double top = -columnHeight / 2;
        const double x = left + 10 + kProjectDisc + 6;
        parts.disc = QPointF(left + 10 + kProjectDisc / 2, 0);
        parts.discDiameter = kProjectDisc;
        parts.symbolSize = 11;
        parts.name = QPointF(x, top + fonts.nameAscent);
        parts.changeDot = QPointF(x + box.nameAdvance + 4 + kChangeDot / 2, top + fonts.nameHeight / 2);
        parts.branch = QPointF(x, top + fonts.nameHeight + 1 + fonts.branchAscent);
        // Inset so that the badge's centre lies on the rounded corner's curve.
        const double inset = kProjectCorner * (1 - std::sqrt(0.5));
        parts.attention = QPointF(box.halfWidth - inset, -box.halfHeight + inset);
        break;
    }
    }
    return parts;
}

double growth(MindmapModel::Look look, bool highlighted, bool hovered) {
    if (look == MindmapModel::Root) return highlighted ? 1.1 : hovered ? 1.05 : 1.0;
    return highlighted ? 1.08 : hovered ? 1.03 : 1.0;
}

} // namespace mindmaplook
