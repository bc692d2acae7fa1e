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

class WebSession : public explore::LooRunner {
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

  private:
    void start(const explore::LooJob& job) override;

    explore::Session session_;
    int watch_ = 0;
    int revision_ = 0;
    std::string waiting_job_;
    std::vector<double> points_;
};

// What the page's Web Worker runs: a job's cells as JSON, or "" if the job
// is not valid.
std::string run_loo_job_json(const std::string& job);

// Whether a text is a valid setup: "" or what is wrong, where.
std::string setup_error(const std::string& text);

}  // namespace tour
