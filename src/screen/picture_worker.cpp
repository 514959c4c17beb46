#include "screen/picture_worker.h"

#include <QMetaObject>
#include <atomic>
#include <mutex>
#include <thread>

namespace rumo {

namespace {

std::atomic<int> runningLoads{0};

}  // namespace

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

PictureWorker::PictureWorker(Done done, QObject* parent)
    : QObject(parent), mailbox_(std::make_shared<Mailbox>()), done_(std::move(done)) {
    mailbox_->owner = this;
}

PictureWorker::~PictureWorker() {
    const std::lock_guard lock(mailbox_->mutex);
    mailbox_->owner = nullptr;
}

int PictureWorker::running() {
    return runningLoads.load();
}

void PictureWorker::load(int id, PictureProbeHook probe, PictureDecodeHook decode, QString path,
                         PictureScreen screen, bool foreground) {
    ++runningLoads;
    // A thread of its own: a load is rare (two at the start, a slide every three minutes) and
    // must never wait behind another one stuck on its file, nor keep the process from ending.
    std::thread([mailbox = mailbox_, id, probe = std::move(probe), decode = std::move(decode),
                 path = std::move(path), screen, foreground] {
        bool usable = true;
        if (probe) {
            Result header{id, true, probe(path), std::nullopt, screen};
            usable = header.size && !header.size->isEmpty();
            mailbox->post(std::move(header));
        }
        if (usable) {
            Result pixels{id, false, std::nullopt, std::nullopt, screen};
            if (decode) {
                pixels.picture = decode(path, screen, foreground);
            }
            mailbox->post(std::move(pixels));
        }
        --runningLoads;
    }).detach();
}

}  // namespace rumo
