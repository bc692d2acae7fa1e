#include "window/export.hpp"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "display/svg.hpp"
#include "tour/export_tables.hpp"
#include "window/form1.hpp"
#include "world/runtime_error.hpp"

namespace tour {

namespace {

namespace fs = std::filesystem;

class ExportError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

void make_folder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        throw ExportError("cannot create the folder " + folder.string() + ": " + error.message());
    }
    if (!fs::is_directory(folder)) {
        throw ExportError(folder.string() + " is not a folder");
    }
}

// Writes under a temporary name and renames when complete, so a final name
// never holds half a file.
void write_file(const fs::path& path, const char* data, std::size_t size) {
    const fs::path part = path.string() + ".part";
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (out) {
        out.write(data, static_cast<std::streamsize>(size));
        out.close();
    }
    if (!out) {
        const std::string reason = std::strerror(errno);
        std::error_code ignored;
        fs::remove(part, ignored);
        throw ExportError("cannot write " + path.string() + ": " + reason);
    }
    std::error_code error;
    fs::rename(part, path, error);
    if (error) {
        fs::remove(part, error);
        throw ExportError("cannot write " + path.string() + ": " + error.message());
    }
}

void write_file(const fs::path& path, const std::string& text) {
    write_file(path, text.data(), text.size());
}

void write_png(const fs::path& path, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        throw ExportError("cannot encode " + path.string());
    }
    write_file(path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// "<scenario>-<stage>", appended piece by piece.
std::string scenario_and_stage(const Tour& tour) {
    std::string text = std::to_string(tour.scenario());
    text += '-';
    text += std::to_string(tour.stage());
    return text;
}

std::string screen_name(int number, const Tour& tour) {
    char counter[8];
    std::snprintf(counter, sizeof counter, "%03d-s", number);
    std::string name = counter;
    name += scenario_and_stage(tour);
    name += ".png";
    return name;
}

std::string plot_name(const Tour& tour) {
    std::string name = "s";
    name += scenario_and_stage(tour);
    name += ".svg";
    return name;
}

void run_export(const fs::path& dir) {
    make_folder(dir);
    make_folder(dir / "screens");
    make_folder(dir / "plots");

    Form1 form(nullptr, Form1::Presentation::headless);
    form.show();
    ExportTables tables;
    int screens = 0;
    const auto capture = [&] {
        QCoreApplication::processEvents();
        const Tour& tour = form.tour();
        write_png(dir / "screens" / screen_name(screens++, tour), form.grab().toImage());
        if (!tour.form().picture.items().empty()) {
            write_file(
                dir / "plots" / plot_name(tour),
                picture_svg(tour.form().picture, form.Picture1->width(), form.Picture1->height()));
        }
        tables.record(tour);
    };

    // From the welcome screen, Continue up to the closing screen.
    capture();
    while (form.tour().scenario() < 4) {
        form.press_continue();
        capture();
    }

    write_file(dir / "errors.csv", tables.errors());
    write_file(dir / "estimates.csv", tables.estimates());
    write_file(dir / "bezier.csv", tables.bezier());
    write_file(dir / "variogram.csv", tables.variogram());
}

}  // namespace

int export_tour(const QString& dir) {
    try {
        run_export(fs::path(QFile::encodeName(dir).toStdString()));
        return 0;
    } catch (const ExportError& error) {
        std::fprintf(stderr, "interp1d-tour: %s\n", error.what());
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "interp1d-tour: %s\n", error.what());
    } catch (const fs::filesystem_error& error) {
        std::fprintf(stderr, "interp1d-tour: %s\n", error.what());
    }
    return 1;
}

}  // namespace tour
