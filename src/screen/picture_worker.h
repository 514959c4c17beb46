// Reads and decodes the notice's pictures on the program's loading threads, so a slow or hostile
// file (or a file system that stops answering) never keeps the notice from drawing its text or
// answering input; results come back on the owner's thread.
#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

#include "screen/picture_decoder.h"
#include "screen/picture_table.h"

namespace rumo {

class TaskPool;

// A picture's size from its file's header; nothing when the file cannot be used.
using PictureProbeHook = std::function<std::optional<QSize>(const QString& path)>;

class PictureWorker : public QObject {
    Q_OBJECT
public:
    // What one load sends back: first the header (when one was asked for), then the pixels.
    struct Result {
        int id = -1;
        bool header = false;        // a header's answer, size; otherwise pixels, picture
        std::optional<QSize> size;  // nothing: the file is not a picture the notice can use
        std::optional<PreparedPicture> picture;
        PictureScreen screen;  // the screen the pixels were decoded for
    };
    using Done = std::function<void(Result result)>;

    PictureWorker(TaskPool& loads, Done done, QObject* parent = nullptr);
    // Loads not started yet are dropped, the running ones told to stop, and results still on
    // their way go nowhere. Never waits for a load.
    ~PictureWorker() override;

    // With probe, the header is read and sent first, and the pixels are decoded only when it
    // passes; without it, only the pixels.
    void load(int id, PictureProbeHook probe, PictureDecodeHook decode, QString path,
              PictureScreen screen, bool foreground);

private:
    struct Mailbox;
    TaskPool& loads_;
    std::stop_source stop_;
    std::shared_ptr<Mailbox> mailbox_;
    Done done_;
};

}  // namespace rumo
