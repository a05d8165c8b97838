#include "CardMetrics.h"

#include <QQuickItem>
#include <algorithm>
#include <cmath>

#include "ProjectHealth.h"

CardMetrics::CardMetrics(QObject* parent) : QObject(parent) {}

namespace {
constexpr double kMinCard = 280;
constexpr double kMaxCard = 350;
constexpr double kGap = 20;
} // namespace

int CardMetrics::gridColumns(double available) const {
    if (!(available > 0)) return 1;
    return std::max(1, int(std::floor((available + kGap) / (kMinCard + kGap))));
}

double CardMetrics::gridCellWidth(double available) const {
    return (std::max(0.0, available) + kGap) / gridColumns(available);
}

double CardMetrics::gridCardWidth(double available) const {
    return std::max(0.0, std::min(kMaxCard, gridCellWidth(available) - kGap));
}

std::optional<QDateTime> CardMetrics::toDate(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return std::nullopt;
    const QDateTime date = value.toDateTime();
    if (!date.isValid()) return std::nullopt;
    return date;
}

double CardMetrics::healthScore(const QVariant& lastModified) const {
    return health::healthScore(toDate(lastModified), QDateTime::currentDateTime());
}

QString CardMetrics::healthLabel(const QVariant& lastModified) const {
    return health::healthLabel(toDate(lastModified), QDateTime::currentDateTime());
}

QString CardMetrics::elidedTextAt(QQuickItem* root, const QPointF& point) const {
    if (!root || !root->isVisible() || !root->contains(point)) return {};
    // The topmost child first, as the pointer sees them.
    const QList<QQuickItem*> children = root->childItems();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        const QString text = elidedTextAt(*it, root->mapToItem(*it, point));
        if (!text.isEmpty()) return text;
    }
    if (!root->inherits("QQuickText")) return {};
    // A text shortened before it is shown keeps the whole of it in "fullText".
    const QString full = root->property("fullText").toString();
    const QString shown = root->property("text").toString();
    if (!full.isEmpty() && (full != shown || root->property("truncated").toBool())) return full;
    if (root->property("truncated").toBool()) return shown;
    return {};
}

DashboardStats::DashboardStats(QObject* parent) : QObject(parent) {}

void DashboardStats::setModel(QAbstractItemModel* model) {
    if (m_model == model) return;
    if (m_model) disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (model) {
        auto again = [this] { recount(); };
        connect(model, &QAbstractItemModel::modelReset, this, again);
        connect(model, &QAbstractItemModel::rowsInserted, this, again);
        connect(model, &QAbstractItemModel::rowsRemoved, this, again);
        connect(model, &QAbstractItemModel::dataChanged, this, again);
        connect(model, &QAbstractItemModel::layoutChanged, this, again);
    }
    recount();
    emit modelChanged();
}

void DashboardStats::recount(const QDateTime& now) {
    int total = 0, uncommitted = 0, active = 0, stale = 0;
    if (m_model) {
        const QHash<int, QByteArray> names = m_model->roleNames();
        const int changesRole = names.key("hasUncommittedChanges", -1);
        const int dateRole = names.key("lastModified", -1);
        total = m_model->rowCount();
        for (int row = 0; row < total; ++row) {
            const QModelIndex index = m_model->index(row, 0);
            if (changesRole >= 0 && m_model->data(index, changesRole).toBool()) ++uncommitted;
            const auto date = CardMetrics::toDate(dateRole >= 0 ? m_model->data(index, dateRole) : QVariant());
            if (health::isActiveToday(date, now)) ++active;
            if (health::isStale(date, now)) ++stale;
        }
    }
    if (total == m_total && uncommitted == m_uncommitted && active == m_activeToday && stale == m_stale) return;
    m_total = total;
    m_uncommitted = uncommitted;
    m_activeToday = active;
    m_stale = stale;
    emit changed();
}
