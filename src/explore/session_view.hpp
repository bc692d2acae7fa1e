// The session as a page shows it, in JSON text: what the controls, the
// table and the plot hold, the values under the pointer, and the
// leave-one-out jobs a page hands to its Web Worker and the cells it gets
// back. Numbers are JSON numbers that read back as the same doubles; the
// page formats them in the user's language.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explore/loo_job.hpp"
#include "explore/scene.hpp"
#include "explore/score_job.hpp"
#include "explore/session.hpp"

namespace tour::explore {

// The catalogue's labels, for the method lists, and the true fields.
std::string catalogue_json();

// The controls and the table:
//   {"field": "bump", "stations": [{"x", "value", "least", "most", "fixed"}...],
//    "selected": x | null, "canRemove", "method": entry, "compare": entry | null,
//    "compareOwn": label | null, "parameters": [{"key", "label", "kind", "value",
//    "range", "applies", "choices": [...]}], "tourValues", "undo": name | null,
//    "redo": name | null, "modified", "refusal", "looReady",
//    "rows": [{"label", "tourValues", "fault", "rms", "max", "loo": {"kind",
//    "rms", "fault"}}], "chosen": row, "compared": row | null}
// "least" and "most" are where a station may move to; the end stations are fixed.
std::string view_json(const Session& session);

// The plot's scene: its bounds and ticks, the curves and bands by colour and
// width with where their points lie in scene_points (x, y pairs), the
// stations, the legend and the notes.
std::string scene_json(const Scene& scene);
std::vector<double> scene_points(const Scene& scene);

// The values at the whole position nearest x, or null off the plot:
//   {"x", "truth", "chosen": {"label", "value"} | null, "twoSigma": number |
//    null, "variance": number | null, "compared": {"label", "value"} | null}
std::string readout_json(const Session& session, double x);

// A score job as text for a Web Worker, and back; the worker's rows likewise
// (their numbers, estimates and variances read back to the same bits).
std::string score_job_json(const ScoreJob& job);
std::optional<ScoreJob> parse_score_job(std::string_view text);
std::string rows_json(const std::vector<Evaluation>& rows);
std::optional<std::vector<Evaluation>> parse_rows(std::string_view text);

// A job as text for a Web Worker, and back; the worker's cells likewise.
std::string loo_job_json(const LooJob& job);
std::optional<LooJob> parse_loo_job(std::string_view text);
std::string loo_cells_json(const std::vector<LooCell>& cells);
std::optional<std::vector<LooCell>> parse_loo_cells(std::string_view text);

}  // namespace tour::explore
