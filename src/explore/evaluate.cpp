#include "explore/evaluate.hpp"

#include <cmath>
#include <optional>

#include "display/scoring.hpp"
#include "explore/fault_text.hpp"
#include "methods/bezier.hpp"
#include "world/float_faults.hpp"
#include "world/runtime_error.hpp"

namespace tour::explore {

namespace {

// The solver's messages, collected instead of shown.
class MessageTally : public MessageSink {
  public:
    void message_box(const std::string& text) override {
        if (count_ == 0) {
            first_ = text;
        }
        ++count_;
    }
    int count() const { return count_; }
    const std::string& first() const { return first_; }

  private:
    std::string first_;
    int count_ = 0;
};

// The world after the method ran, or why it did not.
struct Run {
    World world;
    std::string fault;
};

// scored: also the errors against the true field, which a fold does not need.
Run run(const Layout& layout, const MethodChoice& method, Array1<double>* variance, bool scored) {
    const ProcedureSpec& spec = procedure_of(method);
    Run result{layout_world(layout), {}};
    if (static_cast<int>(layout.stations.size()) < spec.least_stations) {
        result.fault = "Needs at least " + std::to_string(spec.least_stations) + " stations.";
        return result;
    }
    World& world = result.world;
    world.est(0) = world.statv(1);
    Picture scratch;
    MessageTally messages;
    // Kriging solves its 1001 systems with one elimination of its matrix:
    // the tour's bits and messages, at a fraction of the work.
    MethodContext context{
        world, scratch, 0, messages, KrigingThreads::one, variance, KrigingSolve::factored};
    try {
        const FloatFaultWatch watch;
        spec.run(context, method.values);
        if (scored && spec.fills_estimate) {
            calcerr(world, 0);
        }
        watch.check();
    } catch (const RuntimeError& error) {
        result.fault = fault_text(spec, error.fault(), world);
        return result;
    }
    if (messages.count() > 0) {
        result.fault = solver_text(messages.first(), messages.count());
    }
    return result;
}

}  // namespace

Evaluation evaluate(const Layout& layout, const MethodChoice& method, Wanted wanted) {
    const ProcedureSpec& spec = procedure_of(method);
    const bool with_variance = wanted.variance && spec.id == Procedure::kriging;
    std::optional<Array1<double>> variance;
    if (with_variance) {
        variance.emplace(kGridFirst, kGridLast);
    }
    Run done = run(layout, method, variance ? &*variance : nullptr, true);

    Evaluation evaluation;
    evaluation.fault = std::move(done.fault);
    if (!evaluation.ran()) {
        return evaluation;
    }
    World& world = done.world;
    evaluation.rms = world.rmserr(0);
    evaluation.max = world.maxerr(0);
    if (!wanted.estimate) {
        return evaluation;
    }
    if (spec.fills_estimate) {
        evaluation.estimate.reserve(kGridLast + 1);
        for (int x = kGridFirst; x <= kGridLast; ++x) {
            evaluation.estimate.push_back(world.est(x));
        }
    } else {
        const BezierCurve curve = beziercurve(world);
        for (int i = kGridFirst; i <= kGridLast; ++i) {
            evaluation.curve.emplace_back(static_cast<float>(curve.x(i)),
                                          static_cast<float>(curve.y(i)));
        }
    }
    if (variance) {
        for (int x = kGridFirst; x <= kGridLast; ++x) {
            evaluation.variance.push_back((*variance)(x));
        }
    }
    return evaluation;
}

PointEstimate estimate_at(const Layout& layout, const MethodChoice& method, int x) {
    PointEstimate point;
    if (!procedure_of(method).fills_estimate) {
        return point;
    }
    Run done = run(layout, method, nullptr, false);
    point.fault = std::move(done.fault);
    if (point.fault.empty()) {
        point.has_value = true;
        point.value = done.world.est(x);
    }
    return point;
}

}  // namespace tour::explore
