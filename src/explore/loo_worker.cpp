#include "explore/loo_worker.hpp"

#include <sys/resource.h>
#include <unistd.h>

namespace tour::explore {

LooJob loo_job(const ScoreTable& table) {
    LooJob job;
    job.layout = table.layout;
    for (std::size_t row = 0; row < table.methods.size(); ++row) {
        job.methods.push_back(table.methods[row].method);
        job.wanted.push_back(table.rows[row].ran());
    }
    return job;
}

std::optional<std::vector<LooCell>> run_loo_job(const LooJob& job,
                                                const std::function<bool()>& stopped) {
    std::vector<MethodChoice> methods;
    for (std::size_t row = 0; row < job.methods.size(); ++row) {
        if (job.wanted[row]) {
            methods.push_back(job.methods[row]);
        }
    }
    auto computed = leave_one_out(job.layout, methods, stopped);
    if (!computed) {
        return std::nullopt;
    }
    std::vector<LooCell> cells(job.methods.size());
    std::size_t next = 0;
    for (std::size_t row = 0; row < job.methods.size(); ++row) {
        if (job.wanted[row]) {
            cells[row] = std::move((*computed)[next++]);
        }
    }
    return cells;
}

LooWorker::LooWorker(Done done) : done_(std::move(done)), thread_([this] { loop(); }) {}

LooWorker::~LooWorker() {
    {
        const std::lock_guard<std::mutex> guard(lock_);
        closing_ = true;
        ++latest_;
    }
    wake_.notify_all();
    thread_.join();
}

std::uint64_t LooWorker::start(LooJob job) {
    std::uint64_t ticket = 0;
    {
        const std::lock_guard<std::mutex> guard(lock_);
        ticket = ++latest_;
        pending_ = std::move(job);
    }
    wake_.notify_all();
    return ticket;
}

void LooWorker::stop() {
    const std::lock_guard<std::mutex> guard(lock_);
    ++latest_;
    pending_.reset();
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
        auto cells = run_loo_job(job, stopped);
        if (cells && !stopped()) {
            done_(ticket, std::move(*cells));
        }
    }
}

}  // namespace tour::explore
