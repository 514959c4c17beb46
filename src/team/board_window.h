// The office board: a window that follows everyone's state under one team topic, as the
// whiteboard by the door would show it, sorted by name or by state (click the column's header).
#pragma once

#include <QLabel>
#include <QTableView>
#include <QWidget>
#include <memory>

#include "team/board_table.h"
#include "team/broker_address.h"

namespace rumo {

class MqttLink;

class BoardWindow : public QWidget {
    Q_OBJECT
public:
    BoardWindow(const BrokerAddress& address, const QString& password, bool wallScreen,
                QWidget* parent = nullptr);
    ~BoardWindow() override;

    BoardTable& table() { return table_; }

private:
    void dump();

    BoardTable table_;
    QLabel* status_;
    QTableView* view_;
    std::unique_ptr<MqttLink> link_;
    QByteArray prefix_;
    QString dumpFile_;
};

// `rumo --board [ADDRESS] [--fullscreen]`: the address given, or the one publishing uses.
// Returns the exit status.
int runBoard(const QString& addressText, bool fullscreen, const QString& publishingAddress);

}  // namespace rumo
