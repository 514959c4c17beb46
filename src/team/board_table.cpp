#include "team/board_table.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QDateTime>

namespace rumo {

namespace {

constexpr int kBatchMs = 100;

QString timeText(std::int64_t seconds, const QDateTime& now) {
    const QDateTime at = QDateTime::fromSecsSinceEpoch(seconds);
    if (at.date() == now.date()) {
        return at.toString(QStringLiteral("H:mm"));
    }
    return at.toString(QStringLiteral("M/d H:mm"));
}

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

BoardTable::BoardTable(QObject* parent) : QAbstractTableModel(parent) {
    batch_.setSingleShot(true);
    batch_.setInterval(kBatchMs);
    connect(&batch_, &QTimer::timeout, this, &BoardTable::flush);
    clock_.setInterval(60 * 1000);
    connect(&clock_, &QTimer::timeout, this, &BoardTable::refreshTimes);
    clock_.start();
}

void BoardTable::receive(const QByteArray& id, const QByteArray& payload) {
    pending_.emplace_back(id, payload);
    if (!batch_.isActive()) {
        batch_.start();
    }
}

void BoardTable::flush() {
    batch_.stop();
    if (pending_.empty()) {
        return;
    }
    // Rows only change in place when no one comes or goes; otherwise the view starts afresh.
    bool rowsChange = false;
    for (const auto& [id, payload] : pending_) {
        if (payload.isEmpty() || !board_.contains(std::string_view(
                                     id.constData(), static_cast<std::size_t>(id.size())))) {
            rowsChange = true;
            break;
        }
    }
    if (rowsChange) {
        beginResetModel();
    } else {
        emit layoutAboutToBeChanged();
    }
    for (const auto& [id, payload] : pending_) {
        board_.apply(
            std::string_view(id.constData(), static_cast<std::size_t>(id.size())),
            std::string_view(payload.constData(), static_cast<std::size_t>(payload.size())));
    }
    pending_.clear();
    board_.sort();
    if (rowsChange) {
        endResetModel();
    } else {
        emit layoutChanged();
        // The rows kept their places or moved, and what they say may have changed.
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
    emit flushed();
}

void BoardTable::setOrder(BoardOrder order) {
    emit layoutAboutToBeChanged();
    board_.sort(order);
    emit layoutChanged();
}

void BoardTable::refreshTimes() {
    if (board_.size() > 0) {
        emit dataChanged(index(0, BackColumn), index(rowCount() - 1, SinceColumn));
    }
}

int BoardTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(board_.size());
}

int BoardTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BoardTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const MemberStatus& member = board_.row(static_cast<std::size_t>(index.row()));
    const QDateTime now = QDateTime::currentDateTime();
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
            case NameColumn:
                return fromUtf8(member.name.empty() ? member.id : member.name);
            case StateColumn:
                switch (member.state) {
                    case Presence::Present:
                        return QCoreApplication::translate("TeamBoard", "Present");
                    case Presence::Away:
                        return QCoreApplication::translate("TeamBoard", "Away");
                    case Presence::Off:
                        return QCoreApplication::translate("TeamBoard", "Offline");
                }
                return {};
            case WhereColumn:
                return member.state == Presence::Off ? QString() : fromUtf8(member.where);
            case BackColumn:
                if (member.state == Presence::Off || !member.back) {
                    return QString();
                }
                return isOverdue(member, now.toSecsSinceEpoch())
                           ? QCoreApplication::translate("TeamBoard", "%1 (overdue)")
                                 .arg(timeText(*member.back, now))
                           : timeText(*member.back, now);
            case SinceColumn:
                return member.since ? timeText(*member.since, now) : QString();
            default:
                return {};
        }
    }
    if (role == Qt::ForegroundRole) {
        if (index.column() == BackColumn && isOverdue(member, now.toSecsSinceEpoch())) {
            return QBrush(QColor(0xC0, 0x00, 0x00));
        }
        if (member.state == Presence::Off) {
            return QBrush(QColor(0x80, 0x80, 0x80));
        }
        if (index.column() == StateColumn && member.state == Presence::Away) {
            return QBrush(QColor(0xB0, 0x50, 0x00));
        }
        return {};
    }
    if (role == Qt::BackgroundRole && index.column() == StateColumn &&
        member.state == Presence::Present) {
        return QBrush(QColor(0xDD, 0xF4, 0xDD));
    }
    return {};
}

QVariant BoardTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
        case NameColumn:
            return QCoreApplication::translate("TeamBoard", "Name");
        case StateColumn:
            return QCoreApplication::translate("TeamBoard", "State");
        case WhereColumn:
            return QCoreApplication::translate("TeamBoard", "Destination");
        case BackColumn:
            return QCoreApplication::translate("TeamBoard", "Back at");
        case SinceColumn:
            return QCoreApplication::translate("TeamBoard", "Since");
        default:
            return {};
    }
}

}  // namespace rumo
