// What the page may call: the tour's state and its two clicks; the explorer
// session's state, its gestures and files; what the page's Web Worker runs;
// the constants the page draws with.
#include <emscripten/bind.h>

#include "explore/session_view.hpp"
#include "web_session.hpp"
#include "web_tour.hpp"

namespace {

using tour::FormState;
using tour::WebSession;
using tour::WebTour;

const FormState& form(const WebTour& t) {
    return t.form();
}

tour::explore::Session& session(WebSession& s) {
    return s.session();
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
    constant("pointerArrow", static_cast<int>(tour::MousePointer::arrow));
    constant("pointerHourglass", static_cast<int>(tour::MousePointer::hourglass));

    class_<WebSession>("Session")
        .constructor<>()
        .function("open", &WebSession::open)
        .function("setupText", &WebSession::setup_text)
        .function("linkText", &WebSession::link_text)
        .function("markSaved", &WebSession::mark_saved)
        .function("view", &WebSession::view)
        .function("scene", &WebSession::scene)
        .function("points", &WebSession::points)
        .function("readout", &WebSession::readout)
        .function("scoresCsv", &WebSession::scores_csv)
        .function("curvesCsv", &WebSession::curves_csv)
        .function("curvesFaults", &WebSession::curves_faults)
        .function("takeLooJob", &WebSession::take_loo_job)
        .function("takeLooCells", &WebSession::take_loo_cells)
        .function("scoreElsewhere", &WebSession::score_elsewhere)
        .function("takeScoreJob", &WebSession::take_score_job)
        .function("takeRows", &WebSession::take_rows)
        .function("onScoreJob", &WebSession::on_score_job)
        .property("revision", &WebSession::revision)
        .property("tableReady", &WebSession::table_ready)
        .function(
            "addStation", +[](WebSession& s, double x) { return session(s).add_station(x); })
        .function(
            "newGesture",
            +[](WebSession& s) { return static_cast<double>(session(s).new_gesture()); })
        .function(
            "dragStation",
            +[](WebSession& s, int index, double x, double gesture) {
                return session(s).drag_station(index, x, static_cast<std::uint64_t>(gesture));
            })
        .function(
            "moveStation",
            +[](WebSession& s, int index, int to) { return session(s).move_station(index, to); })
        .function(
            "removeStation",
            +[](WebSession& s, int index) { return session(s).remove_station(index); })
        .function(
            "removeSelected", +[](WebSession& s) { return session(s).remove_selected(); })
        .function(
            "select",
            +[](WebSession& s, int position) {
                session(s).select(position < 0 ? std::nullopt : std::optional<int>(position));
            })
        .function(
            "setField",
            +[](WebSession& s, int field) {
                return session(s).set_field(field == 0 ? tour::explore::Field::bump
                                                       : tour::explore::Field::plateau);
            })
        .function(
            "loadPreset",
            +[](WebSession& s, int scenario) { return session(s).load_preset(scenario); })
        .function(
            "chooseMethod",
            +[](WebSession& s, int entry) { return session(s).choose_method(entry); })
        .function(
            "chooseCompare",
            +[](WebSession& s, int entry) {
                return session(s).choose_compare(entry < 0 ? std::nullopt
                                                           : std::optional<int>(entry));
            })
        .function(
            "useTourValues", +[](WebSession& s) { return session(s).use_tour_values(); })
        .function(
            "setParameter", +[](WebSession& s, int index,
                                std::string text) { return session(s).set_parameter(index, text); })
        .function(
            "undo", +[](WebSession& s) { session(s).undo(); })
        .function(
            "redo", +[](WebSession& s) { session(s).redo(); });

    function("catalogueJson", &tour::explore::catalogue_json);
    function("runLooJob", &tour::run_loo_job_json);
    function("scoreRows", &tour::score_rows_json);
    function("setupError", &tour::setup_error);
}
