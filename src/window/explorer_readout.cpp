#include "window/explorer_readout.hpp"

#include <QCoreApplication>

namespace tour {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("ExplorerReadout", text);
}

}  // namespace

QString readout_text(const explore::Session& session, std::optional<double> x,
                     const QLocale& locale) {
    const auto readout =
        x ? explore::readout_at(session.setup(), session.table(), *x) : std::nullopt;
    if (!readout) {
        return tr("Point at the plot to read the values there.");
    }
    const auto number = [&](double value) { return locale.toString(value, 'f', 6); };
    const explore::ScoreTable& table = session.table();
    QString text = tr("x = %1    true field %2").arg(readout->x).arg(number(readout->truth));
    const auto add = [&](std::optional<int> row, std::optional<float> value) {
        if (row && value) {
            text += tr("    %1: %2")
                        .arg(QString::fromStdString(
                            table.methods[static_cast<std::size_t>(*row)].label))
                        .arg(number(*value));
        }
    };
    add(table.chosen_row, readout->chosen);
    if (readout->chosen && readout->variance) {
        if (const auto width = explore::two_sigma(*readout->variance)) {
            text += tr(" \u00b1 2\u03c3 %1").arg(number(*width));
        } else {
            text +=
                tr(" (\u00b1 2\u03c3: none, the variance is %1)").arg(number(*readout->variance));
        }
    }
    if (table.compared_row != table.chosen_row) {
        add(table.compared_row, readout->compared);
    }
    return text;
}

}  // namespace tour
