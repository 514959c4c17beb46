// The board's rows for a QTableView. Messages are gathered and applied together a moment after
// the first of them, so thousands arriving at once (the retained states on subscribing) or a
// steady stream of changes cost one sort and one repaint per batch, not one per message.
#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QTimer>
#include <utility>
#include <vector>

#include "team/board_model.h"

namespace rumo {

class BoardTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, StateColumn, WhereColumn, BackColumn, SinceColumn, ColumnCount };

    explicit BoardTable(QObject* parent = nullptr);

    // A message on `<team>/<id>`.
    void receive(const QByteArray& id, const QByteArray& payload);
    // Applies what was received at once (the timer does it otherwise).
    void flush();
    void setOrder(BoardOrder order);
    const BoardModel& board() const { return board_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void flushed();

private:
    void refreshTimes();

    BoardModel board_;
    std::vector<std::pair<QByteArray, QByteArray>> pending_;
    QTimer batch_;
    // Return times pass without any message: the "overdue" colour is worked out again each minute.
    QTimer clock_;
};

}  // namespace rumo
