#include "explore/score_job.hpp"

namespace tour::explore {

std::vector<Evaluation> run_score_job(const ScoreJob& job) {
    std::vector<Evaluation> rows;
    for (std::size_t i = 0; i < job.methods.size(); ++i) {
        const bool drawn = i < job.drawn.size() && job.drawn[i];
        rows.push_back(evaluate(job.layout, job.methods[i], Wanted{drawn, drawn}));
    }
    return rows;
}

}  // namespace tour::explore
