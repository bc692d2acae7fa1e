#include "tour/tour.hpp"

#include <utility>

#include "display/plot.hpp"
#include "display/readout.hpp"
#include "world/float_faults.hpp"

namespace tour {

namespace {
std::int16_t stations_of(std::int16_t scenario) {
    return scenario == 2 ? 12 : 21;
}

template <typename T>
void check_all(const Array1<T>& values) {
    for (int i = values.lbound(); i <= values.ubound(); ++i) {
        check_finite(values(i));
    }
}

template <typename T>
void check_all(const Array2<T>& values) {
    for (int i = values.lbound1(); i <= values.ubound1(); ++i) {
        for (int j = values.lbound2(); j <= values.ubound2(); ++j) {
            check_finite(values(i, j));
        }
    }
}

// Every number that a click leaves in the world and the picture is finite.
// Where the processor keeps no fault flags, this is how a fault shows.
void check_results(const World& world, const Picture& picture) {
    check_all(world.statx);
    check_all(world.statv);
    check_all(world.est);
    check_all(world.statw);
    check_all(world.combw);
    check_finite(world.radius);
    check_all(world.pairdist);
    check_all(world.pairsq);
    check_all(world.vgmodel);
    check_all(world.rmserr);
    check_all(world.maxerr);
    for (const Primitive& item : picture.items()) {
        for (const float v : {item.x1, item.y1, item.x2, item.y2}) {
            check_finite(v);
        }
    }
}
}  // namespace

Tour::Tour(FormHost& host, std::string decimal_separator)
    : host_(host), decimal_separator_(std::move(decimal_separator)) {
    Form_Load();
}

void Tour::Form_Load() {
    form_.headers_visible = false;
    form_.columns = {};
    stage_ = -1;
    form_.picture.set_scale(0.0f, 1.2f, 1000.0f, -0.1f);
    form_.label1 = kWelcomeText;
    filltexts(narrative_);
    world_.nstat = 21;
    world_.scenario = 1;
    setstations(world_);
}

void Tour::Command1_Click() {
    if (ended_) {
        return;
    }
    if (world_.scenario == 4) {
        ended_ = true;
        FloatFlagsKeeper keep;
        host_.end_program();
        return;
    }
    const FloatFaultWatch watch;
    stage_ = checked_add(stage_, 1);
    showstage();
    writeerr();
    check_results(world_, form_.picture);
    watch.check();
}

void Tour::Command2_Click() {
    if (ended_) {
        return;
    }
    // At the start of the tour there is nothing to go back to.
    if (stage_ <= 0 && world_.scenario == 1) {
        return;
    }
    const FloatFaultWatch watch;
    if (stage_ == 36) {
        stage_ = 34;
    } else if (stage_ == 34) {
        stage_ = 31;
    } else if (stage_ == 1 && world_.scenario > 1) {
        stage_ = 36;
        world_.scenario = checked_add(world_.scenario, -1);
        world_.nstat = stations_of(world_.scenario);
        setstations(world_);
        form_.columns = {};
    } else {
        stage_ = checked_add(stage_, -1);
    }
    showstage();
    check_results(world_, form_.picture);
    watch.check();
}

void Tour::showstage() {
    if (stage_ < kFirstStage || stage_ > kLastStage) {
        nextscenario();
        return;
    }
    set_pointer(MousePointer::hourglass);
    const StageRow& row = stagerow(stage_);
    if (stage_ == 3) {
        form_.headers_visible = true;
    }
    prepareplot(row.plot);
    runstage();
    narrate(row);
    if (stage_ == 0) {
        form_.axis_labels_visible = true;
    }
    set_pointer(MousePointer::arrow);
}

void Tour::prepareplot(PlotPrep prep) {
    form_.picture.refresh();
    clearplot(form_.picture);
    if (prep == PlotPrep::with_truth || prep == PlotPrep::full) {
        drawtruth(world_, form_.picture);
    }
    if (prep == PlotPrep::full) {
        drawstations(world_, form_.picture);
    }
}

void Tour::runstage() {
    StageContext context{world_, form_.picture, stage_, host_};
    runstagemethod(context);
    if (stagescoring(stage_) == Scoring::estimate) {
        drawestimate(world_, form_.picture, stage_);
    }
}

void Tour::narrate(const StageRow& row) {
    const bool own_text =
        row.narration == Narration::later_text ||
        (row.narration == Narration::later_text_but_scenario3 && world_.scenario != 3);
    form_.label1 =
        own_text ? laterstagetext(stage_) : narrative_.stagetext(stage_, world_.scenario);
}

// Past the last stage: the next scenario's true field, or the closing text.
void Tour::nextscenario() {
    world_.scenario = checked_add(world_.scenario, 1);
    if (world_.scenario == 2 || world_.scenario == 3) {
        form_.label1 = world_.scenario == 2 ? kEnteringScenario2Text : kEnteringScenario3Text;
        form_.picture.refresh();
        world_.nstat = stations_of(world_.scenario);
        stage_ = 1;
        setstations(world_);
        clearplot(form_.picture);
        drawtruth(world_, form_.picture);
    } else {
        form_.picture.refresh();
        stage_ = 1;
        theend();
    }
}

void Tour::theend() {
    form_.label1 = kClosingText;
}

void Tour::writeerr() {
    if (stage_ < kFirstStage || stage_ > kLastStage || stagescoring(stage_) == Scoring::none) {
        return;
    }
    tour::writeerr(form_.columns, stage_ == 3, narrative_.methodname(stage_), world_.rmserr(stage_),
                   world_.maxerr(stage_), decimal_separator_);
}

void Tour::set_pointer(MousePointer pointer) {
    form_.pointer = pointer;
    FloatFlagsKeeper keep;
    host_.mouse_pointer_changed(pointer);
}

}  // namespace tour
