// interp1d-tour: the tour window; with --explore the explorer window; with
// --export the tour's figures and numbers written headlessly into a folder;
// with --score the explorer's score table of a setup file on standard output,
// with --curves its curves.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <iostream>
#include <optional>

#include "explore/lesson_file.hpp"
#include "explore/setup_commands.hpp"
#include "explore/setup_file.hpp"
#include "window/explorer_window.hpp"
#include "window/export.hpp"
#include "window/form1.hpp"

namespace {

struct Options {
    QCommandLineOption export_option{
        QStringLiteral("export"),
        QStringLiteral("Run the forward tour without a window and write its screens, plots and "
                       "numbers into <dir>."),
        QStringLiteral("dir")};
    QCommandLineOption explore_option{
        QStringLiteral("explore"),
        QStringLiteral("Open the explorer window, on the setup in <file> if one is given.")};
    QCommandLineOption score_option{
        QStringLiteral("score"),
        QStringLiteral("Write the score table of the setup in <file> as CSV on standard output, "
                       "without a window."),
        QStringLiteral("file")};
    QCommandLineOption lesson_option{QStringLiteral("lesson"),
                                     QStringLiteral("Open the explorer with the lesson in <file>."),
                                     QStringLiteral("file")};
    QCommandLineOption check_lesson_option{
        QStringLiteral("check-lesson"),
        QStringLiteral("Check the lesson in <file> and write its steps with their numbers on "
                       "standard output, without a window."),
        QStringLiteral("file")};
    QCommandLineOption curves_option{
        QStringLiteral("curves"),
        QStringLiteral("Write the curves of the setup in <file> (true field, estimates and "
                       "kriging variance at positions 0 to 1000) as CSV on standard output, "
                       "without a window."),
        QStringLiteral("file")};
};

void describe(QCommandLineParser& parser, const Options& options) {
    parser.setApplicationDescription(
        QStringLiteral("A guided tour of one-dimensional spatial interpolation."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(options.export_option);
    parser.addOption(options.explore_option);
    parser.addOption(options.score_option);
    parser.addOption(options.curves_option);
    parser.addOption(options.lesson_option);
    parser.addOption(options.check_lesson_option);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("With --explore: the setup file to open."),
                                 QStringLiteral("[file]"));
}

int fail(const QString& message) {
    std::fprintf(stderr, "interp1d-tour: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    // The command line is read before the application starts: what shows no
    // window (help, version, export, score, a wrong command line, a setup
    // file that cannot be used) must work without a display.
    const Options options;
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser early;
    describe(early, options);
    const bool understood = early.parse(arguments);
    const bool help = early.isSet(QStringLiteral("help")) ||
                      early.isSet(QStringLiteral("help-all")) ||
                      early.isSet(QStringLiteral("version"));
    int modes = 0;
    for (const QCommandLineOption* option :
         {&options.export_option, &options.explore_option, &options.score_option,
          &options.curves_option, &options.lesson_option, &options.check_lesson_option}) {
        modes += int(early.isSet(*option));
    }
    const bool headless = !understood || help || early.isSet(options.export_option) ||
                          early.isSet(options.score_option) || early.isSet(options.curves_option) ||
                          early.isSet(options.check_lesson_option);

    std::optional<tour::explore::Setup> setup;
    std::optional<tour::explore::Lesson> lesson;
    QString setup_path;
    if (understood && !help) {
        const QStringList files = early.positionalArguments();
        if (modes > 1) {
            return fail(
                QStringLiteral("--export, --explore, --score, --curves, --lesson and "
                               "--check-lesson go one at a time"));
        }
        if (!files.isEmpty() && !early.isSet(options.explore_option)) {
            return fail(QStringLiteral("a setup file is opened with --explore %1").arg(files[0]));
        }
        if (files.size() > 1) {
            return fail(QStringLiteral("--explore opens one setup file, not %1").arg(files.size()));
        }
        if (early.isSet(options.score_option)) {
            return tour::explore::score_setup_file(early.value(options.score_option).toStdString(),
                                                   std::cout, std::cerr);
        }
        if (early.isSet(options.curves_option)) {
            return tour::explore::curves_setup_file(
                early.value(options.curves_option).toStdString(), std::cout, std::cerr);
        }
        if (early.isSet(options.check_lesson_option)) {
            return tour::explore::check_lesson_file(
                early.value(options.check_lesson_option).toStdString(), std::cout, std::cerr);
        }
        if (early.isSet(options.lesson_option)) {
            const auto loaded =
                tour::explore::load_lesson(early.value(options.lesson_option).toStdString());
            for (const std::string& problem : loaded.problems) {
                std::fprintf(stderr, "%s\n", problem.c_str());
            }
            if (loaded.status != tour::explore::LoadedLesson::Status::ok) {
                return loaded.status == tour::explore::LoadedLesson::Status::invalid ? 2 : 1;
            }
            lesson = loaded.lesson;
        }
        if (early.isSet(options.explore_option) && !files.isEmpty()) {
            setup_path = files[0];
            const auto loaded = tour::explore::load_setup(setup_path.toStdString());
            if (loaded.status != tour::explore::LoadedSetup::Status::ok) {
                std::fprintf(stderr, "%s\n", loaded.message.c_str());
                return loaded.status == tour::explore::LoadedSetup::Status::invalid ? 2 : 1;
            }
            setup = loaded.setup;
        }
    }

    if (headless) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("interp1d-tour"));
    QApplication::setApplicationVersion(QStringLiteral(INTERP1D_VERSION));
    // Lets Wayland shells match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(INTERP1D_APP_ID));

    QCommandLineParser parser;
    describe(parser, options);
    parser.process(app);  // help, version and a wrong command line end here

    if (parser.isSet(options.export_option)) {
        return tour::export_tour(parser.value(options.export_option));
    }
    if (parser.isSet(options.explore_option) || lesson) {
        tour::ExplorerWindow explorer(setup.value_or(tour::explore::default_setup()), setup_path);
        if (lesson) {
            explorer.play_lesson(std::move(*lesson));
        }
        explorer.show();
        return QApplication::exec();
    }
    tour::Form1 form;
    form.show();
    return QApplication::exec();
}
