// How the core shows a message box: the window implements it with a modal,
// OK-only box; tests record the messages.
#pragma once

#include <string>

namespace tour {

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void message_box(const std::string& text) = 0;
};

}  // namespace tour
