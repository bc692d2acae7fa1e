// interp1d-tour: the tour window, or with --export its figures and numbers
// written headlessly into a folder.
#include <QApplication>
#include <QCommandLineParser>
#include <cstring>

#include "window/export.hpp"
#include "window/form1.hpp"

namespace {

// Options that never show the window also work without a display: the
// offscreen platform has to be chosen before the application starts.
bool runs_headless(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--export", "--help", "-h", "--help-all", "--version", "-v"}) {
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
    parser.process(app);

    if (parser.isSet(export_option)) {
        return tour::export_tour(parser.value(export_option));
    }
    tour::Form1 form;
    form.show();
    return QApplication::exec();
}
