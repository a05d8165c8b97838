#include "CardGridModel.h"

#include <algorithm>

CardGridModel::CardGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void CardGridModel::setSource(QAbstractItemModel* source) {
    if (m_source == source) return;
    beginResetModel();
    if (m_source) disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source) {
        // Anything that moves projects between cells lays the grid out anew.
        connect(source, &QAbstractItemModel::modelReset, this, &CardGridModel::reset);
        connect(source, &QAbstractItemModel::layoutChanged, this, &CardGridModel::reset);
        connect(source, &QAbstractItemModel::rowsInserted, this, &CardGridModel::reset);
        connect(source, &QAbstractItemModel::rowsRemoved, this, &CardGridModel::reset);
        connect(source, &QAbstractItemModel::rowsMoved, this, &CardGridModel::reset);
        connect(source, &QAbstractItemModel::dataChanged, this, &CardGridModel::sourceDataChanged);
    }
    const QHash<int, QByteArray> roles = source ? source->roleNames() : QHash<int, QByteArray>();
    // The filler role after every role of the source's.
    int last = int(Qt::UserRole);
    for (int role : roles.keys()) last = std::max(last, role);
    m_fillerRole = last + 1;
    endResetModel();
    emit sourceChanged();
}

void CardGridModel::setColumns(int columns) {
    columns = std::max(1, columns);
    if (m_columns == columns) return;
    beginResetModel();
    m_columns = columns;
    endResetModel();
    emit columnsChanged();
}

void CardGridModel::reset() {
    beginResetModel();
    endResetModel();
}

int CardGridModel::sourceCount() const { return m_source ? m_source->rowCount() : 0; }

int CardGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return (sourceCount() + m_columns - 1) / m_columns;
}

int CardGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_columns; }

int CardGridModel::sourceRow(int row, int column) const {
    if (row < 0 || column < 0 || column >= m_columns) return -1;
    const qint64 at = qint64(row) * m_columns + column;
    return at < sourceCount() ? int(at) : -1;
}

QVariant CardGridModel::data(const QModelIndex& index, int role) const {
    if (!m_source || !index.isValid()) return {};
    const int row = sourceRow(index.row(), index.column());
    if (role == m_fillerRole) return row < 0;
    if (row >= 0) return m_source->data(m_source->index(row, 0), role);
    // A filler cell: an empty value of the type the first project's role has.
    if (sourceCount() == 0) return {};
    const QVariant sample = m_source->data(m_source->index(0, 0), role);
    return sample.isValid() ? QVariant(sample.metaType()) : QVariant();
}

QHash<int, QByteArray> CardGridModel::roleNames() const {
    QHash<int, QByteArray> roles = m_source ? m_source->roleNames() : QHash<int, QByteArray>();
    roles.insert(m_fillerRole, QByteArrayLiteral("filler"));
    return roles;
}

void CardGridModel::sourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                      const QList<int>& roles) {
    if (!topLeft.isValid() || !bottomRight.isValid()) return;
    const int first = topLeft.row() / m_columns;
    const int last = bottomRight.row() / m_columns;
    // One changed project touches one cell; a span of them touches whole rows.
    const int left = first == last ? topLeft.row() % m_columns : 0;
    const int right = first == last ? bottomRight.row() % m_columns : m_columns - 1;
    emit dataChanged(index(first, left), index(last, right), roles);
}
