#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

// A project list model laid out as the dashboard's grid: cell (row, column) holds the project
// at row * columns + column, with every role of the list. The cells after the last project
// (the rest of the last row) answer every role with an empty value of that role's type and
// the role "filler" with true, so that a delegate can hide itself without special cases.
// Rows are laid out by the view at the height of their tallest card, so no row leaves a gap.
class CardGridModel : public QAbstractTableModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QAbstractItemModel* source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(int columns READ columns WRITE setColumns NOTIFY columnsChanged)

public:
    explicit CardGridModel(QObject* parent = nullptr);

    QAbstractItemModel* source() const { return m_source; }
    void setSource(QAbstractItemModel* source);
    int columns() const { return m_columns; }
    // At least 1.
    void setColumns(int columns);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The source row shown in cell (row, column), or -1 for a filler cell or one outside.
    Q_INVOKABLE int sourceRow(int row, int column) const;

signals:
    void sourceChanged();
    void columnsChanged();

private:
    int sourceCount() const;
    void reset();
    void sourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles);

    QPointer<QAbstractItemModel> m_source;
    int m_columns = 1;
    int m_fillerRole = -1;
};
