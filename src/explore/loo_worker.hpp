// Leave-one-out cross-validation of a score table, off the window's thread.
// Each start hands the worker a copy of what it needs; a newer start stops
// the computation still running. The result comes back as a value, through
// a callback on the worker's thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "explore/scores.hpp"

namespace tour::explore {

// The rows of a table to cross-validate: those that ran on the whole layout.
struct LooJob {
    Layout layout;
    std::vector<MethodChoice> methods;  // every row's method
    std::vector<bool> wanted;           // whether the row is cross-validated
    friend bool operator==(const LooJob&, const LooJob&) = default;
};
LooJob loo_job(const ScoreTable& table);

// The job's cells in the order of its rows (nothing for rows not wanted),
// or nothing if stopped() became true first.
std::optional<std::vector<LooCell>> run_loo_job(const LooJob& job,
                                                const std::function<bool()>& stopped = {});

class LooWorker {
  public:
    using Done = std::function<void(std::uint64_t ticket, std::vector<LooCell> cells)>;
    explicit LooWorker(Done done);
    ~LooWorker();
    LooWorker(const LooWorker&) = delete;
    LooWorker& operator=(const LooWorker&) = delete;

    // Starts the job, stopping the one before; done receives the returned
    // ticket with the cells unless a newer start or stop comes first.
    std::uint64_t start(LooJob job);
    void stop();

  private:
    void loop();

    Done done_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::optional<LooJob> pending_;
    std::atomic<std::uint64_t> latest_{0};
    bool closing_ = false;
    std::thread thread_;
};

}  // namespace tour::explore
