#include "window/loo_thread.hpp"

namespace tour {

LooThread::LooThread(explore::Session& session, QObject* parent)
    : QObject(parent), session_(session) {
    worker_ = std::make_unique<explore::LooWorker>(
        [this](const explore::LooJob& job, std::vector<explore::LooCell> cells) {
            // On the worker's thread: the cells go to the window's.
            QMetaObject::invokeMethod(
                this, [this, job, cells = std::move(cells)] { session_.take_loo(job, cells); },
                Qt::QueuedConnection);
        });
    session_.set_loo_runner(this);
}

LooThread::~LooThread() {
    session_.set_loo_runner(nullptr);
    worker_.reset();  // stops and joins: no cells arrive after this
}

void LooThread::start(const explore::LooJob& job) {
    worker_->start(job);
}

}  // namespace tour
