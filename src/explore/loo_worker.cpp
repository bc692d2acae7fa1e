#include "explore/loo_worker.hpp"

#include <sys/resource.h>
#include <unistd.h>

#include <exception>

namespace tour::explore {

LooWorker::LooWorker(Done done, Compute compute)
    : done_(std::move(done)), compute_(std::move(compute)), thread_([this] { loop(); }) {}

LooWorker::~LooWorker() {
    {
        const std::lock_guard<std::mutex> guard(lock_);
        closing_ = true;
        ++latest_;
    }
    wake_.notify_all();
    thread_.join();
}

void LooWorker::start(LooJob job) {
    {
        const std::lock_guard<std::mutex> guard(lock_);
        ++latest_;
        pending_ = std::move(job);
        folds_done_ = 0;
        folds_total_ = 1;  // until the worker takes the job
    }
    wake_.notify_all();
}

void LooWorker::stop() {
    const std::lock_guard<std::mutex> guard(lock_);
    ++latest_;
    pending_.reset();
    folds_done_ = 0;
    folds_total_ = 0;
}

double LooWorker::progress() const {
    const int total = folds_total_.load();
    return total > 0 ? static_cast<double>(folds_done_.load()) / total : 1.0;
}

void LooWorker::loop() {
    // Below the window's threads, so that the table follows the mouse while
    // the cross-validation runs (the helpers it starts inherit this).
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    for (;;) {
        LooJob job;
        std::uint64_t ticket = 0;
        {
            std::unique_lock<std::mutex> guard(lock_);
            wake_.wait(guard, [this] { return closing_ || pending_.has_value(); });
            if (closing_) {
                return;
            }
            job = std::move(*pending_);
            pending_.reset();
            ticket = latest_.load();
        }
        const auto stopped = [this, ticket] { return latest_.load() != ticket; };
        const auto progress = [this, stopped](int done, int total) {
            if (!stopped()) {
                folds_total_ = total;
                folds_done_ = done;
            }
        };
        std::optional<std::vector<LooCell>> cells;
        try {
            cells = compute_(job, stopped, progress);
        } catch (const std::exception& error) {
            cells = every_cell_faulted(job, error.what());
        } catch (...) {
            cells = every_cell_faulted(job, "An unexpected error stopped the cross-validation.");
        }
        if (cells && !stopped()) {
            folds_done_ = folds_total_.load();
            done_(job, std::move(*cells));
        }
    }
}

}  // namespace tour::explore
