#include "TreeOutlineModel.h"

#include "ProjectHealth.h"
#include "ViewMath.h"
#include "model/Attention.h"
#include "model/SyncText.h"
#include "theme/TextStyles.h"
#include "state/DisplayText.h"
#include "ViewModelAccess.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace {

// Measures rows with the fonts the delegates use, so that the outline can scroll sideways
// to its widest row without creating every row.
class RowMeasure {
public:
    RowMeasure()
        : m_name(font(textstyles::body, QFont::Medium)), m_project(font(textstyles::body, QFont::DemiBold)),
          m_small(font(textstyles::caption, QFont::Normal)) {}

    double width(const TreeOutlineModel::Row& row) const {
        double w = row.depth * TreeOutlineModel::indentWidth;
        if (row.depth > 0) w += TreeOutlineModel::connectorWidth;
        if (row.isProject) {
            w += 8 + kindDisc + 6 + m_project.horizontalAdvance(row.name);
            if (row.needsAttention) w += 6 + textstyles::body;
            if (!row.stashText.isEmpty()) w += 6 + m_small.horizontalAdvance(QStringLiteral("⚑"));
            if (row.hasChanges) w += 6 + dotSize;
            if (row.version) w += 6 + m_small.horizontalAdvance(QStringLiteral("v") + *row.version);
            if (row.branch) w += 6 + textstyles::caption + 2 + m_small.horizontalAdvance(*row.branch);
            w += 6 + dotSize + 8;
        } else {
            w += 6 + textstyles::body + 6 + m_name.horizontalAdvance(row.name);
            if (row.hasChildren)
                w += 6 + m_small.horizontalAdvance(QStringLiteral("(%1)").arg(row.projectCount));
            w += 6;
        }
        return std::ceil(w);
    }

    // The kind disc (body size plus 8) and the change and activity dots of a project line.
    static constexpr double kindDisc = textstyles::body + 8;
    static constexpr double dotSize = 8;

private:
    static QFont font(int pixelSize, QFont::Weight weight) {
        QFont f = QGuiApplication::font();
        f.setPixelSize(pixelSize);
        f.setWeight(weight);
        return f;
    }
    QFontMetricsF m_name;
    QFontMetricsF m_project;
    QFontMetricsF m_small;
};

// What a project line shows of its record.
void setProjectFields(TreeOutlineModel::Row& row, const Project& p, const QDateTime& now) {
    row.projectId = p.id.toString(QUuid::WithoutBraces);
    row.kindIcon = projecttype::icon(p.type);
    row.kindColor = projecttype::color(p.type);
    row.version = displayText(p.version);
    // "detached at 1a2b3c4" rather than an empty branch.
    const QString branch = synctext::branchText(p);
    row.branch = branch.isEmpty() ? displayText(p.gitBranch) : std::optional<QString>(displayText(branch));
    row.hasChanges = p.hasUncommittedChanges;
    row.activityColor = health::activityColorName(p.lastModified, now);
    row.activityText = health::activityText(p.lastModified, now);
    row.activityHollow = health::activityHollow(p.lastModified, now);
    row.attentionText = TreeOutlineModel::attentionTooltip(p);
    row.needsAttention = !row.attentionText.isEmpty();
    const int stashes = p.git ? p.git->stashes : 0;
    row.stashText = stashes > 0 ? synctext::countWords(stashes, QStringLiteral("stash"), QStringLiteral("stashes")) : QString();
}

// Appends `node` and its subtree in display order; returns the subtree's project count.
int flatten(const CachedTreeNode& node, const QDateTime& now, QList<TreeOutlineModel::Row>& rows) {
    const qsizetype at = rows.size();
    TreeOutlineModel::Row row;
    row.nodeId = node.id;
    row.name = displayText(node.name);
    row.depth = node.depth;
    row.isProject = node.isProject && node.project.has_value();
    row.hasChildren = !node.children.isEmpty();
    row.folderColor = viewmath::treeFolderColor(node.depth);
    if (row.isProject) setProjectFields(row, *node.project, now);
    rows.append(row);
    int count = node.isProject ? 1 : 0;
    for (const CachedTreeNode& child : node.children) count += flatten(child, now, rows);
    rows[at].projectCount = count;
    return count;
}

QVariant optionalText(const std::optional<QString>& text) {
    return text ? QVariant(*text) : QVariant::fromValue(nullptr);
}

} // namespace

TreeOutlineModel::TreeOutlineModel(QObject* parent) : QAbstractListModel(parent) {}

int TreeOutlineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant TreeOutlineModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
    const Row& r = row(index.row());
    switch (role) {
    case NodeIdRole: return r.nodeId;
    case Qt::DisplayRole:
    case NameRole: return r.name;
    case DepthRole: return static_cast<int>(r.depth);
    case IsProjectRole: return r.isProject;
    case HasChildrenRole: return r.hasChildren;
    case ProjectCountRole: return r.projectCount;
    case FolderColorRole: return r.folderColor;
    case ProjectIdRole: return r.projectId;
    case KindIconRole: return r.kindIcon;
    case KindColorRole: return r.kindColor;
    case VersionRole: return optionalText(r.version);
    case BranchRole: return optionalText(r.branch);
    case HasChangesRole: return r.hasChanges;
    case ActivityColorRole: return r.activityColor;
    case ActivityTextRole: return r.activityText;
    case NeedsAttentionRole: return r.needsAttention;
    case AttentionTextRole: return r.attentionText;
    case StashTextRole: return r.stashText;
    case ActivityHollowRole: return r.activityHollow;
    case FoldedRole: return m_folded.contains(r.nodeId);
    default: return {};
    }
}

QHash<int, QByteArray> TreeOutlineModel::roleNames() const {
    return {
        {NodeIdRole, "nodeId"},
        {NameRole, "name"},
        {DepthRole, "depth"},
        {IsProjectRole, "isProject"},
        {HasChildrenRole, "hasChildren"},
        {ProjectCountRole, "projectCount"},
        {FolderColorRole, "folderColor"},
        {ProjectIdRole, "projectId"},
        {KindIconRole, "kindIcon"},
        {KindColorRole, "kindColor"},
        {VersionRole, "version"},
        {BranchRole, "branch"},
        {HasChangesRole, "hasChanges"},
        {ActivityColorRole, "activityColor"},
        {ActivityTextRole, "activityText"},
        {NeedsAttentionRole, "needsAttention"},
        {AttentionTextRole, "attentionText"},
        {StashTextRole, "stashText"},
        {FoldedRole, "folded"},
        {ActivityHollowRole, "activityHollow"},
    };
}

void TreeOutlineModel::setViewModel(QObject* viewModel) {
    if (m_viewModel == viewModel) return;
    if (m_viewModel) disconnect(m_viewModel, nullptr, this, nullptr);
    m_viewModel = viewModel;
    if (viewModel) {
        vmaccess::onTreeDataChanged(viewModel, this, [this] { reloadFromViewModel(); });
        vmaccess::onProjectUpdated(viewModel, this, [this](const QString& path) { updateProject(path); });
    }
    reloadFromViewModel();
    emit viewModelChanged();
}

void TreeOutlineModel::reloadFromViewModel() {
    if (!m_viewModel) {
        setTreeData(CachedTreeData{});
        return;
    }
    setTreeData(vmaccess::treeData(m_viewModel));
}

void TreeOutlineModel::setTreeData(const CachedTreeData& data, const QDateTime& now) {
    QList<Row> rows;
    for (const CachedTreeNode& node : data.nodes) flatten(node, now, rows);

    double widest = 0;
    if (!rows.isEmpty()) {
        const RowMeasure measure;
        for (const Row& row : rows) widest = std::max(widest, measure.width(row));
    }

    const int oldCount = count();
    beginResetModel();
    m_rows = std::move(rows);
    m_index.clear();
    m_lines.clear();
    m_index.reserve(m_rows.size());
    m_lines.reserve(m_rows.size());
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        m_index.insert(m_rows.at(i).nodeId, i);
        m_lines.append({m_rows.at(i).nodeId, m_rows.at(i).depth});
    }
    // Folds of nodes that are gone are forgotten; the others stay.
    const qsizetype folds = m_folded.size();
    m_folded.removeIf([this](const QString& id) { return !m_index.contains(id); });
    m_shown = outlinefold::shownLines(m_lines, m_folded);
    endResetModel();
    if (folds != m_folded.size()) emit foldedChanged();
    if (oldCount != count()) emit countChanged();
    if (!qFuzzyCompare(widest + 1, m_contentWidth + 1)) {
        m_contentWidth = widest;
        emit contentWidthChanged();
    }
    if (m_ready != data.isReady) {
        m_ready = data.isReady;
        emit readyChanged();
    }
}

QString TreeOutlineModel::attentionTooltip(const Project& project) {
    const QStringList reasons = synctext::attentionPhrases(project);
    if (reasons.isEmpty()) return QString();
    return QStringLiteral("Needs attention: ") + reasons.join(QStringLiteral(", "));
}

void TreeOutlineModel::updateProject(const QString& path) {
    const qsizetype at = indexOf(path);
    if (at < 0 || !m_rows.at(at).isProject) return;
    const std::optional<Project> project = vmaccess::projectAtPath(m_viewModel, path);
    if (!project) return;
    setProjectFields(m_rows[at], *project, QDateTime::currentDateTime());
    const double width = RowMeasure().width(m_rows.at(at));
    if (width > m_contentWidth) {
        m_contentWidth = width;
        emit contentWidthChanged();
    }
    if (const int shown = rowOf(path); shown >= 0) emit dataChanged(this->index(shown), this->index(shown));
}

double TreeOutlineModel::zoomIn(double scale) const { return viewmath::treeZoomIn(scale); }

double TreeOutlineModel::zoomOut(double scale) const { return viewmath::treeZoomOut(scale); }

double TreeOutlineModel::pinch(double lastScale, double magnification) const {
    return viewmath::treePinch(lastScale, magnification);
}

double TreeOutlineModel::wheelZoom(double scale, double steps) const {
    return std::clamp(scale * std::pow(1.1, steps), viewmath::treeMinScale, viewmath::treeMaxScale);
}

QString TreeOutlineModel::zoomText(double scale) const { return viewmath::zoomPercentText(scale); }
