// The explorer window under the offscreen platform, used with real mouse and
// key events: stations added, dragged, moved and removed, refused edits, undo
// and redo, a parameter typed in, faults shown in their rows, and the files
// it reads and writes.
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "explore/evaluate.hpp"
#include "explore/lesson.hpp"
#include "explore/setup_file.hpp"
#include "window/explorer_window.hpp"
#include "window/form1.hpp"

using tour::ExplorerWindow;
namespace explore = tour::explore;

namespace {

explore::Setup scenario(int number) {
    explore::Setup setup = explore::default_setup();
    setup.layout = explore::preset_layout(number);
    return setup;
}

int entry_labelled(const char* label) {
    const auto entries = tour::catalogue();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (QByteArray(entries[i].label) == label) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

class ExplorerWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ExplorerWindow> window;
    QTemporaryDir scratch;

    void open(explore::Setup setup) {
        window = std::make_unique<ExplorerWindow>(std::move(setup));
        window->set_quiet(true);
        window->resize(1280, 820);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    const std::vector<int>& stations() const { return window->history().setup().layout.stations; }
    QString status() const { return window->statusBar()->currentMessage(); }
    QPoint at(double x, double y) const { return window->plot()->world_point(x, y).toPoint(); }
    QPoint station(int x) const { return window->plot()->station_point(x).toPoint(); }
    // The whole position a click at the pixel lands on.
    int position_at(QPoint pixel) const {
        return static_cast<int>(std::lround(window->plot()->world_x(pixel)));
    }
    QString cell(int row, int column) const {
        return window->score_model()->index(row, column).data().toString();
    }
    int row_labelled(const QString& label) const {
        for (int row = 0; row < window->score_model()->rowCount(); ++row) {
            if (cell(row, 0) == label) {
                return row;
            }
        }
        return -1;
    }

  private slots:
    void init() { open(scenario(2)); }
    void cleanup() { window.reset(); }

    void opensWithEveryTourMethodScored() {
        QCOMPARE(window->score_model()->rowCount(), 31);
        QCOMPARE(cell(0, 0), QStringLiteral("Near. Neighb."));
        QCOMPARE(window->method_list()->count(), 31);
        QCOMPARE(window->method_list()->currentRow(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(window->score_model()->leave_one_out_ready(), 20000);
        QVERIFY(!cell(0, 3).isEmpty());
        QVERIFY(cell(3, 3).isEmpty());  // the Bezier curve has no estimate on the grid
    }

    void aClickAddsAStationAndUndoRedoTakeIt() {
        QCOMPARE(stations().size(), 12u);
        const int added = position_at(at(250, 0.6));
        QVERIFY(added > 0 && added < 500);
        QTest::mouseClick(window->plot(), Qt::LeftButton, {}, at(250, 0.6));
        QCOMPARE(stations().size(), 13u);
        QCOMPARE(stations()[1], added);
        QCOMPARE(window->plot()->selected(), std::optional<int>(added));
        QVERIFY(window->isWindowModified());
        QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(stations().size(), 12u);
        QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(stations().size(), 13u);
        QCOMPARE(window->undo_action()->text(), QStringLiteral("&Undo Add station"));
    }

    void aDragMovesAStationAsOneStepAndStopsAtItsNeighbour() {
        QTest::mousePress(window->plot(), Qt::LeftButton, {}, station(600));
        QTest::mouseMove(window->plot(), at(620, 0.5));
        QTest::mouseMove(window->plot(), at(900, 0.5));  // past the station at 650
        QTest::mouseRelease(window->plot(), Qt::LeftButton, {}, at(900, 0.5));
        QCOMPARE(stations()[3], 649);
        QCOMPARE(window->plot()->selected(), std::optional<int>(649));
        window->undo_action()->trigger();
        QCOMPARE(stations()[3], 600);
        QVERIFY(!window->history().can_undo());
    }

    void keysMoveAndRemoveTheSelectedStation() {
        QTest::mouseClick(window->plot(), Qt::LeftButton, {}, station(700));
        QCOMPARE(window->plot()->selected(), std::optional<int>(700));
        QTest::keyClick(window->plot(), Qt::Key_Right);
        QCOMPARE(stations()[5], 701);
        QTest::keyClick(window->plot(), Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(stations()[5], 691);
        for (int press = 0; press < 4; ++press) {
            QTest::keyClick(window->plot(), Qt::Key_Left, Qt::ShiftModifier);
        }
        QCOMPARE(stations()[5], 651);
        QTest::keyClick(window->plot(), Qt::Key_Left, Qt::ShiftModifier);  // would pass 650
        QCOMPARE(stations()[5], 651);
        QCOMPARE(status(),
                 QStringLiteral("A station cannot land on or pass its neighbour at 650."));
        QTest::keyClick(window->plot(), Qt::Key_Delete);
        QCOMPARE(stations().size(), 11u);
        QVERIFY(!window->plot()->selected());
    }

    void editsThatBreakALimitAreRefusedAndChangeNothing() {
        // The station at 1000 stays.
        QTest::mouseClick(window->plot(), Qt::LeftButton, {}, station(1000));
        QTest::keyClick(window->plot(), Qt::Key_Delete);
        QCOMPARE(stations().size(), 12u);
        QCOMPARE(status(),
                 QStringLiteral(
                     "The stations at 0 and 1000 stay where they are: every method needs them."));
        QTest::mousePress(window->plot(), Qt::LeftButton, {}, station(0));
        QTest::mouseMove(window->plot(), at(100, 0.5));
        QTest::mouseRelease(window->plot(), Qt::LeftButton, {}, at(100, 0.5));
        QCOMPARE(stations().front(), 0);
        QVERIFY(!window->history().can_undo());
        // There are 21 stations at the most.
        open(scenario(1));
        QTest::mouseClick(window->plot(), Qt::LeftButton, {}, at(530, 0.4));
        QCOMPARE(stations().size(), 21u);
        QCOMPARE(status(),
                 QStringLiteral("There are already 21 stations, the most the methods take."));
        QVERIFY(!window->history().can_undo());
    }

    void aParameterTypedInGetsItsOwnRow() {
        window->method_list()->setCurrentRow(entry_labelled("Inv. Dist. (1)"));
        auto* power = qobject_cast<QLineEdit*>(window->parameters()->field(0));
        QVERIFY(power);
        QCOMPARE(power->text(), QStringLiteral("1"));
        power->selectAll();
        QTest::keyClicks(power, QStringLiteral("2.5"));
        QTest::keyClick(power, Qt::Key_Return);
        const int row = row_labelled(QStringLiteral("Inv. Dist. (2.5)"));
        QCOMPARE(row, 31);
        const explore::Evaluation expected =
            explore::evaluate(window->history().setup().layout, window->history().setup().method);
        QCOMPARE(window->scores().rows[31].rms, expected.rms);
        QCOMPARE(window->scores().chosen_row, 31);

        power->selectAll();
        QTest::keyClicks(power, QStringLiteral("0"));
        QTest::keyClick(power, Qt::Key_Return);
        QCOMPARE(status(),
                 QStringLiteral("Power must be greater than 0 and at most 20; 0 is outside."));
        QCOMPARE(power->text(), QStringLiteral("2.5"));
        QCOMPARE(window->history().setup().method.values[0], 2.5f);
    }

    void aMethodThatCannotRunShowsWhyInItsRow() {
        explore::Setup setup = explore::default_setup();
        setup.layout = explore::Layout{explore::Field::bump, {0, 600, 1000}};
        setup.method = explore::tour_method(entry_labelled("Gauss-Ave (10)"));
        open(setup);
        const int row = entry_labelled("Gauss-Ave (10)");
        QVERIFY(cell(row, 1).contains(QStringLiteral("all its weights underflow to 0")));
        QVERIFY(cell(row, 2).isEmpty());
        QCOMPARE(window->table_view()->columnSpan(row, 1), 3);
        QVERIFY(!cell(row - 1, 1).isEmpty());
        QVERIFY(cell(row - 1, 1).at(0).isDigit());
        QTRY_VERIFY_WITH_TIMEOUT(window->score_model()->leave_one_out_ready(), 20000);
    }

    void sortsByAColumnAndKeepsTheChosenRow() {
        window->table_view()->sortByColumn(1, Qt::AscendingOrder);
        const QAbstractItemModel* view_model = window->table_view()->model();
        double last = -1.0;
        for (int row = 0; row < view_model->rowCount(); ++row) {
            const double value =
                view_model->index(row, 1).data(tour::ScoreModel::kSortRole).toDouble();
            QVERIFY(value >= last);
            last = value;
        }
        QCOMPARE(window->scores().chosen_row, 0);
    }

    void savesOpensAndExportsWithoutLosingAnything() {
        QTest::mouseClick(window->plot(), Qt::LeftButton, {}, at(250, 0.5));
        const QString setup_path = scratch.filePath(QStringLiteral("setup.json"));
        QVERIFY(window->save_setup(setup_path));
        QVERIFY(!window->isWindowModified());
        const explore::Setup saved = window->history().setup();

        // A save that cannot be written changes nothing.
        QVERIFY(!window->save_setup(scratch.filePath(QStringLiteral("missing/folder/x.json"))));
        QCOMPARE(window->path(), setup_path);

        // A bad file leaves the open setup as it is.
        const QString bad = scratch.filePath(QStringLiteral("bad.json"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            R"({"format": "interp1d-tour setup", "version": 1, "field": "bump", "stations": [0, 1000]})");
        file.close();
        QTest::mouseClick(window->plot(), Qt::LeftButton, {}, at(300, 0.5));
        const explore::Setup before = window->history().setup();
        QVERIFY(!window->open_setup(bad));
        QVERIFY(window->history().setup() == before);
        QVERIFY(status().contains(QStringLiteral("2 stations are too few")));

        QVERIFY(window->open_setup(setup_path));
        QVERIFY(window->history().setup() == saved);
        QVERIFY(!window->history().can_undo());

        const QString png = scratch.filePath(QStringLiteral("plot.png"));
        const QString svg = scratch.filePath(QStringLiteral("plot.svg"));
        const QString csv = scratch.filePath(QStringLiteral("scores.csv"));
        QVERIFY(window->export_plot(png));
        QVERIFY(window->export_plot(svg));
        QVERIFY(window->export_table(csv));
        QVERIFY(!QImage(png).isNull());
        QFile svg_file(svg);
        QVERIFY(svg_file.open(QIODevice::ReadOnly));
        QVERIFY(svg_file.readAll().contains("<svg"));
        QFile csv_file(csv);
        QVERIFY(csv_file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv_file.readAll().split('\n');
        QCOMPARE(lines[0], QByteArray("method,rms_error,max_error,loo_rms_error,fault"));
        QCOMPARE(lines.size(), 33);  // header, 31 rows, the empty end
    }

    void theTourOpenedBesideItEndsByClosingOnlyItself() {
        QAction* open_tour = nullptr;
        for (QAction* action : window->findChildren<QAction*>()) {
            if (action->text() == QStringLiteral("Open the &Tour")) {
                open_tour = action;
            }
        }
        QVERIFY(open_tour);
        open_tour->trigger();
        QPointer<tour::Form1> form;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<tour::Form1*>(top)) {
                form = found;
            }
        }
        QVERIFY(form);
        QVERIFY(form->isVisible());
        while (!form->tour().ended()) {
            form->press_continue();
        }
        QTRY_VERIFY(!form);  // closed and deleted
        QVERIFY(window->isVisible());
        QTest::mouseClick(window->plot(), Qt::LeftButton, {}, at(250, 0.6));
        QCOMPARE(stations().size(), 13u);
    }

    void aLessonPlaysBesideTheExplorer() {
        const explore::ParsedLesson parsed = explore::parse_lesson(R"({
          "format": "interp1d-tour lesson", "version": 1, "title": "<b>Two</b> steps",
          "steps": [
            {"text": "Linear: {rms:Lin. Int.}\n\n<img src=x onerror=alert(1)>",
             "setup": {"stations": [0, 500, 550, 600, 650, 700, 750, 800, 850, 900, 950, 1000],
                       "method": {"name": "linint"}},
             "question": {"ask": "Which?", "choices": ["One & two", "Three"], "answer": 1,
                          "explain": "Because."}},
            {"text": "Fixed.", "setup": {"stations": [0, 300, 1000]}, "edit": false}]})");
        QVERIFY(parsed.ok());
        window->play_lesson(parsed.lesson);
        tour::LessonPanel* panel = window->lesson_panel();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->step_label()->text(), QStringLiteral("Step 1 of 2"));
        QCOMPARE(panel->text_label()->textFormat(), Qt::PlainText);
        QVERIFY(
            panel->text_label()->text().endsWith(QStringLiteral("<img src=x onerror=alert(1)>")));
        const QString numbers = panel->text_label()->text();
        QVERIFY2(numbers.startsWith(QStringLiteral("Linear: 0.")), qPrintable(numbers));

        // The numbers follow an edit; Reset Step brings the step back.
        QTest::mouseClick(window->plot(), Qt::LeftButton, {}, at(250, 0.6));
        QVERIFY(panel->text_label()->text() != numbers);
        QTest::mouseClick(panel->reset_button(), Qt::LeftButton);
        QCOMPARE(panel->text_label()->text(), numbers);
        QCOMPARE(stations().size(), 12u);

        // A wrong answer is marked, the explanation shown, the answer kept.
        QCOMPARE(panel->choice_buttons().size(), 2u);
        QCOMPARE(panel->choice_buttons()[0]->text(), QStringLiteral("One && two"));
        QTest::mouseClick(panel->choice_buttons()[0], Qt::LeftButton);
        QCOMPARE(panel->feedback_label()->text(), QStringLiteral("Not quite. Because."));
        QVERIFY(!panel->choice_buttons()[1]->isEnabled());

        QTest::mouseClick(panel->continue_button(), Qt::LeftButton);
        QCOMPARE(panel->step_label()->text(), QStringLiteral("Step 2 of 2"));
        QCOMPARE(stations(), (std::vector<int>{0, 300, 1000}));
        QTest::mouseClick(window->plot(), Qt::LeftButton, {}, at(600, 0.6));
        QCOMPARE(stations().size(), 3u);
        QCOMPARE(status(), QStringLiteral("In this step the stations stay where they are."));

        QTest::mouseClick(panel->continue_button(), Qt::LeftButton);
        QCOMPARE(panel->text_label()->text(),
                 QStringLiteral("You answered 0 of 1 questions right."));
        QVERIFY(!panel->continue_button()->isEnabled());
        QTest::mouseClick(panel->back_button(), Qt::LeftButton);
        QTest::mouseClick(panel->back_button(), Qt::LeftButton);
        QCOMPARE(panel->step_label()->text(), QStringLiteral("Step 1 of 2"));
        QCOMPARE(panel->feedback_label()->text(), QStringLiteral("Not quite. Because."));
    }

    void aBadLessonFileChangesNothing() {
        const QString bad = scratch.filePath(QStringLiteral("bad-lesson.json"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"format": "interp1d-tour lesson", "version": 1, "title": "x",
                       "steps": [{"text": "a", "question": {"ask": "?", "choices": ["a", "b"],
                                  "answer": 5, "explain": "e"}}]})");
        file.close();
        const explore::Setup before = window->history().setup();
        QVERIFY(!window->open_lesson(bad));
        QVERIFY(!window->lesson());
        QVERIFY(window->history().setup() == before);
        QVERIFY(status().contains(
            QStringLiteral("step 1, question.answer: 5 is not one of the choices")));
    }

    void thePlotShowsTheChosenAndTheComparedMethod() {
        window->compare_box()->setCurrentIndex(entry_labelled("Kriging (Linear)") + 1);
        emit window->compare_box()->activated(entry_labelled("Kriging (Linear)") + 1);
        QVERIFY(window->history().setup().compare.has_value());
        const QImage image = window->plot()->grab().toImage();
        int red = 0;
        int blue = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 220 && c.green() < 40 && c.blue() < 40;
                blue += c.blue() > 220 && c.red() < 40 && c.green() < 40;
            }
        }
        QVERIFY2(red > 500, qPrintable(QString::number(red)));
        QVERIFY2(blue > 500, qPrintable(QString::number(blue)));
        QTest::mouseMove(window->plot(), at(250, 0.5));
        const QString x = QStringLiteral("x = %1 ").arg(position_at(at(250, 0.5)));
        QVERIFY2(window->readout()->text().startsWith(x), qPrintable(window->readout()->text()));
        QVERIFY(window->readout()->text().contains(QStringLiteral("Kriging (Linear)")));
    }
};

QTEST_MAIN(ExplorerWindowTest)
#include "test_explorer_window.moc"
