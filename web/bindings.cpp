// What the page may call: the tour's state and its two clicks.
#include <emscripten/bind.h>

#include "web_tour.hpp"

namespace {

using tour::FormState;
using tour::WebTour;

const FormState& form(const WebTour& t) {
    return t.form();
}

}  // namespace

EMSCRIPTEN_BINDINGS(interp1d_tour) {
    using namespace emscripten;
    register_vector<std::string>("Messages");
    class_<WebTour>("Tour")
        .constructor<std::string, val>()
        .function("pressContinue", &WebTour::press_continue)
        .function("pressBack", &WebTour::press_back)
        .function("takeMessages", &WebTour::take_messages)
        .function("primitives", &WebTour::primitives)
        .property("ended", &WebTour::ended)
        .property(
            "label1", +[](const WebTour& t) { return form(t).label1; })
        .property(
            "methods", +[](const WebTour& t) { return form(t).columns.method; })
        .property(
            "rmsErrors", +[](const WebTour& t) { return form(t).columns.rms; })
        .property(
            "maxErrors", +[](const WebTour& t) { return form(t).columns.max; })
        .property(
            "headersVisible", +[](const WebTour& t) { return form(t).headers_visible; })
        .property(
            "axisLabelsVisible", +[](const WebTour& t) { return form(t).axis_labels_visible; })
        .property(
            "pointer", +[](const WebTour& t) { return static_cast<int>(form(t).pointer); })
        .property(
            "scaleLeft", +[](const WebTour& t) { return form(t).picture.scale().left; })
        .property(
            "scaleTop", +[](const WebTour& t) { return form(t).picture.scale().top; })
        .property(
            "scaleRight", +[](const WebTour& t) { return form(t).picture.scale().right; })
        .property(
            "scaleBottom", +[](const WebTour& t) { return form(t).picture.scale().bottom; });
    constant("primitiveFloats", WebTour::kPrimitiveFloats);
}
