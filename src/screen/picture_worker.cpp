#include "screen/picture_worker.h"

#include <QMetaObject>
#include <QPointer>
#include <atomic>
#include <mutex>
#include <thread>

namespace rumo {

namespace {

std::atomic<int> runningDecodes{0};

}  // namespace

// Shared with the decoding threads; the owner detaches itself under the lock before it goes,
// so no result is ever posted to a destroyed object.
struct PictureWorker::Mailbox {
    std::mutex mutex;
    PictureWorker* owner = nullptr;
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
    return runningDecodes.load();
}

void PictureWorker::decode(int id, PictureDecodeHook hook, QString path, PictureScreen screen,
                           bool foreground) {
    ++runningDecodes;
    // A thread of its own: a decode is rare (two at the start, a slide every three minutes) and
    // must never wait behind another one, nor keep the process from ending.
    std::thread([mailbox = mailbox_, id, hook = std::move(hook), path = std::move(path), screen,
                 foreground] {
        std::optional<PreparedPicture> picture;
        if (hook) {
            picture = hook(path, screen, foreground);
        }
        {
            const std::lock_guard lock(mailbox->mutex);
            if (mailbox->owner != nullptr) {
                PictureWorker* owner = mailbox->owner;
                QMetaObject::invokeMethod(
                    owner,
                    [owner, id, result = std::move(picture)]() mutable {
                        owner->done_(id, std::move(result));
                    },
                    Qt::QueuedConnection);
            }
        }
        --runningDecodes;
    }).detach();
}

}  // namespace rumo
