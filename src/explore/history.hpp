// The open setup with its undo and redo history. Every accepted edit is one
// step; the steps of one drag merge into one. The history also knows whether
// the setup has changed since it was last saved or opened.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "explore/edits.hpp"
#include "explore/setup.hpp"

namespace tour::explore {

class History {
  public:
    explicit History(Setup setup = default_setup());

    const Setup& setup() const { return current_; }

    // Takes an accepted edit that changes the setup as a new step and drops
    // what could be redone. An edit with the same non-zero merge key as the
    // edit that made the last step joins that step, until an undo or redo.
    // Returns whether the setup changed.
    bool apply(const Edit& edit, std::uint64_t merge_key = 0);

    bool can_undo() const { return !undo_.empty(); }
    bool can_redo() const { return !redo_.empty(); }
    // The name of the step Undo or Redo would take back or do again.
    const std::string& undo_name() const;
    const std::string& redo_name() const;
    void undo();
    void redo();

    // A new document: the setup, no history, nothing unsaved.
    void reset(Setup setup);
    // The setup as it is now is saved.
    void mark_saved();
    bool modified() const;

  private:
    struct Step {
        Setup before;
        Setup after;
        std::string name;
        std::uint64_t id;
    };
    std::uint64_t current_id() const;

    Setup current_;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
    std::uint64_t open_key_ = 0;  // the merge key of the step edits may join
    std::uint64_t next_id_ = 1;
    std::uint64_t saved_id_ = 0;  // the step the saved setup ends with; 0: none
};

}  // namespace tour::explore
