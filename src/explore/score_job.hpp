// Rows of the score table to compute elsewhere (a page's Web Workers): the
// layout, the methods and which of them are drawn (their estimate and
// kriging's variance are wanted too).
#pragma once

#include <vector>

#include "explore/evaluate.hpp"
#include "explore/setup.hpp"

namespace tour::explore {

struct ScoreJob {
    Layout layout;
    std::vector<MethodChoice> methods;
    std::vector<bool> drawn;
    friend bool operator==(const ScoreJob&, const ScoreJob&) = default;
};

// The job's rows, one per method in its order.
std::vector<Evaluation> run_score_job(const ScoreJob& job);

// Computes score jobs and hands their rows to Session::take_rows, on the
// session's thread.
class ScoreRunner {
  public:
    virtual ~ScoreRunner() = default;
    // Starts the job; a job started before may be dropped.
    virtual void start(const ScoreJob& job) = 0;
};

}  // namespace tour::explore
