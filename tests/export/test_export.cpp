// The program run from the command line: --version, --help and --export,
// with the exported files read back.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <map>

#include "support/run_program.hpp"

namespace {

using tour::testing::Run;
using tour::testing::run_program;

QStringList read_lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// A CSV line split at its commas, with double-quoted fields kept whole.
QStringList fields(const QString& line) {
    QStringList result;
    QString field;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            result << field;
            field.clear();
        } else {
            field += c;
        }
    }
    result << field;
    return result;
}

// Rows keyed by their leading fields, e.g. "1,33,375" -> the rest.
std::map<QString, QStringList> index_rows(const QStringList& lines, int key_fields) {
    std::map<QString, QStringList> rows;
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList f = fields(lines[i]);
        rows[f.mid(0, key_fields).join(',')] = f.mid(key_fields);
    }
    return rows;
}

}  // namespace

class ExportTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch;
    QString out;  // the export folder, written once for all the checks

  private slots:
    void initTestCase() {
        QVERIFY(scratch.isValid());
        out = scratch.filePath(QStringLiteral("tour/export"));  // created by the program
        // A German locale uses a decimal comma; the files must not.
        const Run run =
            run_program({QStringLiteral("--export"), out}, QStringLiteral("de_DE.UTF-8"));
        QVERIFY2(run.status == 0, qPrintable(run.err));
    }

    void versionAndHelp() {
        const Run version = run_program({QStringLiteral("--version")});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out.trimmed(), QStringLiteral("interp1d-tour 1.2.0"));
        const Run help = run_program({QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.contains(QStringLiteral("--export <dir>")));
        QVERIFY(help.out.contains(QStringLiteral("--version")));
    }

    void tablesHaveTheirHeadersAndRows() {
        const auto check = [&](const char* name, const char* header, int rows) {
            const QStringList lines = read_lines(out + '/' + name);
            QCOMPARE(lines.value(0), QString::fromLatin1(header));
            QCOMPARE(lines.size(), rows + 1);
        };
        check("errors.csv", "scenario,stage,method,rms_error,max_error", 93);
        check("estimates.csv", "scenario,stage,x,truth,estimate", 30 * 3 * 1001);
        check("bezier.csv", "scenario,i,x,y", 3 * 1001);
        check("variogram.csv", "scenario,stage,lag,model", 2 * 3 * 1001);
    }

    void errorsListTheScoredStagesInTourOrder() {
        const QStringList lines = read_lines(out + QStringLiteral("/errors.csv"));
        QStringList order;
        for (int i = 1; i < lines.size(); ++i) {
            const QStringList f = fields(lines[i]);
            QCOMPARE(f.size(), 5);
            order << f[0] + '/' + f[1];
        }
        QCOMPARE(order.first(), QStringLiteral("1/3"));
        QCOMPARE(order.mid(27, 5), (QStringList{"1/30", "1/33", "1/35", "1/36", "2/3"}));
        QCOMPARE(order.last(), QStringLiteral("3/36"));

        const auto rows = index_rows(lines, 2);
        QCOMPARE(rows.at("1,13").value(0), QStringLiteral("Mod. Inv. Dist. (1,5)"));
        QVERIFY(lines.contains(QStringLiteral("1,13,\"Mod. Inv. Dist. (1,5)\",") +
                               rows.at("1,13").value(1) + ',' + rows.at("1,13").value(2)));
        QVERIFY(qAbs(rows.at("1,17").value(1).toDouble() - 0.0125) < 5e-5);
        QVERIFY(qAbs(rows.at("1,17").value(2).toDouble() - 0.0442) < 5e-5);
        QVERIFY(qAbs(rows.at("2,5").value(2).toDouble() - 2008.1) < 0.05);
        QVERIFY(qAbs(rows.at("1,21").value(1).toDouble() - 0.0747) < 5e-5);
        // The stored float, to 9 significant digits.
        QCOMPARE(rows.at("1,17").value(1), QStringLiteral("0.0125186201"));
    }

    void estimatesBezierAndVariogramReadBack() {
        const auto estimates = index_rows(read_lines(out + QStringLiteral("/estimates.csv")), 3);
        QVERIFY(qAbs(estimates.at("1,33,375").value(1).toDouble() - 0.3548) < 5e-5);
        QCOMPARE(estimates.at("1,33,375").value(0), QStringLiteral("0.360000014"));  // truth
        QCOMPARE(estimates.at("2,35,250").value(1).toDouble(), 0.75);
        QVERIFY(qAbs(estimates.at("3,36,275").value(1).toDouble() - 0.7704) < 5e-5);
        QCOMPARE(estimates.at("1,4,500").value(1), QStringLiteral("1"));
        QVERIFY(estimates.find("1,6,0") == estimates.end());  // the Bezier stage has no grid

        const auto bezier = index_rows(read_lines(out + QStringLiteral("/bezier.csv")), 2);
        QVERIFY(qAbs(bezier.at("2,1").value(0).toDouble() - 5.48) < 0.005);
        QVERIFY(qAbs(bezier.at("2,500").value(0).toDouble() - 724.8) < 0.05);
        QVERIFY(qAbs(bezier.at("1,500").value(1).toDouble() - 0.6115) < 5e-5);

        const auto models = index_rows(read_lines(out + QStringLiteral("/variogram.csv")), 3);
        QVERIFY(qAbs(models.at("1,32,0").value(0).toDouble() - 0.0157) < 5e-5);
        QVERIFY(qAbs(models.at("2,32,500").value(0).toDouble() - 0.8687) < 5e-5);
        QVERIFY(qAbs(models.at("3,34,250").value(0).toDouble() - 0.55) < 5e-7);
        QCOMPARE(models.at("1,34,1000").value(0), QStringLiteral("1"));
    }

    void oneScreenPerStepOfTheForwardTour() {
        const QStringList screens =
            QDir(out + QStringLiteral("/screens")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(screens.size(), 111);
        QCOMPARE(screens.first(), QStringLiteral("000-s1--1.png"));
        QCOMPARE(screens.at(1), QStringLiteral("001-s1-0.png"));
        QCOMPARE(screens.at(37), QStringLiteral("037-s1-36.png"));
        QCOMPARE(screens.at(38), QStringLiteral("038-s2-1.png"));  // the transition screen
        QCOMPARE(screens.at(39), QStringLiteral("039-s2-2.png"));
        QCOMPARE(screens.last(), QStringLiteral("110-s4-1.png"));  // the closing screen

        const QImage welcome(out + QStringLiteral("/screens/000-s1--1.png"));
        QCOMPARE(welcome.size(), QSize(933, 605));
        QCOMPARE(welcome.pixelColor(5, 5), QColor(0, 255, 0));
        QCOMPARE(welcome.pixelColor(320, 360), QColor(255, 255, 255));  // empty plot
        const QImage spline(out + QStringLiteral("/screens/037-s1-36.png"));
        // The columns use the locale's decimal comma on screen.
        QCOMPARE(spline.size(), QSize(933, 605));
        QVERIFY(spline != welcome);
    }

    void plotsAreVectorDrawingsOfEveryScreenThatDrawsSomething() {
        const QStringList plots =
            QDir(out + QStringLiteral("/plots")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(plots.size(), 109);  // all but the welcome and the closing screen
        QVERIFY(plots.contains(QStringLiteral("s1-0.svg")));
        QVERIFY(plots.contains(QStringLiteral("s2-1.svg")));
        QVERIFY(!plots.contains(QStringLiteral("s4-1.svg")));
        for (const QString& name : {QStringLiteral("s1-4.svg"), QStringLiteral("s3-32.svg")}) {
            QFile file(out + QStringLiteral("/plots/") + name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QXmlStreamReader xml(&file);
            QMap<QString, int> elements;
            QSet<QString> strokes;
            while (!xml.atEnd()) {
                if (xml.readNext() == QXmlStreamReader::StartElement) {
                    ++elements[xml.name().toString()];
                    strokes << xml.attributes().value(QStringLiteral("stroke")).toString()
                            << xml.attributes().value(QStringLiteral("fill")).toString();
                }
            }
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
            if (name == QStringLiteral("s1-4.svg")) {
                // Zero line, truth, 21 stems, estimate; 21 station dots plus the estimate's first.
                QCOMPARE(elements.value(QStringLiteral("polyline")), 24);
                QCOMPARE(elements.value(QStringLiteral("circle")), 22);
                QVERIFY(strokes.contains(QStringLiteral("#00ff00")));
                QVERIFY(strokes.contains(QStringLiteral("#ff0000")));
                QVERIFY(strokes.contains(QStringLiteral("#000000")));
            } else {
                QCOMPARE(elements.value(QStringLiteral("circle")), 231 + 1001);  // cloud and model
                QCOMPARE(elements.value(QStringLiteral("polyline")), 0);  // the zero line is erased
            }
        }
    }

    void nothingIsLeftUnderATemporaryName() {
        for (const QString& folder :
             {QString(), QStringLiteral("/screens"), QStringLiteral("/plots")}) {
            QCOMPARE(QDir(out + folder).entryList({QStringLiteral("*.part")}, QDir::Files).size(),
                     0);
        }
    }

    void anUnusableFolderIsReportedWithAFailureStatus() {
        QFile file(scratch.filePath(QStringLiteral("a-file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        for (const QString& dir : {scratch.filePath(QStringLiteral("a-file")),
                                   scratch.filePath(QStringLiteral("a-file/below")),
                                   QStringLiteral("/proc/interp1d-tour-export")}) {
            const Run run = run_program({QStringLiteral("--export"), dir});
            QVERIFY2(run.status != 0, qPrintable(dir));
            const QStringList messages =
                run.err.split('\n', Qt::SkipEmptyParts).filter(QStringLiteral("interp1d-tour:"));
            QCOMPARE(messages.size(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(ExportTest)
#include "test_export.moc"
