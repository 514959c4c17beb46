// Decodes the notice's pictures off the window's thread, so a slow or hostile file never keeps
// the notice from drawing its text or answering input; results come back on the owner's thread.
#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "screen/picture_decoder.h"
#include "screen/picture_table.h"

namespace rumo {

class PictureWorker : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(int id, std::optional<PreparedPicture> picture)>;

    explicit PictureWorker(Done done, QObject* parent = nullptr);
    // Results still on their way are dropped; decodes still running finish on their own.
    ~PictureWorker() override;

    void decode(int id, PictureDecodeHook hook, QString path, PictureScreen screen,
                bool foreground);

    // Decodes still running in this process. The process ends without waiting for them.
    static int running();

private:
    struct Mailbox;
    std::shared_ptr<Mailbox> mailbox_;
    Done done_;
};

}  // namespace rumo
