// Leave-one-out jobs off the window's thread, below its priority. Each start
// hands the worker a copy of what it needs; a newer start stops the
// computation still running. The result comes back as a value, through a
// callback on the worker's thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "explore/loo_job.hpp"

namespace tour::explore {

class LooWorker {
  public:
    using Done = std::function<void(const LooJob& job, std::vector<LooCell> cells)>;
    using Compute = std::function<std::optional<std::vector<LooCell>>(
        const LooJob&, const std::function<bool()>&, const LooProgress&)>;
    // compute: how a job is done (run_loo_job; tests hand in others).
    explicit LooWorker(Done done, Compute compute = run_loo_job);
    ~LooWorker();
    LooWorker(const LooWorker&) = delete;
    LooWorker& operator=(const LooWorker&) = delete;

    // Starts the job, stopping the one before; done receives its cells
    // unless a newer start or stop comes first.
    void start(LooJob job);
    void stop();
    // How far the running job is, from 0 to 1; 1 when none runs.
    double progress() const;

  private:
    void loop();

    Done done_;
    Compute compute_;
    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::optional<LooJob> pending_;
    std::atomic<std::uint64_t> latest_{0};
    std::atomic<int> folds_done_{0};
    std::atomic<int> folds_total_{0};
    bool closing_ = false;
    std::thread thread_;
};

}  // namespace tour::explore
