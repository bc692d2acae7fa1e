// The explorer in a language with a decimal comma, with the application
// constructed (it sets the C library's locale from the environment): the
// screen shows commas, while setup files, the exported tables and the curves
// keep '.' and every parameter of every catalogue entry comes back from a
// saved setup bit for bit.
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <bit>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "explore/curves_csv.hpp"
#include "explore/parameters.hpp"
#include "explore/score_csv.hpp"
#include "explore/setup_file.hpp"
#include "window/explorer_window.hpp"

namespace explore = tour::explore;
using tour::ExplorerWindow;

namespace {

// Values a student types: fractions, tiny and large ones, thirds that have
// no short decimal, and the one Single whose shortest text, read as a
// double, lies on the middle to the next Single.
const float kTyped[] = {2.5f,  0.5f,        150.5f, 2.25f,    0.01f,
                        1e-5f, 1.0f / 3.0f, 19.99f, 999.875f, std::bit_cast<float>(0x15ae43fdu)};

// Every catalogue entry, and each with every real parameter set to each value.
std::vector<explore::MethodChoice> methods_to_save() {
    std::vector<explore::MethodChoice> methods;
    for (int entry = 0; entry < static_cast<int>(tour::catalogue().size()); ++entry) {
        const explore::MethodChoice tour_values = explore::tour_method(entry);
        methods.push_back(tour_values);
        const tour::ProcedureSpec& spec = explore::procedure_of(tour_values);
        for (int i = 0; i < spec.parameter_count; ++i) {
            const tour::ParameterSpec& parameter = spec.parameters[static_cast<std::size_t>(i)];
            if (parameter.kind != tour::ParameterSpec::Kind::real ||
                !tour::parameter_applies(spec, i, tour_values.values)) {
                continue;
            }
            for (const float value : kTyped) {
                if (explore::value_refusal(parameter, value).empty()) {
                    explore::MethodChoice changed = tour_values;
                    changed.values[static_cast<std::size_t>(i)] = value;
                    methods.push_back(changed);
                }
            }
        }
    }
    return methods;
}

// The same procedure with the same bits in every parameter that applies (a
// method read back is filed under the tour entry whose values it has).
bool same_bits(const explore::MethodChoice& a, const explore::MethodChoice& b) {
    const tour::ProcedureSpec& spec = explore::procedure_of(a);
    if (explore::procedure_of(b).id != spec.id) {
        return false;
    }
    for (int i = 0; i < spec.parameter_count; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (tour::parameter_applies(spec, i, a.values) &&
            std::memcmp(&a.values[slot], &b.values[slot], sizeof(float)) != 0) {
            return false;
        }
    }
    return true;
}

// Every cell of the CSV that is not a label or a reason is a number with '.'.
void expect_plain_numbers(const QString& csv, int first_number_column) {
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?(e[-+][0-9]+)?$"));
    int numbers = 0;
    const QStringList lines = csv.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (int row = 1; row < lines.size(); ++row) {
        // Labels with a comma are quoted; drop them before splitting.
        QString line = lines[row];
        line.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"")));
        const QStringList cells = line.split(QLatin1Char(','));
        for (int column = first_number_column; column < std::min<int>(cells.size(), 4); ++column) {
            if (!cells[column].isEmpty()) {
                QVERIFY2(number.match(cells[column]).hasMatch(), qPrintable(lines[row]));
                ++numbers;
            }
        }
    }
    QVERIFY(numbers > 0);
}

}  // namespace

class DecimalCommaTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch;

  private slots:
    void theLanguageHasADecimalComma() {
        // The application has set the C library's locale: a '.' would stop
        // std::stod here, which is what the files must never depend on.
        QCOMPARE(std::localeconv()->decimal_point, ",");
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        QCOMPARE(std::stod("2.5"), 2.0);
    }

    void everyParameterComesBackFromASavedSetupBitForBit() {
        const std::vector<explore::MethodChoice> methods = methods_to_save();
        QVERIFY(methods.size() > 100);
        const QString path = scratch.filePath(QStringLiteral("setup.json"));
        ExplorerWindow window;
        ExplorerWindow reopened;
        window.set_quiet(true);
        reopened.set_quiet(true);
        for (const explore::MethodChoice& method : methods) {
            explore::Setup setup = explore::default_setup();
            setup.method = method;
            setup.compare = method;
            window.session().open(setup);
            QVERIFY(window.save_setup(path));
            QVERIFY(reopened.open_setup(path));
            const explore::Setup& read = reopened.history().setup();
            QVERIFY2(same_bits(read.method, method) && same_bits(*read.compare, method),
                     qPrintable(QString::fromStdString(explore::setup_text(setup))));
        }
    }

    void theSetupFileHoldsTheShortestTextWithAPoint() {
        explore::Setup setup = explore::default_setup();
        setup.method = explore::tour_method(4);  // Inv. Dist. (1)
        setup.method.values = {2.5f, 0.5f, 0.0f};
        const std::string text = explore::setup_text(setup);
        QVERIFY2(text.find("\"power\": 2.5,") != std::string::npos, text.c_str());
        QVERIFY2(text.find("\"displacement\": 0.5") != std::string::npos, text.c_str());
        setup.method.values = {1.0f / 3.0f, 0.0f, 0.0f};
        QVERIFY(explore::setup_text(setup).find("\"power\": 0.33333334") != std::string::npos);
    }

    void theTablesOnScreenHaveCommasAndTheFilesPoints() {
        explore::Setup setup = explore::default_setup();
        setup.method = explore::tour_method(29);  // Kriging (Linear): a variance column too
        ExplorerWindow window(setup);
        window.set_quiet(true);
        QVERIFY(window.score_model()->index(0, 1).data().toString().contains(QLatin1Char(',')));

        const QString table = scratch.filePath(QStringLiteral("scores.csv"));
        const QString curves = scratch.filePath(QStringLiteral("curves.csv"));
        QVERIFY(window.export_table(table));
        QVERIFY(window.export_curves(curves));
        for (const auto& [path, first] : {std::pair{table, 1}, std::pair{curves, 0}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            expect_plain_numbers(QString::fromUtf8(file.readAll()), first);
        }
        expect_plain_numbers(QString::fromStdString(explore::score_csv(setup)), 1);
        expect_plain_numbers(QString::fromStdString(explore::curves_csv(setup).text), 0);
    }
};

int main(int argc, char** argv) {
    // The language before the application starts, as a German desktop has it.
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    setenv("LANG", "de_DE.UTF-8", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    DecimalCommaTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_decimal_comma.moc"
