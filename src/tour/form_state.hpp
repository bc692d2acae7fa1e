// What the window shows, kept by the core: the window only mirrors it.
#pragma once

#include <string>

#include "display/picture.hpp"
#include "display/readout.hpp"
#include "world/message_sink.hpp"

namespace tour {

// The window's mouse pointer codes.
enum class MousePointer : int { system_default = 0, arrow = 1, hourglass = 11 };

struct FormState {
    std::string label1;                // the narrative text
    ValueColumns columns;              // Label5, Label6, Label7
    bool headers_visible = true;       // Label2, Label3, Label4
    bool axis_labels_visible = false;  // Label0, Label1000
    MousePointer pointer = MousePointer::system_default;
    Picture picture;  // Picture1
};

// What the core asks of the window while a click runs.
class FormHost : public MessageSink {
  public:
    // The pointer changes at once, before the stage computes.
    virtual void mouse_pointer_changed(MousePointer pointer) = 0;
    // Continue after the closing text: the program ends.
    virtual void end_program() = 0;
};

}  // namespace tour
