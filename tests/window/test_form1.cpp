// The real window under the offscreen platform: its layout, fonts and
// colours, its start-up state, the real buttons clicked, and the plot's
// pixels.
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "window/form1.hpp"
#include "window/twips.hpp"
#include "world/runtime_error.hpp"

using tour::Form1;

namespace {

struct Place {
    int left, top, width, height;
};

// A point of the world (x, value) on the plot, in widget pixels.
QPoint plot_pixel(const QWidget* plot, double x, double value) {
    return {static_cast<int>(x / 1000.0 * plot->width()),
            static_cast<int>((1.2 - value) / 1.3 * plot->height())};
}

bool is_white(QColor c) {
    return c.red() == 255 && c.green() == 255 && c.blue() == 255;
}
bool is_green(QColor c) {
    return c.green() > 200 && c.red() < 60 && c.blue() < 60;
}
bool is_red(QColor c) {
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}
bool is_black(QColor c) {
    return c.red() < 60 && c.green() < 60 && c.blue() < 60;
}

QString describe(QColor c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1> form;
    double dpi = 96.0;

    int px(int twips) const { return tour::twips_to_pixels(twips, dpi); }
    void click_continue(int times = 1) {
        for (int i = 0; i < times; ++i) {
            QTest::mouseClick(form->Command1, Qt::LeftButton);
        }
    }
    QImage plot_image() const { return form->Picture1->grab().toImage(); }
    QColor plot_colour(double x, double value) const {
        return plot_image().pixelColor(plot_pixel(form->Picture1, x, value));
    }

  private slots:
    void init() {
        form = std::make_unique<Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        dpi = form->screen()->logicalDotsPerInch();
    }
    void cleanup() { form.reset(); }

    void captionAndClientSize() {
        QCOMPARE(form->windowTitle(),
                 QStringLiteral("One-dimensional Interpolation; An overview by Orvel Tamberlin "
                                "(interp1d-tour@example.org)"));
        QCOMPARE(form->size(), QSize(px(13995), px(9075)));
        if (dpi == 96.0) {
            QCOMPARE(form->size(), QSize(933, 605));
        }
        QCOMPARE(form->minimumSize(), form->maximumSize());
    }

    void controlsStandWhereTheDesignPutsThem_data() {
        QTest::addColumn<QRect>("twips");
        QTest::newRow("Label1") << QRect(960, 240, 7935, 1575);
        QTest::newRow("Command1") << QRect(9240, 240, 2055, 615);
        QTest::newRow("Command2") << QRect(11640, 240, 2055, 615);
        QTest::newRow("Label2") << QRect(9600, 1080, 1215, 255);
        QTest::newRow("Label3") << QRect(11520, 960, 855, 495);
        QTest::newRow("Label4") << QRect(12600, 960, 1215, 615);
        QTest::newRow("Label5") << QRect(9480, 1560, 1935, 6975);
        QTest::newRow("Label6") << QRect(11520, 1560, 1095, 6975);
        QTest::newRow("Label7") << QRect(12720, 1560, 1095, 7095);
        QTest::newRow("Picture1") << QRect(360, 2280, 8895, 6255);
        QTest::newRow("Label0") << QRect(240, 8520, 375, 375);
        QTest::newRow("Label1000") << QRect(8880, 8640, 615, 255);
    }
    void controlsStandWhereTheDesignPutsThem() {
        QFETCH(QRect, twips);
        const auto* control =
            form->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(),
                 QRect(px(twips.left()), px(twips.top()), px(twips.width()), px(twips.height())));
    }

    void captionsFontsColoursAndTooltip() {
        QCOMPARE(form->Command1->text(), QStringLiteral("Continue"));
        QCOMPARE(form->Command2->text(), QStringLiteral("Back"));
        QCOMPARE(form->Label2->text(), QStringLiteral("Method"));
        QCOMPARE(form->Label3->text(), QStringLiteral("RMS Error"));
        QCOMPARE(form->Label4->text(), QStringLiteral("Maximum Error"));
        QCOMPARE(form->Label0->text(), QStringLiteral("0"));
        QCOMPARE(form->Label1000->text(), QStringLiteral("1000"));
        QCOMPARE(form->Label3->toolTip(), QStringLiteral("Mean Squred Error"));

        for (QWidget* w :
             {static_cast<QWidget*>(form->Label1), static_cast<QWidget*>(form->Label2),
              static_cast<QWidget*>(form->Label3), static_cast<QWidget*>(form->Label4)}) {
            QCOMPARE(w->font().pointSizeF(), 9.75);
        }
        QCOMPARE(form->Command1->font().pointSizeF(), 12.0);
        QCOMPARE(form->Command2->font().pointSizeF(), 12.0);
        QCOMPARE(QFontInfo(form->Label5->font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(form->Label1->font()).family(), QStringLiteral("Liberation Sans"));

        // Green window and column labels, pale yellow narrative, white plot.
        const QImage window = form->grab().toImage();
        QCOMPARE(window.pixelColor(5, 5), QColor(0, 255, 0));
        QCOMPARE(window.pixelColor(form->Label5->geometry().center()), QColor(0, 255, 0));
        QCOMPARE(window.pixelColor(form->Label1->geometry().bottomRight() - QPoint(3, 3)),
                 QColor(255, 255, 128));
        QCOMPARE(window.pixelColor(form->Picture1->geometry().center()), QColor(255, 255, 255));
    }

    void focusStartsOnThePlotAndTabsThroughTheButtons() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget(), form->Picture1);
        QList<QWidget*> order;
        QWidget* w = form->Picture1;
        do {
            if (w->focusPolicy() & Qt::TabFocus) {
                order << w;
            }
            w = w->nextInFocusChain();
        } while (w != form->Picture1);
        QCOMPARE(order, (QList<QWidget*>{form->Picture1, form->Command1, form->Command2}));
        QVERIFY(!form->Command1->isDefault() && !form->Command1->autoDefault());
        QVERIFY(!form->Command2->isDefault() && !form->Command2->autoDefault());
    }

    void everyControlHasAnAccessibleNameAndDescription_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("Command1") << "Continue";
        QTest::newRow("Command2") << "Back";
        QTest::newRow("Picture1") << "Plot of the true field, stations and estimate";
        QTest::newRow("Label1") << "Narrative";
        QTest::newRow("Label2") << "Method";
        QTest::newRow("Label3") << "RMS Error";
        QTest::newRow("Label4") << "Maximum Error";
        QTest::newRow("Label5") << "Method";
        QTest::newRow("Label6") << "RMS Error";
        QTest::newRow("Label7") << "Maximum Error";
        QTest::newRow("Label0") << "0";
        QTest::newRow("Label1000") << "1000";
    }
    void everyControlHasAnAccessibleNameAndDescription() {
        QFETCH(QString, name);
        auto* control = form->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(control != nullptr);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->text(QAccessible::Name), name);
        QVERIFY(!accessible->text(QAccessible::Description).isEmpty());
    }

    void spaceAndEnterPressTheFocusedButton() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->Command1->setFocus();
        QTest::keyClick(form->Command1, Qt::Key_Space);
        QCOMPARE(form->tour().stage(), 0);
        QTest::keyClick(form->Command1, Qt::Key_Return);
        QCOMPARE(form->tour().stage(), 1);
        QTest::keyClick(form->Command1, Qt::Key_Enter);
        QCOMPARE(form->tour().stage(), 2);
        form->Command2->setFocus();
        QTest::keyClick(form->Command2, Qt::Key_Return);
        QCOMPARE(form->tour().stage(), 1);
        QTest::keyClick(form->Command2, Qt::Key_Space);
        QCOMPARE(form->tour().stage(), 0);
        // Tab walks plot, Continue, Back.
        form->Picture1->setFocus();
        QTest::keyClick(form.get(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Command1);
        QTest::keyClick(form.get(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Command2);
        QTest::keyClick(form.get(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Picture1);
    }

    void startUpShowsTheWelcomeOverAnEmptyPlot() {
        QVERIFY(form->Label1->text().startsWith(QStringLiteral("Hello! This is just a short")));
        QVERIFY(form->Label5->text().isEmpty());
        QVERIFY(form->Label6->text().isEmpty());
        QVERIFY(form->Label7->text().isEmpty());
        for (QWidget* hidden :
             {form->Label0, form->Label1000, form->Label2, form->Label3, form->Label4}) {
            QVERIFY(!hidden->isVisible());
        }
        const QImage plot = plot_image();
        for (int y = 0; y < plot.height(); y += 7) {
            for (int x = 0; x < plot.width(); x += 7) {
                QVERIFY2(is_white(plot.pixelColor(x, y)),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(!form->testAttribute(Qt::WA_SetCursor));
    }

    void continueDrawsTheStagesAndListsTheMethods() {
        click_continue();  // stage 0: the zero line
        QVERIFY(form->Label0->isVisible() && form->Label1000->isVisible());
        QVERIFY(!form->Label2->isVisible());
        QCOMPARE(form->Label1->text(),
                 QStringLiteral("Imagine a one-dimensional world of 1000 units length."));
        QVERIFY(is_black(plot_colour(700, 0.0)));
        QVERIFY(is_white(plot_colour(700, 0.5)));
        QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);

        click_continue();  // stage 1: the true field in green
        QVERIFY2(is_green(plot_colour(500, 1.0)), qPrintable(describe(plot_colour(500, 1.0))));
        QVERIFY(is_green(plot_colour(100, 0.0)));

        click_continue();  // stage 2: black stems with red dots
        QVERIFY2(is_black(plot_colour(400, 0.3)), qPrintable(describe(plot_colour(400, 0.3))));
        QVERIFY2(is_red(plot_colour(350, 0.221453)),
                 qPrintable(describe(plot_colour(350, 0.221453))));
        QVERIFY(is_white(plot_colour(425, 0.3)));

        click_continue();  // stage 3: nearest neighbour in red, listed
        QVERIFY(form->Label2->isVisible() && form->Label3->isVisible() &&
                form->Label4->isVisible());
        QVERIFY2(is_red(plot_colour(100, 0.0)), qPrintable(describe(plot_colour(100, 0.0))));
        QVERIFY(is_red(plot_colour(520, 1.0)));
        QCOMPARE(form->Label5->text(), QStringLiteral("Near. Neighb."));
        QCOMPARE(form->Label6->text().split('\n').size(), 1);

        click_continue();  // stage 4: linear interpolation appended
        QCOMPARE(form->Label5->text(), QStringLiteral("Near. Neighb.\nLin. Int."));
        const QString point = QLocale().decimalPoint();
        for (QLabel* column : {form->Label6, form->Label7}) {
            const QStringList lines = column->text().split('\n');
            QCOMPARE(lines.size(), 2);
            for (const QString& line : lines) {
                QCOMPARE(line.size() - line.indexOf(point), 4);
            }
        }
        QVERIFY(is_white(plot_colour(5, 1.15)));
    }

    void backShowsTheEarlierStage() {
        click_continue(5);
        QTest::mouseClick(form->Command2, Qt::LeftButton);
        QCOMPARE(form->tour().stage(), 3);
        QVERIFY(is_red(plot_colour(100, 0.0)));
        QCOMPARE(form->Label5->text(), QStringLiteral("Near. Neighb.\nLin. Int."));
    }

    void theColumnsHoldAWholeScenariosRowsOnOneLineEach() {
        QStringList methods;
        QStringList numbers;
        for (int stage = 3; stage <= 36; ++stage) {
            const std::string& label = form->tour().narrative().methodname(stage);
            if (!label.empty()) {
                methods << QString::fromStdString(label);
                numbers << QStringLiteral("2008.100");
            }
        }
        QCOMPARE(methods.size(), 31);
        for (QLabel* column : {form->Label5, form->Label6, form->Label7}) {
            QCOMPARE(column->font(), form->Label5->font());
            QCOMPARE(column->y(), form->Label5->y());
            const QStringList& rows = column == form->Label5 ? methods : numbers;
            const QFontMetrics metrics(column->font());
            for (const QString& row : rows) {
                QVERIFY2(metrics.horizontalAdvance(row) <= column->contentsRect().width(),
                         qPrintable(row));
            }
            const QRect needed = metrics.boundingRect(
                column->contentsRect(), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                rows.join('\n'));
            QCOMPARE(needed.height(), 31 * metrics.lineSpacing());  // no row wrapped
            QVERIFY(needed.height() <= column->contentsRect().height());
            column->setText(rows.join('\n'));
            QCOMPARE(column->heightForWidth(column->width()), needed.height());
        }
    }

    void thePlotSurvivesBeingCoveredAndUncovered() {
        click_continue(5);
        const QImage before = plot_image();
        auto* cover = new QWidget(form.get());
        cover->setAutoFillBackground(true);
        cover->setGeometry(form->Picture1->geometry());
        cover->show();
        cover->raise();
        QCoreApplication::processEvents();
        delete cover;
        form->hide();
        form->showMinimized();
        form->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(plot_image(), before);
        QVERIFY(is_red(plot_colour(100, 0.0)));
    }

    void continueAfterTheClosingTextClosesTheWindow() {
        while (form->tour().scenario() < 4) {
            click_continue();
        }
        QVERIFY(form->Label1->text().startsWith(QStringLiteral("Ok, this is the end.")));
        QVERIFY(is_white(plot_colour(500, 0.0)));
        QVERIFY(form->isVisible());
        click_continue();
        QVERIFY(!form->isVisible());
    }

    void solverMessagesAppearInAModalOkOnlyBox() {
        QString shown;
        bool modal = false;
        QMessageBox::StandardButtons buttons;
        QTimer::singleShot(0, form.get(), [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            shown = box->text();
            modal = box->isModal();
            buttons = box->standardButtons();
            box->accept();
        });
        static_cast<tour::FormHost&>(*form).message_box("Matrix has no unique solution");
        QCOMPARE(shown, QStringLiteral("Matrix has no unique solution"));
        QVERIFY(modal);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void aRunTimeErrorIsShownAndEndsWithStatusOne() {
        QString shown;
        QTimer::singleShot(0, form.get(), [&] {
            form->run_guarded(
                [] { throw tour::RuntimeError(tour::Fault::subscript_out_of_range); });
        });
        auto* closer = new QTimer(form.get());
        connect(closer, &QTimer::timeout, form.get(), [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        closer->start(10);
        QCOMPARE(QApplication::exec(), 1);
        QCOMPARE(shown, QStringLiteral("Run-time error: Subscript out of range"));
    }
};

QTEST_MAIN(Form1Test)
#include "test_form1.moc"
