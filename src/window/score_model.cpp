#include "window/score_model.hpp"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QLocale>
#include <limits>

namespace tour {

namespace {
const QColor kChosenRow(255, 236, 160);
const QColor kComparedRow(214, 228, 255);
const QColor kFaultText(150, 0, 0);
constexpr double kLast = std::numeric_limits<double>::infinity();
}  // namespace

ScoreModel::ScoreModel(const explore::Session& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {
    for (const explore::TableMethod& method : table().methods) {
        shown_rows_.push_back(method.label);
    }
}

void ScoreModel::session_changed(unsigned changes) {
    if ((changes & (explore::Session::table_changed | explore::Session::loo_changed)) == 0) {
        return;
    }
    std::vector<std::string> rows;
    for (const explore::TableMethod& method : table().methods) {
        rows.push_back(method.label);
    }
    if (rows != shown_rows_) {
        beginResetModel();
        shown_rows_ = std::move(rows);
        endResetModel();
        return;
    }
    const int first = (changes & explore::Session::table_changed) ? 0 : loo_column;
    emit dataChanged(index(0, first), index(rowCount() - 1, column_count - 1));
}

const explore::LooCell& ScoreModel::cell(int row) const {
    return session_.loo_cells()[static_cast<std::size_t>(row)];
}

int ScoreModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_rows_.size());
}

int ScoreModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : column_count;
}

QString ScoreModel::number(double value) const {
    return QLocale().toString(value, 'f', 4);
}

QString ScoreModel::cell_text(int row, int column) const {
    const auto slot = static_cast<std::size_t>(row);
    const explore::Evaluation& e = table().rows[slot];
    switch (column) {
        case method_column:
            return QString::fromStdString(table().methods[slot].label);
        case rms_column:
            return e.ran() ? number(e.rms) : QString::fromStdString(e.fault);
        case max_column:
            return e.ran() ? number(e.max) : QString();
        case loo_column: {
            const explore::LooCell& loo = cell(row);
            switch (loo.kind) {
                case explore::LooCell::Kind::value:
                    return number(loo.rms);
                case explore::LooCell::Kind::fault:
                    return QString::fromStdString(loo.fault);
                case explore::LooCell::Kind::pending:
                    return tr("computing\u2026");
                case explore::LooCell::Kind::none:
                    return {};
            }
            return {};
        }
        default:
            return {};
    }
}

QVariant ScoreModel::sort_value(int row, int column) const {
    const auto slot = static_cast<std::size_t>(row);
    const explore::Evaluation& e = table().rows[slot];
    switch (column) {
        case method_column:
            return row;  // tour order
        case rms_column:
            return e.ran() ? static_cast<double>(e.rms) : kLast;
        case max_column:
            return e.ran() ? static_cast<double>(e.max) : kLast;
        case loo_column:
            return cell(row).kind == explore::LooCell::Kind::value ? cell(row).rms : kLast;
        default:
            return {};
    }
}

QVariant ScoreModel::tooltip(int row, int column, bool fault_cell) const {
    const auto slot = static_cast<std::size_t>(row);
    const explore::Evaluation& e = table().rows[slot];
    if (fault_cell) {
        return cell_text(row, column);
    }
    const auto precise = [](double value) { return QLocale().toString(value, 'g', 9); };
    switch (column) {
        case rms_column:
            return precise(e.rms);
        case max_column:
            return e.ran() ? QVariant(precise(e.max)) : QVariant();
        case loo_column:
            switch (cell(row).kind) {
                case explore::LooCell::Kind::value:
                    return precise(cell(row).rms);
                case explore::LooCell::Kind::none:
                    return e.ran() ? QVariant(tr("No leave-one-out error: the Bezier curve has "
                                                 "no estimate on the grid"))
                                   : QVariant();
                default:
                    return {};
            }
        default:
            return {};
    }
}

QVariant ScoreModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    const explore::Evaluation& e = table().rows[static_cast<std::size_t>(row)];
    const bool fault_cell =
        (column == rms_column && !e.ran()) ||
        (column == loo_column && cell(row).kind == explore::LooCell::Kind::fault);
    switch (role) {
        case Qt::DisplayRole:
            return cell_text(row, column);
        case Qt::ToolTipRole:
            return tooltip(row, column, fault_cell);
        case kSortRole:
            return sort_value(row, column);
        case Qt::TextAlignmentRole:
            return column == method_column || fault_cell
                       ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                       : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (row == table().chosen_row) {
                return QBrush(kChosenRow);
            }
            if (table().compared_row && row == *table().compared_row) {
                return QBrush(kComparedRow);
            }
            return {};
        case Qt::ForegroundRole:
            return fault_cell ? QVariant(QBrush(kFaultText)) : QVariant();
        case Qt::FontRole:
            if (row == table().chosen_row) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        default:
            return {};
    }
}

QVariant ScoreModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        switch (section) {
            case method_column:
                return tr("Method");
            case rms_column:
                return tr("RMS error");
            case max_column:
                return tr("Maximum error");
            case loo_column:
                return tr("LOO RMS error");
            default:
                return {};
        }
    }
    if (role == Qt::ToolTipRole) {
        switch (section) {
            case rms_column:
                return tr(
                    "Root-mean-square error against the true field over the positions "
                    "0 to 1000, as the tour computes it");
            case max_column:
                return tr("Largest absolute error against the true field");
            case loo_column:
                return tr(
                    "Leave-one-out cross-validation: each inner station left out in turn "
                    "and estimated from the others, without knowing the true field");
            default:
                return {};
        }
    }
    return {};
}

}  // namespace tour
