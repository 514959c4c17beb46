#include "screen/picture_worker.h"

#include <QMetaObject>
#include <mutex>

#include "common/task_pool.h"

namespace rumo {

// Shared with the loading threads; the owner detaches itself under the lock before it goes,
// so no result is ever posted to a destroyed object.
struct PictureWorker::Mailbox {
    std::mutex mutex;
    PictureWorker* owner = nullptr;

    void post(Result result) {
        const std::lock_guard lock(mutex);
        if (owner == nullptr) {
            return;
        }
        PictureWorker* to = owner;
        QMetaObject::invokeMethod(
            to, [to, result = std::move(result)]() mutable { to->done_(std::move(result)); },
            Qt::QueuedConnection);
    }
};

PictureWorker::PictureWorker(TaskPool& loads, Done done, QObject* parent)
    : QObject(parent),
      loads_(loads),
      mailbox_(std::make_shared<Mailbox>()),
      done_(std::move(done)) {
    mailbox_->owner = this;
}

PictureWorker::~PictureWorker() {
    stop_.request_stop();
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->owner = nullptr;
}

void PictureWorker::load(int id, PictureProbeHook probe, PictureDecodeHook decode, QString path,
                         PictureScreen screen, bool foreground) {
    loads_.submit(stop_.get_token(),
                  [mailbox = mailbox_, id, probe = std::move(probe), decode = std::move(decode),
                   path = std::move(path), screen, foreground](const std::stop_token& stop) {
                      bool usable = true;
                      if (probe) {
                          Result header{id, true, probe(path), std::nullopt, screen};
                          usable = header.size && !header.size->isEmpty();
                          mailbox->post(std::move(header));
                      }
                      // The decoder itself checks the stop between its reads
                      // (TaskPool::currentStop()).
                      if (usable && !stop.stop_requested()) {
                          Result pixels{id, false, std::nullopt, std::nullopt, screen};
                          if (decode) {
                              pixels.picture = decode(path, screen, foreground);
                          }
                          mailbox->post(std::move(pixels));
                      }
                  });
}

}  // namespace rumo
