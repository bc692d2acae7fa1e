#include "web_session.hpp"

#include <emscripten/val.h>

#include "explore/curves_csv.hpp"
#include "explore/score_csv.hpp"
#include "explore/session_view.hpp"
#include "explore/setup_json.hpp"

namespace tour {

WebSession::WebSession() {
    watch_ = session_.watch([this](unsigned) { ++revision_; });
    session_.set_loo_runner(this);
}

WebSession::~WebSession() {
    session_.set_loo_runner(nullptr);
    session_.set_score_runner(nullptr);
    session_.unwatch(watch_);
}

void WebSession::score_elsewhere(bool on) {
    waiting_score_job_.clear();
    session_.set_score_runner(on ? this : nullptr);
}

std::string WebSession::take_score_job() {
    return std::exchange(waiting_score_job_, {});
}

bool WebSession::take_rows(const std::string& job, const std::string& rows) {
    const auto parsed_job = job == started_score_text_ ? std::optional(started_score_job_)
                                                       : explore::parse_score_job(job);
    const auto parsed_rows = explore::parse_rows(rows);
    if (!parsed_job || !parsed_rows || parsed_rows->size() != parsed_job->methods.size()) {
        return false;
    }
    session_.take_rows(*parsed_job, *parsed_rows);
    return true;
}

void WebSession::start(const explore::ScoreJob& job) {
    waiting_score_job_ = explore::score_job_json(job);
    started_score_text_ = waiting_score_job_;
    started_score_job_ = job;
    if (!on_score_job_.isUndefined()) {
        on_score_job_();
    }
}

std::string score_rows_json(const std::string& job) {
    const auto parsed = explore::parse_score_job(job);
    if (!parsed) {
        return {};
    }
    return explore::rows_json(explore::run_score_job(*parsed));
}

std::string WebSession::open(const std::string& text) {
    explore::ParsedSetup parsed = explore::parse_setup(text);
    if (parsed.ok()) {
        session_.open(std::move(parsed.setup));
    }
    return parsed.error;
}

std::string WebSession::setup_text() const {
    return explore::setup_text(session_.setup());
}

std::string WebSession::link_text() const {
    return explore::compact_setup_text(session_.setup());
}

std::string WebSession::view() const {
    return explore::view_json(session_);
}

std::string WebSession::scene(bool fit_estimate) {
    const explore::Scene scene = session_.scene(fit_estimate);
    points_ = explore::scene_points(scene);
    return explore::scene_json(scene);
}

emscripten::val WebSession::points() const {
    return emscripten::val(emscripten::typed_memory_view(points_.size(), points_.data()));
}

std::string WebSession::readout(double x) const {
    return explore::readout_json(session_, x);
}

std::string WebSession::scores_csv() const {
    return explore::score_csv(session_.table(), session_.loo_cells());
}

std::string WebSession::curves_csv() const {
    return explore::curves_csv(session_.table()).text;
}

std::string WebSession::curves_faults() const {
    std::string lines;
    for (const std::string& fault : explore::curves_csv(session_.table()).faults) {
        lines += fault + "\n";
    }
    return lines;
}

std::string WebSession::take_loo_job() {
    return std::exchange(waiting_job_, {});
}

bool WebSession::take_loo_cells(const std::string& job, const std::string& cells) {
    const auto parsed_job = explore::parse_loo_job(job);
    const auto parsed_cells = explore::parse_loo_cells(cells);
    if (!parsed_job || !parsed_cells || parsed_cells->size() != parsed_job->methods.size()) {
        return false;
    }
    session_.take_loo(*parsed_job, *parsed_cells);
    return true;
}

void WebSession::start(const explore::LooJob& job) {
    waiting_job_ = explore::loo_job_json(job);
}

std::string run_loo_job_json(const std::string& job) {
    const auto parsed = explore::parse_loo_job(job);
    if (!parsed) {
        return {};
    }
    return explore::loo_cells_json(*explore::run_loo_job(*parsed));
}

std::string setup_error(const std::string& text) {
    return explore::parse_setup(text).error;
}

}  // namespace tour
