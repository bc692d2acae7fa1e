// Runs the explorer session's leave-one-out jobs on a worker thread below
// the window's priority and hands the cells back on the window's thread.
#pragma once

#include <QObject>
#include <memory>

#include "explore/loo_worker.hpp"
#include "explore/session.hpp"

namespace tour {

class LooThread : public QObject, public explore::LooRunner {
    Q_OBJECT
  public:
    // Becomes the session's runner until destroyed; the session must outlive it.
    explicit LooThread(explore::Session& session, QObject* parent = nullptr);
    ~LooThread() override;

    void start(const explore::LooJob& job) override;
    // How far the running job is, from 0 to 1.
    double progress() const { return worker_->progress(); }

  private:
    explore::Session& session_;
    std::unique_ptr<explore::LooWorker> worker_;
};

}  // namespace tour
