#include "tour/narrative.hpp"

#include <array>

#include "tour/catalogue.hpp"
#include "world/runtime_error.hpp"

namespace tour {

const char* const kWelcomeText =
    "Hello! This is just a short journey through the world of spatial interpolation.\n\n"
    "If you are interested \n"
    "and if you have just a few minutes time \n"
    "then you are cordially invited to press continue.";

const char* const kEnteringScenario2Text =
    "Now imagine what happens if the stations are not homogeneously distributed.";

const char* const kEnteringScenario3Text =
    "Now imagine what happens if the climate is distributed different.";

const char* const kClosingText =
    "Ok, this is the end. Though this short journey offers some insight in the behaviour of "
    "different methods there is much more which can not provided here because of lack of time "
    "(and money, of course).\n"
    "I deliberately did not interprete the results here. But if you have been alert it gave you "
    "quite a variety of information to think over.\n"
    "   Ciao, Orvel Tamberlin";

namespace {

void both(Narrative& n, int stage, const std::string& text) {
    n.stagetext(stage, 1) = text;
    n.stagetext(stage, 2) = text;
}

void fill_scenario_texts(Narrative& n) {
    both(n, 0, "Imagine a one-dimensional world of 1000 units length.");
    n.stagetext(1, 1) =
        "With only one climatic variable which is constant in time and has the spatial "
        "distribution displayed below.\n"
        "The magnitude of the climate variable is 1 climate unit.";
    n.stagetext(1, 2) =
        "With only one climatic variable which is constant in time and has the spatial "
        "distribution displayed below.";
    n.stagetext(2, 1) =
        "There are 21 equidistant stations (distance = 50 units) where climate is observed. And "
        "it is observed exactly. \n"
        "However, people are interested in the climate state between the stations.\n"
        "Press continue to see what Nearest-Neighbour Approximation provides.";
    n.stagetext(2, 2) =
        "There are 12 stations now, all except one on the eastern hemisphere. The remaining "
        "station is on the western pole.\n"
        "However, people are interested in the climate state between the stations.\n"
        "Press continue to see what Nearest-Neighbour Approximation provides.";
    n.stagetext(3, 1) =
        "Ok, this is Nearest-Neighbour Approximation - simple but not satisfying.\n"
        " The root-means-quare error and the maximum error (given in climate units) are shown on "
        "the right as measures to compare the different methods to follow.\n\n"
        " So let's take a look on Linear Interpolation.";
    n.stagetext(3, 2) =
        "Ok, this is Nearest-Neighbour Approximation - simple but not satisfying.\n"
        " So let's have a look on Linear Interpolation.";
    both(n, 4,
         "Much better, but a bit edgy.\n"
         "This can be avoided by a polynomial fit.");
    n.stagetext(5, 1) =
        "This is the polynomial fit. It also fits exactly at the stations (as each exact method "
        "does) but can deviate rather far between the stations.";
    n.stagetext(5, 2) =
        "This is the polynomial fit. It also fits exactly at the stations but can deviate rather "
        "far between the stations.";
    n.stagetext(6, 1) =
        "This is Bezier-Polynom Interpolation. As you can see it is not an exact method but a "
        "smoothing one.\n\n"
        "Before we proceed to Inverse-Distance-Weighted Averaging\n"
        "try to imagine what it looks like.";
    n.stagetext(6, 2) = "And this is the Bezier-Polynom Interpolation.";
    n.stagetext(7, 1) =
        "Yes, this is what you get by Inverse-Distance Interpolation. Did you expect it?\n"
        "Now how about Inverse Distance squared?";
    n.stagetext(7, 2) = "This is Inverse-Distance Interpolation.";
    both(n, 8, "This is Inverse Distance squared.");
    both(n, 9, "And this Inverse Distance to the power of 3.");
    n.stagetext(10, 1) =
        "And the power of 5.\n"
        "It may remind you to Nearest-Neighbour Approximation.\n"
        "As a matter of fact, with increasing power Inverse-Distance Averaging converges to "
        "Nearest-Neighbour Approximation.\n"
        "But what if the power is decreased, to .5 say?";
    n.stagetext(10, 2) = "And the power of 5.";
    both(n, 11,
         "This is Inverse-Distance Interpolation with a power exponent of .5.\n"
         "Let us try an even lower value of .01 now.");
    n.stagetext(12, 1) =
        "This is Inverse-Distance Interpolation with a power exponent of .01.\n"
        "As you see, it converges more and more toward the overall mean\n"
        "with spikes at the station locations.\n"
        "The spikes are necessary since Inverse Distance is an exact interpolation, i.e. it "
        "exactly reproduces the observed values.";
    n.stagetext(12, 2) = "This is Inverse-Distance Interpolation with a power exponent of .01.";
    both(n, 13,
         "This is Modified Inverse-Distance Interpolation. It is a smoothing interpolation "
         "method.\n"
         "The smoothing is done by adding a constant displacement to each distance.\n"
         "Here a value of 5 is chosen for the displacement, which is 10% of the station "
         "distance.");
    both(n, 14,
         "This again is Modified Inverse-Distance Interpolation.\n"
         "In this case the displacement is 50 units (the station distance).");
    both(n, 15,
         "This is Modified Inverse-Distance Interpolation again.\n"
         "But now the power of inverse distance is set to 3 and the displacement is still 50 "
         "units.");
    both(n, 16,
         "Again Modified Inverse-Distance Interpolation.\n"
         "The power of inverse distance is still 3 but the displacement is set to 5 units.");
    both(n, 17,
         "And this is the result for Shepards Method, which is a kind of local Inverse Distance "
         "Averaging (6 stations only).");
    both(n, 18, "Again Shepards Method but now with 10 stations.");
    both(n, 19, "To be compared to Local Inverse Distance Averaging (10 stations only).");
    n.stagetext(20, 1) =
        "To be compared to Local Inverse Distance Averaging (6 stations only).\n\n"
        "As you may see: The use of more data does not necessarily mean better results.";
    n.stagetext(20, 2) = "To be compared to Local Inverse Distance Averaging (6 stations only).";
    both(n, 21, "And to Cressmanns Method (200 units radius, exponent 2).");
    both(n, 22, "And to Cressmanns Method (200 units radius, exponent 4).");
    both(n, 23,
         "This is Orvels Method. Also a modification of Inverse Distance Averaging with the "
         "parameters 1,1.");
    both(n, 24, "This is the same with the parameters 1,2.");
}

// The label of each stage's method, from the catalogue of the tour's methods.
void fill_method_names(Narrative& n) {
    for (const CatalogueEntry& entry : catalogue()) {
        n.methodname(entry.stage) = entry.label;
    }
}

}  // namespace

void filltexts(Narrative& narrative) {
    fill_scenario_texts(narrative);
    fill_method_names(narrative);
}

const std::string& laterstagetext(std::int16_t stage) {
    static const std::array<std::string, 12> texts{{
        "This is Gaussian-weighted averaging with a scale factor of 10.",
        "This is Gaussian-weighted averaging with a scale factor of 50.",
        "This is Gaussian-weighted averaging with a scale factor of 200.",
        "This is exponential-weighted averaging with a scale factor of 10.",
        "This is exponential-weighted averaging with a scale factor of 50.",
        "This is exponential-weighted averaging with a scale factor of 200.\n\n"
        "Now let us take a look on the very popular kriging method.",
        "This is the empirical semi variogram in this case.\n"
        "To apply Kriging you have to fit a continous smooth function to this plot.\n"
        "Which is not an easy task since none will do really good.\n"
        "The reaon for this is that Mr. Krige assumed a variable with a constant mean but "
        "stochastic fluctuations around it.\n"
        "And this is definitely not the case in this example.",
        "Usually specific functions are fitted like spherical, exponential, holesian, gaussian, "
        "linear, and power.\n"
        "However, non of them would really fit the data in this case since the necessary "
        "conditions to apply Kriging are not fulfilled.\n"
        "Thus, Cressmanns method is used to find the optimum variogramm function displayed below.",
        "And this is what you get as Kriging Interpolation in this case.\n"
        "Now, let us try one of the usual functions to describe the semi variogram.",
        "This one for example:",
        "This is what you get by kriging in this case.",
        "This is natural cubic spline interpolation.",
    }};
    constexpr int first = 25;
    if (stage < first || stage >= first + static_cast<int>(texts.size())) {
        throw RuntimeError(Fault::subscript_out_of_range);
    }
    return texts[static_cast<std::size_t>(stage - first)];
}

}  // namespace tour
