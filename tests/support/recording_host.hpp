// A window stand-in that records what the core asks of it.
#pragma once

#include <string>
#include <vector>

#include "tour/form_state.hpp"

namespace tour::testing {

class RecordingHost : public FormHost {
  public:
    void mouse_pointer_changed(MousePointer pointer) override { pointers.push_back(pointer); }
    void end_program() override { ++ends; }
    void message_box(const std::string& text) override { messages.push_back(text); }

    std::vector<MousePointer> pointers;
    std::vector<std::string> messages;
    int ends = 0;
};

}  // namespace tour::testing
