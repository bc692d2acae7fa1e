#include "tour/export_tables.hpp"

#include "methods/bezier.hpp"

namespace tour {

ExportTables::ExportTables()
    : errors_("scenario,stage,method,rms_error,max_error\n"),
      estimates_("scenario,stage,x,truth,estimate\n"),
      bezier_("scenario,i,x,y\n"),
      variogram_("scenario,stage,lag,model\n") {}

void ExportTables::record(const Tour& tour) {
    const std::int16_t stage = tour.stage();
    // Only a stage screen has numbers of its own; the transition screens show
    // stage 1 of the next scenario, which has none.
    if (stage < kFirstStage || stage > kLastStage || tour.scenario() > 3) {
        return;
    }
    const World& world = tour.world();
    const std::string key = std::to_string(tour.scenario()) + "," + std::to_string(stage) + ",";
    const Scoring scoring = stagescoring(stage);

    if (scoring != Scoring::none) {
        errors_ += key + csv_field(tour.narrative().methodname(stage)) + "," +
                   csv_number(world.rmserr(stage)) + "," + csv_number(world.maxerr(stage)) + "\n";
    }
    if (scoring == Scoring::estimate) {
        for (int x = kGridFirst; x <= kGridLast; ++x) {
            estimates_ += key + std::to_string(x) + "," +
                          csv_number(truth(world, static_cast<float>(x))) + "," +
                          csv_number(world.est(x)) + "\n";
        }
    }
    if (scoring == Scoring::by_itself) {
        const BezierCurve curve = beziercurve(world);
        const std::string scenario = std::to_string(tour.scenario()) + ",";
        for (int i = kGridFirst; i <= kGridLast; ++i) {
            bezier_ += scenario + std::to_string(i) + "," + csv_number(curve.x(i)) + "," +
                       csv_number(curve.y(i)) + "\n";
        }
    }
    if (stage == kBestFitModelStage || stage == kLinearModelStage) {
        for (int lag = kGridFirst; lag <= kGridLast; ++lag) {
            variogram_ += key + std::to_string(lag) + "," + csv_number(world.vgmodel(lag)) + "\n";
        }
    }
}

}  // namespace tour
