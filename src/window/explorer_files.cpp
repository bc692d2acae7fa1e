// The explorer's File menu: setups opened and saved, the plot, the table
// and the curves exported. A file is written whole or not at all: the old
// file stays until the new one is complete.
#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSaveFile>
#include <QStatusBar>
#include <QSvgGenerator>
#include <QTimer>

#include "explore/curves_csv.hpp"
#include "explore/lesson_file.hpp"
#include "explore/score_csv.hpp"
#include "explore/setup_file.hpp"
#include "window/explorer_window.hpp"
#include "window/scene_painter.hpp"

namespace tour {

namespace {

constexpr int kMessageMillis = 8000;

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

QString write_file(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        return file.errorString();
    }
    return {};
}

}  // namespace

bool ExplorerWindow::open_setup(const QString& path) {
    const explore::LoadedSetup loaded = explore::load_setup(path.toStdString());
    if (loaded.status != explore::LoadedSetup::Status::ok) {
        tell(tr("Cannot open the setup"), text_of(loaded.message));
        return false;
    }
    path_ = path;
    session_.open(loaded.setup);
    return true;
}

bool ExplorerWindow::open_lesson(const QString& path) {
    explore::LoadedLesson loaded = explore::load_lesson(path.toStdString());
    if (loaded.status != explore::LoadedLesson::Status::ok) {
        QStringList problems;
        for (const std::string& problem : loaded.problems) {
            problems << text_of(problem);
        }
        tell(tr("Cannot open the lesson"), problems.join(QLatin1Char('\n')));
        return false;
    }
    play_lesson(std::move(loaded.lesson));
    return true;
}

void ExplorerWindow::open_lesson_dialog() {
    if (!may_drop_changes()) {
        return;
    }
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open Lesson"), QFileInfo(path_).path(), tr("Lessons (*.json);;All files (*)"));
    if (!path.isEmpty()) {
        open_lesson(path);
    }
}

bool ExplorerWindow::save_setup(const QString& path) {
    const std::string text = explore::setup_text(session_.setup());
    const QString error = write_file(path, QByteArray::fromStdString(text));
    if (!error.isEmpty()) {
        tell(tr("Cannot save the setup"), tr("%1: %2").arg(path, error));
        return false;
    }
    path_ = path;
    session_.mark_saved();
    statusBar()->showMessage(tr("Saved %1").arg(path), kMessageMillis);
    return true;
}

bool ExplorerWindow::export_plot(const QString& path) {
    // The selection is the window's, not the plot's.
    const explore::Scene scene = explore::build_scene(session_.setup(), session_.table(),
                                                      explore::SceneOptions{fit_->isChecked(), {}});
    const QSize size = plot_->size().expandedTo(QSize(900, 560));
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
    } else if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(tr("Interpolation Explorer plot"));
        QPainter painter(&svg);
        paint_scene(painter, scene, QRectF(QPointF(0, 0), size), locale());
        painter.end();
    } else {
        QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2.0);
        image.fill(Qt::white);
        QPainter painter(&image);
        paint_scene(painter, scene, QRectF(QPointF(0, 0), size), locale());
        painter.end();
        if (!image.save(&file, "PNG")) {
            error = tr("the image could not be written");
        }
    }
    if (error.isEmpty() && !file.commit()) {
        error = file.errorString();
    }
    if (!error.isEmpty()) {
        file.cancelWriting();
        tell(tr("Cannot export the plot"), tr("%1: %2").arg(path, error));
        return false;
    }
    statusBar()->showMessage(tr("Exported the plot to %1").arg(path), kMessageMillis);
    return true;
}

bool ExplorerWindow::export_table(const QString& path) {
    if (!wait_for_leave_one_out()) {
        statusBar()->showMessage(tr("The table was not exported."), kMessageMillis);
        return false;
    }
    const std::string csv = explore::score_csv(session_.table(), session_.loo_cells());
    const QString error = write_file(path, QByteArray::fromStdString(csv));
    if (!error.isEmpty()) {
        tell(tr("Cannot export the table"), tr("%1: %2").arg(path, error));
        return false;
    }
    statusBar()->showMessage(tr("Exported the table to %1").arg(path), kMessageMillis);
    return true;
}

bool ExplorerWindow::export_curves(const QString& path) {
    const explore::CurvesCsv csv = explore::curves_csv(session_.table());
    const QString error = write_file(path, QByteArray::fromStdString(csv.text));
    if (!error.isEmpty()) {
        tell(tr("Cannot export the curves"), tr("%1: %2").arg(path, error));
        return false;
    }
    QString done = tr("Exported the curves to %1.").arg(path);
    for (const std::string& fault : csv.faults) {
        done += QLatin1Char(' ') + tr("%1 Its columns are empty.").arg(text_of(fault));
    }
    statusBar()->showMessage(done, kMessageMillis);
    return true;
}

// The leave-one-out column is computed in the background; an export of the
// table waits for it with a progress dialog, which can cancel the export.
bool ExplorerWindow::wait_for_leave_one_out() {
    if (session_.loo_ready()) {
        return true;
    }
    if (!loo_) {
        session_.compute_loo();
        return session_.loo_ready();
    }
    QEventLoop waiting;
    std::unique_ptr<QProgressDialog> progress;
    if (!quiet_) {
        progress = std::make_unique<QProgressDialog>(
            tr("Waiting for the leave-one-out column\u2026"), tr("Cancel"), 0, 100, this);
        progress->setWindowTitle(tr("Export Table"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        connect(progress.get(), &QProgressDialog::canceled, &waiting, &QEventLoop::quit);
    }
    QTimer poll;
    connect(&poll, &QTimer::timeout, &waiting, [&] {
        if (progress) {
            progress->setValue(static_cast<int>(loo_->progress() * 100.0));
        }
        if (session_.loo_ready()) {
            waiting.quit();
        }
    });
    poll.start(50);
    waiting.exec();
    return session_.loo_ready();
}

QString ExplorerWindow::ask_save_path(const QString& title, const QString& name,
                                      const QString& filter) {
    QString chosen_filter;
    QString path = QFileDialog::getSaveFileName(this, title, name, filter, &chosen_filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        // The suffix of the chosen filter: "PNG image (*.png)" gives ".png".
        const auto star = chosen_filter.indexOf(QStringLiteral("*."));
        const auto end = chosen_filter.indexOf(QLatin1Char(')'), star);
        if (star >= 0 && end > star) {
            path += chosen_filter.mid(star + 1, end - star - 1);
        }
    }
    return path;
}

void ExplorerWindow::open_dialog() {
    if (!may_drop_changes()) {
        return;
    }
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open Setup"), QFileInfo(path_).path(),
                                     tr("Explorer setups (*.json);;All files (*)"));
    if (!path.isEmpty()) {
        open_setup(path);
    }
}

bool ExplorerWindow::save_dialog(bool choose_path) {
    QString path = path_;
    if (choose_path || path.isEmpty()) {
        path = ask_save_path(tr("Save Setup"), path.isEmpty() ? tr("setup.json") : path,
                             tr("Explorer setups (*.json)"));
        if (path.isEmpty()) {
            return false;
        }
    }
    return save_setup(path);
}

void ExplorerWindow::export_plot_dialog() {
    const QString path = ask_save_path(tr("Export Plot"), tr("plot.png"),
                                       tr("PNG image (*.png);;SVG drawing (*.svg)"));
    if (!path.isEmpty()) {
        export_plot(path);
    }
}

void ExplorerWindow::export_table_dialog() {
    const QString path =
        ask_save_path(tr("Export Table"), tr("scores.csv"), tr("CSV table (*.csv)"));
    if (!path.isEmpty()) {
        export_table(path);
    }
}

void ExplorerWindow::export_curves_dialog() {
    const QString path =
        ask_save_path(tr("Export Curves"), tr("curves.csv"), tr("CSV table (*.csv)"));
    if (!path.isEmpty()) {
        export_curves(path);
    }
}

bool ExplorerWindow::may_drop_changes() {
    if (!session_.history().modified() || quiet_) {
        return true;
    }
    const auto answer = QMessageBox::question(
        this, tr("Unsaved changes"), tr("Save the changes to this setup first?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) {
        return save_dialog(false);
    }
    return answer == QMessageBox::Discard;
}

void ExplorerWindow::tell(const QString& title, const QString& text) {
    statusBar()->showMessage(text, kMessageMillis);
    if (!quiet_) {
        QMessageBox::warning(this, title, text);
    }
}

}  // namespace tour
