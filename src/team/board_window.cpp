#include "team/board_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QMessageBox>
#include <QSaveFile>
#include <QVBoxLayout>
#include <cstdio>

#include "platform/secret_store.h"
#include "team/mqtt_link.h"
#include "team/team_publisher.h"

namespace rumo {

BoardWindow::BoardWindow(const BrokerAddress& address, const QString& password, bool wallScreen,
                         QWidget* parent)
    : QWidget(parent),
      status_(new QLabel(this)),
      view_(new QTableView(this)),
      link_(std::make_unique<MqttLink>(address, password)),
      prefix_(QByteArray::fromStdString(address.team + '/')),
      dumpFile_(qEnvironmentVariable("RUMO_BOARD_DUMP")) {
    setWindowTitle(QCoreApplication::translate("TeamBoard", "Team board - %1")
                       .arg(QString::fromStdString(address.team)));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(view_);
    view_->setModel(&table_);
    view_->setObjectName(QStringLiteral("board"));
    view_->setSelectionMode(QAbstractItemView::NoSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setAlternatingRowColors(true);
    view_->verticalHeader()->hide();
    view_->setWordWrap(false);
    QHeaderView* header = view_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(BoardTable::WhereColumn, QHeaderView::Stretch);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(BoardTable::NameColumn, Qt::AscendingOrder);
    connect(header, &QHeaderView::sectionClicked, this, [this, header](int section) {
        const bool byState = section == BoardTable::StateColumn;
        table_.setOrder(byState ? BoardOrder::ByState : BoardOrder::ByName);
        header->setSortIndicator(byState ? BoardTable::StateColumn : BoardTable::NameColumn,
                                 Qt::AscendingOrder);
    });
    if (wallScreen) {
        QFont large = font();
        large.setPointSizeF(large.pointSizeF() * 1.8);
        view_->setFont(large);
        header->setFont(large);
    }
    // Every row is as tall as the font: measured once, not per row, for a board of thousands.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 8);
    const int unit = view_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    view_->setColumnWidth(BoardTable::NameColumn, unit * 18);
    view_->setColumnWidth(BoardTable::StateColumn, unit * 12);
    view_->setColumnWidth(BoardTable::BackColumn, unit * 16);
    view_->setColumnWidth(BoardTable::SinceColumn, unit * 10);

    status_->setText(QCoreApplication::translate("TeamBoard", "Connecting to %1…")
                         .arg(QString::fromStdString(address.text())));
    link_->addSubscription(prefix_ + '+');
    connect(link_.get(), &MqttLink::message, this,
            [this](const QByteArray& topic, const QByteArray& payload) {
                if (topic.startsWith(prefix_)) {
                    table_.receive(topic.mid(prefix_.size()), payload);
                }
            });
    connect(link_.get(), &MqttLink::connectedChanged, this, [this, address](bool connected) {
        status_->setText(connected ? QString::fromStdString(address.text())
                                   : QCoreApplication::translate(
                                         "TeamBoard", "Lost the connection to %1. Reconnecting…")
                                         .arg(QString::fromStdString(address.text())));
    });
    connect(link_.get(), &MqttLink::failed, this,
            [this](const QString& reason) { status_->setText(reason); });
    if (!dumpFile_.isEmpty()) {
        connect(&table_, &BoardTable::flushed, this, &BoardWindow::dump);
    }
    link_->start();
    resize(unit * 100, view_->verticalHeader()->defaultSectionSize() * 20);
}

BoardWindow::~BoardWindow() = default;

// For tests and scripts: the rows as the view's model gives them, one per line, the cells
// separated by tabs and an overdue return time marked with a trailing "!".
void BoardWindow::dump() {
    QSaveFile file(dumpFile_);
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    for (int row = 0; row < table_.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < BoardTable::ColumnCount; ++column) {
            const QModelIndex index = table_.index(row, column);
            QString cell = table_.data(index, Qt::DisplayRole).toString();
            if (column == BoardTable::BackColumn &&
                table_.data(index, Qt::ForegroundRole).value<QBrush>().color() ==
                    QColor(0xC0, 0x00, 0x00)) {
                cell += QLatin1Char('!');
            }
            cells << cell;
        }
        file.write(cells.join(QLatin1Char('\t')).toUtf8() + '\n');
    }
    file.commit();
}

int runBoard(const QString& addressText, bool fullscreen, const QString& publishingAddress) {
    const QString text = addressText.isEmpty() ? publishingAddress : addressText;
    if (text.isEmpty()) {
        // Opened from the menu there is no terminal to read a line on.
        QMessageBox::information(
            nullptr, QCoreApplication::translate("TeamBoard", "Team board"),
            QCoreApplication::translate("TeamBoard",
                                        "No broker is set for the board yet.\n"
                                        "Set one with rumo --publish mqtt://HOST:PORT/TEAM."));
        return 2;
    }
    std::string error;
    const std::optional<BrokerAddress> address = parseBrokerAddress(text.toStdString(), &error);
    if (!address) {
        std::fprintf(stderr, "rumo: %s: %s\n", qPrintable(text), error.c_str());
        return 2;
    }
    QString password;
    if (!address->user.empty()) {
        const SecretResult secret = readSecret(brokerSecretName(*address));
        if (!secret.ok()) {
            std::fprintf(stderr, "rumo: no password for %s in the keyring: %s\n",
                         address->server().c_str(), qPrintable(secret.error));
        }
        password = secret.secret;
    }
    BoardWindow window(*address, password, fullscreen);
    if (fullscreen) {
        window.showFullScreen();
    } else {
        window.show();
    }
    return QApplication::exec();
}

}  // namespace rumo
