#pragma once

#include <QAbstractItemModel>
#include <QDateTime>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QQuickItem>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

// The dashboard's per-card grades for QML. `lastModified` is what the project list's
// "lastModified" role holds: a date, or null when the date is unknown.
class CardMetrics : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    explicit CardMetrics(QObject* parent = nullptr);

    Q_INVOKABLE double healthScore(const QVariant& lastModified) const;
    Q_INVOKABLE QString healthLabel(const QVariant& lastModified) const;
    // The text of the elided text item under `point` (in `root`'s coordinates) among `root`
    // and the items below it, for the one tooltip of a card; "" when none is there.
    Q_INVOKABLE QString elidedTextAt(QQuickItem* root, const QPointF& point) const;

    // The grid: as many columns of at least 280 (20 apart) as fit in `available`, each card
    // at most 350 wide; one column at least.
    Q_INVOKABLE int gridColumns(double available) const;
    Q_INVOKABLE double gridCellWidth(double available) const;
    Q_INVOKABLE double gridCardWidth(double available) const;

    static std::optional<QDateTime> toDate(const QVariant& value);
};

// The four figures of the statistics row, counted over the rows of a project list model
// (roles "hasUncommittedChanges" and "lastModified") and kept up to date with it.
class DashboardStats : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QAbstractItemModel* model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(int total READ total NOTIFY changed)
    Q_PROPERTY(int uncommitted READ uncommitted NOTIFY changed)
    Q_PROPERTY(int activeToday READ activeToday NOTIFY changed)
    Q_PROPERTY(int stale READ stale NOTIFY changed)

public:
    explicit DashboardStats(QObject* parent = nullptr);

    QAbstractItemModel* model() const { return m_model; }
    void setModel(QAbstractItemModel* model);

    int total() const { return m_total; }
    int uncommitted() const { return m_uncommitted; }
    int activeToday() const { return m_activeToday; }
    int stale() const { return m_stale; }

    // Counts again, against the clock at `now`.
    void recount(const QDateTime& now);
    Q_INVOKABLE void recount() { recount(QDateTime::currentDateTime()); }

signals:
    void modelChanged();
    void changed();

private:
    QPointer<QAbstractItemModel> m_model;
    int m_total = 0;
    int m_uncommitted = 0;
    int m_activeToday = 0;
    int m_stale = 0;
};
