// interp1d-tour: the tour window, or with --export its figures and numbers
// written headlessly into a folder.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstring>

#include "window/export.hpp"
#include "window/form1.hpp"

namespace {

// Options that never show the window also work without a display: the
// offscreen platform has to be chosen before the application starts.
bool runs_headless(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option :
             {"--export", "--score", "--help", "-h", "--help-all", "--version", "-v"}) {
            const std::size_t length = std::strlen(option);
            if (std::strncmp(argv[i], option, length) == 0 &&
                (argv[i][length] == '\0' || argv[i][length] == '=')) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (runs_headless(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("interp1d-tour"));
    QApplication::setApplicationVersion(QStringLiteral(INTERP1D_VERSION));
    // Lets Wayland shells match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(INTERP1D_APP_ID));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A guided tour of one-dimensional spatial interpolation."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption export_option(
        QStringLiteral("export"),
        QStringLiteral("Run the forward tour without a window and write its screens, plots and "
                       "numbers into <dir>."),
        QStringLiteral("dir"));
    parser.addOption(export_option);
    // The explorer's options, listed so that --help shows the whole command
    // line; they do nothing yet.
    const QCommandLineOption explore_option(
        QStringLiteral("explore"),
        QStringLiteral("Open the explorer window, on the setup in <file> if one is given."));
    parser.addOption(explore_option);
    const QCommandLineOption score_option(
        QStringLiteral("score"),
        QStringLiteral("Write the score table of the setup in <file> as CSV on standard output, "
                       "without a window."),
        QStringLiteral("file"));
    parser.addOption(score_option);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("With --explore: the setup file to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);

    if (parser.isSet(export_option)) {
        return tour::export_tour(parser.value(export_option));
    }
    if (parser.isSet(explore_option) || parser.isSet(score_option)) {
        std::fputs("interp1d-tour: the explorer is not available yet\n", stderr);
        return 1;
    }
    tour::Form1 form;
    form.show();
    return QApplication::exec();
}
