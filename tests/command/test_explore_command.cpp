// The explorer's command line: --score writes the score table of a setup file
// and --curves its curves without a display, and a file that cannot be used
// gives one message and the status that says why, with --score, --curves and
// --explore alike.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/run_program.hpp"

namespace {

using tour::testing::Run;

// Runs the program without a display, in a language with a decimal comma.
Run run_program(const QStringList& arguments) {
    return tour::testing::run_program(arguments, QStringLiteral("de_DE.UTF-8"));
}

// stderr without the platform's notes about its runtime folder.
QStringList messages(const QString& err) {
    QStringList lines;
    for (const QString& line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!line.startsWith(QStringLiteral("QStandardPaths:"))) {
            lines << line;
        }
    }
    return lines;
}

}  // namespace

class ExploreCommandTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch;

    QString file_with(const QString& name, const QByteArray& text) {
        const QString path = scratch.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return path;
    }

  private slots:
    void scoresASetupAsCsv() {
        const QString path = file_with(QStringLiteral("setup.json"), R"({
          "format": "interp1d-tour setup", "version": 1, "field": "bump",
          "stations": [0, 120, 260, 500, 730, 1000],
          "method": {"name": "invdist", "power": 2.5, "displacement": 0},
          "compare": {"name": "kriging", "model": "linear"}})");
        const Run run = run_program({QStringLiteral("--score"), path});
        QCOMPARE(run.status, 0);
        QVERIFY2(messages(run.err).isEmpty(), qPrintable(run.err));
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 31 + 1);
        QCOMPARE(lines[0], QStringLiteral("method,rms_error,max_error,loo_rms_error,fault"));
        QVERIFY(lines[1].startsWith(QStringLiteral("Near. Neighb.,0.")));
        // '.' whatever the locale, 9 significant digits, labels quoted where needed.
        QVERIFY(lines[11].startsWith(QStringLiteral("\"Mod. Inv. Dist. (1,5)\",")));
        QVERIFY(lines[4].startsWith(QStringLiteral("Bezier Polynom,")));
        QVERIFY(lines[4].endsWith(QStringLiteral(",,")));  // no LOO value and no fault
        QCOMPARE(lines[32].section(QLatin1Char(','), 0, 0), QStringLiteral("Inv. Dist. (2.5)"));
        const QStringList numbers = lines[32].split(QLatin1Char(','));
        QCOMPARE(numbers.size(), 5);
        for (int i = 1; i <= 3; ++i) {
            bool ok = false;
            numbers[i].toDouble(&ok);
            QVERIFY2(ok, qPrintable(lines[32]));
        }
    }

    void emptyCellsAndTheReasonWhereAMethodCannotRun() {
        const QString path = file_with(QStringLiteral("sparse.json"), R"({
          "format": "interp1d-tour setup", "version": 1, "field": "bump",
          "stations": [0, 600, 1000]})");
        const Run run = run_program({QStringLiteral("--score"), path});
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(
            lines[23],
            QStringLiteral("Gauss-Ave (10),,,,Run-time error: Invalid floating-point operation "
                           "at x = 273: all its weights underflow to 0."));
        // Without its only inner station the spline has 2 stations.
        QCOMPARE(lines[31].section(QLatin1Char(','), 4),
                 QStringLiteral("leave-one-out: Without the station at 600: Needs at least 3 "
                                "stations."));
    }

    void curvesOfASetupAsCsv() {
        const QString path = file_with(QStringLiteral("kriging.json"), R"({
          "format": "interp1d-tour setup", "version": 1, "field": "bump",
          "stations": [0, 120, 260, 380, 500, 610, 730, 1000],
          "method": {"name": "kriging", "model": "linear"},
          "compare": {"name": "bezier"}})");
        const Run run = run_program({QStringLiteral("--curves"), path});
        QCOMPARE(run.status, 0);
        QVERIFY2(messages(run.err).isEmpty(), qPrintable(run.err));
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 1001);
        QCOMPARE(lines[0],
                 QStringLiteral("position,true_field,estimate,variance,compare,compare_variance"));
        // At the station at 500 the estimate is its value and the variance 0;
        // the Bezier curve has no values at grid positions.
        QCOMPARE(lines[501], QStringLiteral("500,1,1,0,,"));
        const QStringList at494 = lines[495].split(QLatin1Char(','));
        QCOMPARE(at494.size(), 6);
        QVERIFY2(at494[3].startsWith(QStringLiteral("0.0205")), qPrintable(lines[495]));
        QVERIFY(!run.out.contains(QLatin1Char(';')));
    }

    void curvesOfAMethodThatCannotRunStayEmptyWithStatusThree() {
        const QString path = file_with(QStringLiteral("gauss.json"), R"({
          "format": "interp1d-tour setup", "version": 1, "field": "bump",
          "stations": [0, 600, 1000], "method": {"name": "gaussave", "scale": 10},
          "compare": {"name": "linint"}})");
        const Run run = run_program({QStringLiteral("--curves"), path});
        QCOMPARE(run.status, 3);
        QCOMPARE(messages(run.err),
                 QStringList{QStringLiteral(
                     "Gauss-Ave (10) (chosen) cannot run on this layout: Run-time error: Invalid "
                     "floating-point operation at x = 273: all its weights underflow to 0.")});
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1002);
        QCOMPARE(lines[301].section(QLatin1Char(','), 2, 3), QStringLiteral(","));
        QVERIFY(!lines[301].section(QLatin1Char(','), 4, 4).isEmpty());
    }

    void checksALessonAndWritesItsNumbers() {
        const QString path = file_with(QStringLiteral("lesson.json"), R"({
          "format": "interp1d-tour lesson", "version": 1, "title": "Two steps",
          "steps": [
            {"text": "Linear misses by {rms:Lin. Int.}.\n\n<b>bold</b>",
             "setup": {"stations": [0, 250, 500, 1000], "method": {"name": "linint"}},
             "question": {"ask": "Why?", "choices": ["A", "B"], "answer": 1, "explain": "So."}},
            {"text": "Left out: {loo:Lin. Int.}; best {best:loo}", "edit": false}]})");
        const Run run = run_program({QStringLiteral("--check-lesson"), path});
        QCOMPARE(run.status, 0);
        QVERIFY2(messages(run.err).isEmpty(), qPrintable(run.err));
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        QCOMPARE(lines[0], QStringLiteral("Two steps"));
        QCOMPARE(lines[2], QStringLiteral("Step 1 of 2"));
        // The numbers with '.', whatever the language; the markup as it was written.
        QVERIFY2(lines[3].startsWith(QStringLiteral("Linear misses by 0.")), qPrintable(lines[3]));
        QCOMPARE(lines[5], QStringLiteral("<b>bold</b>"));
        QVERIFY(run.out.contains(QStringLiteral("  2. B  (the answer)\n")));
        // Without 250 the line gives 0.5 there (truth 0), without 500 it gives 0
        // (truth 1): the root of the mean of 0.25 and 1.
        QVERIFY2(run.out.contains(QStringLiteral("Left out: 0.791; best ")), qPrintable(run.out));
        QVERIFY(run.out.contains(QStringLiteral("(The stations stay where they are.)")));
    }

    void aBadLessonGivesEachProblemWithItsPlaceAndStatusTwo() {
        const QString path = file_with(QStringLiteral("bad-lesson.json"), R"({
          "format": "interp1d-tour lesson", "version": 1, "title": "Bad",
          "steps": [{"text": "a"}, {"text": "b"},
                    {"text": "c", "setup": {"stations": [0, 1, 2, 3, 1200]}},
                    {"text": "{rms:No Such Method}"}]})");
        for (const QString& option :
             {QStringLiteral("--check-lesson"), QStringLiteral("--lesson")}) {
            const Run run = run_program({option, path});
            QCOMPARE(run.status, 2);
            QVERIFY(run.out.isEmpty());
            QCOMPARE(
                messages(run.err),
                (QStringList{path + QStringLiteral(": step 3, setup.stations[4]: 1200 is "
                                                   "outside 0..1000"),
                             path + QStringLiteral(": step 4, text: {rms:No Such Method}: \"No "
                                                   "Such Method\" is not a row of this "
                                                   "step's table")}));
        }
        const Run missing = run_program(
            {QStringLiteral("--check-lesson"), scratch.filePath(QStringLiteral("no.json"))});
        QCOMPARE(missing.status, 1);
        QVERIFY(missing.err.contains(QStringLiteral("cannot be read")));
    }

    void everyBuiltInLessonChecksClean() {
        const QDir lessons(QStringLiteral(INTERP1D_LESSONS));
        const QStringList files = lessons.entryList({QStringLiteral("*.json")}, QDir::Files);
        QVERIFY(files.size() >= 3);
        for (const QString& file : files) {
            const Run run = run_program({QStringLiteral("--check-lesson"), lessons.filePath(file)});
            QCOMPARE(run.status, 0);
            QVERIFY2(!run.out.contains(QStringLiteral("{")), qPrintable(run.out));  // all filled
        }
    }

    void aBadSetupGivesOneMessageAndStatusTwo() {
        const QString path = file_with(QStringLiteral("bad.json"), R"({
          "format": "interp1d-tour setup", "version": 1, "field": "bump",
          "stations": [0, 500.5, 1000]})");
        for (const QStringList& arguments : {QStringList{QStringLiteral("--score"), path},
                                             QStringList{QStringLiteral("--curves"), path},
                                             QStringList{QStringLiteral("--explore"), path}}) {
            const Run run = run_program(arguments);
            QCOMPARE(run.status, 2);
            QVERIFY(run.out.isEmpty());
            QCOMPARE(
                messages(run.err),
                QStringList{path + QStringLiteral(": stations[1]: 500.5 is not a whole number")});
        }
    }

    void anUnreadableFileGivesStatusOne() {
        const QString missing = scratch.filePath(QStringLiteral("missing.json"));
        for (const QString& option :
             {QStringLiteral("--score"), QStringLiteral("--curves"), QStringLiteral("--explore")}) {
            const Run run = run_program({option, missing});
            QCOMPARE(run.status, 1);
            QCOMPARE(messages(run.err).size(), 1);
            QVERIFY(run.err.contains(QStringLiteral("cannot be read")));
        }
    }

    void aWrongCommandLineIsRefusedWithoutADisplay() {
        QCOMPARE(run_program({QStringLiteral("--bogus")}).status, 1);
        QCOMPARE(run_program({QStringLiteral("some.json")}).status, 1);
        QCOMPARE(run_program({QStringLiteral("--score"), QStringLiteral("a.json"),
                              QStringLiteral("--explore")})
                     .status,
                 1);
        QCOMPARE(run_program({QStringLiteral("--curves"), QStringLiteral("a.json"),
                              QStringLiteral("--score"), QStringLiteral("a.json")})
                     .status,
                 1);
    }
};

QTEST_GUILESS_MAIN(ExploreCommandTest)
#include "test_explore_command.moc"
