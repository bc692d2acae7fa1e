// The explorer session as the page sees it: the page forwards its gestures
// and reads back what the session holds as JSON text (explore/session_view),
// the plot's points as a typed array. Leave-one-out jobs wait here until the
// page hands them to its Web Worker; the worker's cells come back through
// take_loo_cells.
#pragma once

#include <emscripten/val.h>

#include <string>
#include <vector>

#include "explore/session.hpp"

namespace tour {

class WebSession : public explore::LooRunner, public explore::ScoreRunner {
  public:
    WebSession();
    ~WebSession() override;
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    // A setup's JSON text opened as a new document; returns "" or what is
    // wrong with the text, and then nothing changes.
    std::string open(const std::string& text);
    std::string setup_text() const;
    // The setup in one line, for a link.
    std::string link_text() const;
    void mark_saved() { session_.mark_saved(); }

    std::string view() const;
    // The scene's JSON; its points stay in points() until the next call.
    std::string scene(bool fit_estimate);
    emscripten::val points() const;
    std::string readout(double x) const;
    // Counts the changes the session told of: a page redraws when it moved.
    int revision() const { return revision_; }
    // Whether every row of the table has its errors, as view()'s "tableReady".
    bool table_ready() const { return session_.table_ready(); }

    explore::Session& session() { return session_; }

    // The files the page writes. The table waits for every leave-one-out
    // cell: call it once view()'s "looReady" is true.
    std::string scores_csv() const;
    std::string curves_csv() const;
    std::string curves_faults() const;  // one line each; "" when none

    // The job for the Web Worker (JSON), or "" when none waits.
    std::string take_loo_job();
    // The worker's cells for a job (both JSON); false if either is not valid.
    bool take_loo_cells(const std::string& job, const std::string& cells);

    // Whether rows of the table are scored in the page's Web Workers: the
    // rows of an edit then wait for take_rows. Off, the session scores them
    // itself (those waiting at once).
    void score_elsewhere(bool on);
    // The score job for the Web Workers (JSON), or "" when none waits;
    // notify() is called as soon as one waits, in the middle of the gesture
    // that made it, so that the workers start before the page draws.
    std::string take_score_job();
    void on_score_job(emscripten::val notify) { on_score_job_ = std::move(notify); }
    // Rows a worker scored for a job, or a part of one (both JSON). The job
    // handed out last, passed back as it was, is not read again.
    bool take_rows(const std::string& job, const std::string& rows);

  private:
    void start(const explore::LooJob& job) override;
    void start(const explore::ScoreJob& job) override;

    explore::Session session_;
    int watch_ = 0;
    int revision_ = 0;
    std::string waiting_job_;
    std::string waiting_score_job_;
    std::string started_score_text_;  // the last score job handed out, and its text
    explore::ScoreJob started_score_job_;
    emscripten::val on_score_job_ = emscripten::val::undefined();
    std::vector<double> points_;
};

// What the page's Web Workers run: a job's cells, or its rows, as JSON; ""
// if the job is not valid.
std::string run_loo_job_json(const std::string& job);
std::string score_rows_json(const std::string& job);

// Whether a text is a valid setup: "" or what is wrong, where.
std::string setup_error(const std::string& text);

}  // namespace tour
