// The setup file: what it takes, what it refuses and says where, and that a
// saved setup reads back as itself.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "explore/setup_file.hpp"

namespace tour::explore {
namespace {

std::string file_with(const std::string& field, const std::string& stations,
                      const std::string& rest = "") {
    return R"({"format": "interp1d-tour setup", "version": 1, "field": )" + field +
           R"(, "stations": )" + stations + rest + "}";
}

const std::string kGood = R"({
  "format": "interp1d-tour setup",
  "version": 1,
  "field": "bump",
  "stations": [0, 120, 260, 500, 730, 1000],
  "method": {"name": "invdist", "power": 2.5, "displacement": 0},
  "compare": {"name": "kriging", "model": "linear"}
})";

TEST(SetupFile, ReadsTheExampleOfTheManual) {
    const ParsedSetup parsed = parse_setup(kGood);
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    const explore::Setup& setup = parsed.setup;
    EXPECT_EQ(setup.layout.field, Field::bump);
    EXPECT_EQ(setup.layout.stations, (std::vector<int>{0, 120, 260, 500, 730, 1000}));
    EXPECT_EQ(procedure_of(setup.method).id, Procedure::invdist);
    EXPECT_EQ(setup.method.values[0], 2.5f);
    EXPECT_EQ(method_label(setup.method), "Inv. Dist. (2.5)");
    ASSERT_TRUE(setup.compare);
    EXPECT_EQ(method_label(*setup.compare), "Kriging (Linear)");
}

TEST(SetupFile, LeftOutParametersTakeTheToursFirstValues) {
    const ParsedSetup parsed = parse_setup(file_with(
        R"("plateau")", "[0, 500, 1000]", R"(, "method": {"name": "cressman", "exponent": 3})"));
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(parsed.setup.layout.field, Field::plateau);
    EXPECT_EQ(method_label(parsed.setup.method), "Cressmann (200,3)");
    // No method at all: the tour's first.
    const ParsedSetup plain = parse_setup(file_with(R"("bump")", "[0, 500, 1000]"));
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(method_label(plain.setup.method), "Near. Neighb.");
    EXPECT_FALSE(plain.setup.compare);
}

TEST(SetupFile, SavedSetupsReadBackAsThemselves) {
    explore::Setup setup = default_setup();
    setup.layout = Layout{Field::plateau, {0, 3, 333, 999, 1000}};
    setup.method = method_of(Procedure::invdist, {0.01f, 0.3f, 0.0f});
    setup.compare = method_of(Procedure::kriging, {0.0f, 123.5f, 1.25f});
    const ParsedSetup back = parse_setup(setup_text(setup));
    ASSERT_TRUE(back.ok()) << back.error << "\n" << setup_text(setup);
    EXPECT_EQ(back.setup, setup);
    // Values are written in the fewest digits that give the same Single.
    EXPECT_NE(setup_text(setup).find("\"power\": 0.01,"), std::string::npos) << setup_text(setup);
    // Every method of the catalogue survives the trip.
    for (std::size_t i = 0; i < catalogue().size(); ++i) {
        setup.method = tour_method(static_cast<int>(i));
        const ParsedSetup again = parse_setup(setup_text(setup));
        ASSERT_TRUE(again.ok()) << again.error;
        EXPECT_EQ(method_label(again.setup.method), catalogue()[i].label);
    }
}

struct BadFile {
    std::string text;
    std::string error;
};

class SetupFileRefuses : public ::testing::TestWithParam<BadFile> {};

TEST_P(SetupFileRefuses, SayingWhatIsWrongAndWhere) {
    const ParsedSetup parsed = parse_setup(GetParam().text);
    EXPECT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error, GetParam().error);
}

const std::string kStations = "[0, 500, 1000]";

INSTANTIATE_TEST_SUITE_P(
    BadInput, SetupFileRefuses,
    ::testing::Values(
        BadFile{"{\n  \"format\": \"interp1d-tour setup\",\n  \"version\": 1,\n  oops\n}",
                "line 4, column 3: not valid JSON (syntax error while parsing object key - "
                "invalid literal; expected string literal)"},
        BadFile{"",
                "line 1, column 1: not valid JSON (syntax error while parsing value - "
                "unexpected end of input; expected '[', '{', or a literal)"},
        BadFile{"[1, 2]", "a setup is a JSON object {\"format\": \"interp1d-tour setup\", ...}"},
        BadFile{R"({"format": "something else", "version": 1})",
                "format: \"something else\" is not \"interp1d-tour setup\""},
        BadFile{R"({"version": 1})", "\"format\" is missing"},
        BadFile{R"({"format": "interp1d-tour setup", "version": 2})",
                "version: 2 is not a version this program reads (1)"},
        BadFile{file_with(R"("bump")", kStations, R"(, "methdo": {})"),
                "unknown key \"methdo\"; a setup has format, version, field, stations, method "
                "and compare"},
        BadFile{file_with(R"("hill")", kStations),
                "field: \"hill\" is not a field; it is \"bump\" or \"plateau\""},
        BadFile{file_with(R"("bump")", "[0, 120.5, 1000]"),
                "stations[1]: 120.5 is not a whole number"},
        BadFile{file_with(R"("bump")", R"([0, "500", 1000])"),
                "stations[1]: \"500\" is not a whole number"},
        BadFile{file_with(R"("bump")", "[0, 500, 1200]"), "stations[2]: 1200 is outside 0..1000"},
        BadFile{file_with(R"("bump")", "[0, 500, 400, 1000]"),
                "stations[2]: 400 does not come after 500; the stations must increase"},
        BadFile{file_with(R"("bump")", "[0, 500, 500, 1000]"),
                "stations[2]: 500 does not come after 500; the stations must increase"},
        BadFile{file_with(R"("bump")", "[50, 500, 1000]"),
                "stations: the first station must be at 0, not at 50"},
        BadFile{file_with(R"("bump")", "[0, 500, 950]"),
                "stations: the last station must be at 1000, not at 950"},
        BadFile{file_with(R"("bump")", "[0, 1000]"),
                "stations: 2 stations are too few; there are 3 to 21"},
        BadFile{
            file_with(R"("bump")", "[0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,1000]"),
            "stations: 22 stations are too many; there are 3 to 21"},
        BadFile{file_with(R"("bump")", kStations, R"(, "method": {"name": "idw"})"),
                "method.name: \"idw\" is not a method; the methods are nearneighb, linint, "
                "polyfit, bezier, invdist, shepard, localinvdist, cressman, orvelmethod, "
                "gaussave, expave, kriging, cubicspline"},
        BadFile{file_with(R"("bump")", kStations, R"(, "method": {"name": "invdist", "powr": 2})"),
                "method: unknown key \"powr\"; invdist takes name, power and displacement"},
        BadFile{file_with(R"("bump")", kStations, R"(, "compare": {"name": "linint", "n": 2})"),
                "compare: unknown key \"n\"; linint takes only name"},
        BadFile{file_with(R"("bump")", kStations, R"(, "method": {"name": "invdist", "power": 0})"),
                "method.power: Power must be greater than 0 and at most 20; 0 is outside."},
        BadFile{file_with(R"("bump")", kStations, R"(, "method": {"name": "shepard", "n": 2.5})"),
                "method.n: Stations must be a whole number from 1 to 21; 2.5 is not a whole "
                "number."},
        BadFile{file_with(R"("bump")", kStations,
                          R"(, "method": {"name": "gaussave", "scale": "big"})"),
                "method.scale: \"big\" is not a number"},
        BadFile{file_with(R"("bump")", kStations,
                          R"(, "method": {"name": "kriging", "model": "spherical"})"),
                "method.model: \"spherical\" is not a Variogram model; it is \"bestfit\" or "
                "\"linear\""},
        BadFile{file_with(R"("bump")", kStations,
                          R"(, "method": {"name": "kriging", "model": "linear", "radius": 100})"),
                "method.radius: applies only to the Best fit model"},
        BadFile{file_with(R"("bump")", kStations, R"(, "method": {"power": 2})"),
                "method: \"name\" is missing"},
        BadFile{R"({"format": "interp1d-tour setup", "version": 1, "version": 1})",
                "the key \"version\" is given twice; a setup names each key once"}));

TEST(SetupFile, LoadingTellsAnUnreadableFileFromAnInvalidOne) {
    const auto folder = std::filesystem::temp_directory_path() / "interp1d-setup-test";
    std::filesystem::create_directories(folder);
    const std::string good = (folder / "good.json").string();
    const std::string bad = (folder / "bad.json").string();
    std::ofstream(good) << kGood;
    std::ofstream(bad) << file_with(R"("bump")", "[0, 1000]");

    EXPECT_EQ(load_setup(good).status, LoadedSetup::Status::ok);
    const LoadedSetup invalid = load_setup(bad);
    EXPECT_EQ(invalid.status, LoadedSetup::Status::invalid);
    EXPECT_EQ(invalid.message, bad + ": stations: 2 stations are too few; there are 3 to 21");
    const LoadedSetup missing = load_setup((folder / "missing.json").string());
    EXPECT_EQ(missing.status, LoadedSetup::Status::unreadable);
    EXPECT_NE(missing.message.find("cannot be read (No such file or directory)"),
              std::string::npos);
    EXPECT_EQ(load_setup(folder.string()).status, LoadedSetup::Status::unreadable);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tour::explore
