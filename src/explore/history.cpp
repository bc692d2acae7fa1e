#include "explore/history.hpp"

#include <utility>

namespace tour::explore {

namespace {
const std::string kNothing;
}

History::History(Setup setup) : current_(std::move(setup)) {}

bool History::apply(const Edit& edit, std::uint64_t merge_key) {
    if (!edit.accepted() || edit.setup == current_) {
        return false;
    }
    redo_.clear();
    if (merge_key != 0 && merge_key == open_key_ && !undo_.empty() &&
        undo_.back().id != saved_id_) {
        undo_.back().after = edit.setup;
        current_ = edit.setup;
        if (undo_.back().after == undo_.back().before) {
            undo_.pop_back();  // the drag came back to where it started
            open_key_ = 0;
        }
        return true;
    }
    undo_.push_back(Step{current_, edit.setup, edit.name, next_id_++});
    current_ = edit.setup;
    open_key_ = merge_key;
    return true;
}

const std::string& History::undo_name() const {
    return undo_.empty() ? kNothing : undo_.back().name;
}

const std::string& History::redo_name() const {
    return redo_.empty() ? kNothing : redo_.back().name;
}

void History::undo() {
    if (undo_.empty()) {
        return;
    }
    current_ = undo_.back().before;
    open_key_ = 0;
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
}

void History::redo() {
    if (redo_.empty()) {
        return;
    }
    current_ = redo_.back().after;
    open_key_ = 0;
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
}

void History::reset(Setup setup) {
    current_ = std::move(setup);
    undo_.clear();
    redo_.clear();
    saved_id_ = 0;
    open_key_ = 0;
}

void History::mark_saved() {
    saved_id_ = current_id();
}

bool History::modified() const {
    return current_id() != saved_id_;
}

std::uint64_t History::current_id() const {
    return undo_.empty() ? 0 : undo_.back().id;
}

}  // namespace tour::explore
