// A leave-one-out job: the methods to cross-validate on one layout, done
// wherever the caller runs it (a worker thread, a Web Worker, here).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "explore/scores.hpp"

namespace tour::explore {

// Methods to cross-validate on one layout.
struct LooJob {
    Layout layout;
    std::vector<MethodChoice> methods;
    friend bool operator==(const LooJob&, const LooJob&) = default;
};

// The job's cells, one per method in its order, or nothing if stopped()
// became true first. Nothing it meets ends the caller: a fault or an
// exception in a fold is that method's cell, and an exception outside the
// folds (the machine out of memory or threads) is every method's.
using LooProgress = std::function<void(int done, int total)>;
std::optional<std::vector<LooCell>> run_loo_job(const LooJob& job,
                                                const std::function<bool()>& stopped = {},
                                                const LooProgress& progress = {});

// Every method's cell the same fault.
std::vector<LooCell> every_cell_faulted(const LooJob& job, const std::string& why);

}  // namespace tour::explore
