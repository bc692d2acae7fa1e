#include "explore/loo_job.hpp"

#include <atomic>
#include <exception>

namespace tour::explore {

std::vector<LooCell> every_cell_faulted(const LooJob& job, const std::string& why) {
    return std::vector<LooCell>(job.methods.size(), LooCell{LooCell::Kind::fault, 0.0, why});
}

std::optional<std::vector<LooCell>> run_loo_job(const LooJob& job,
                                                const std::function<bool()>& stopped,
                                                const LooProgress& progress) {
    const int inner = static_cast<int>(job.layout.stations.size()) - 2;
    const int total = inner > 0 ? inner * static_cast<int>(job.methods.size()) : 0;
    std::atomic<int> done{0};
    const auto fold_done = [&] {
        const int now = ++done;
        if (progress) {
            progress(now, total);
        }
    };
    try {
        return leave_one_out(job.layout, job.methods, stopped, fold_done);
    } catch (const std::exception& error) {
        return every_cell_faulted(job, error.what());
    } catch (...) {
        return every_cell_faulted(job, "An unexpected error stopped the cross-validation.");
    }
}

}  // namespace tour::explore
