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

ScoreModel::ScoreModel(QObject* parent) : QAbstractTableModel(parent) {}

void ScoreModel::show_table(explore::ScoreTable table) {
    const bool same_rows = table.methods == table_.methods;
    if (same_rows) {
        table_ = std::move(table);
        cells_.reset();
        emit dataChanged(index(0, 0), index(rowCount() - 1, column_count - 1));
        return;
    }
    beginResetModel();
    table_ = std::move(table);
    cells_.reset();
    endResetModel();
}

void ScoreModel::show_leave_one_out(std::vector<explore::LooCell> cells) {
    cells_ = std::move(cells);
    emit dataChanged(index(0, loo_column), index(rowCount() - 1, loo_column));
}

int ScoreModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int ScoreModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : column_count;
}

QString ScoreModel::number(double value) const {
    return QLocale().toString(value, 'f', 4);
}

QString ScoreModel::cell_text(int row, int column) const {
    const auto slot = static_cast<std::size_t>(row);
    const explore::Evaluation& e = table_.rows[slot];
    switch (column) {
        case method_column:
            return QString::fromStdString(table_.methods[slot].label);
        case rms_column:
            return e.ran() ? number(e.rms) : QString::fromStdString(e.fault);
        case max_column:
            return e.ran() ? number(e.max) : QString();
        case loo_column: {
            if (!e.ran()) {
                return {};
            }
            if (!cells_) {
                return tr("computing\u2026");
            }
            const explore::LooCell& cell = (*cells_)[slot];
            switch (cell.kind) {
                case explore::LooCell::Kind::value:
                    return number(cell.rms);
                case explore::LooCell::Kind::fault:
                    return QString::fromStdString(cell.fault);
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
    const explore::Evaluation& e = table_.rows[slot];
    switch (column) {
        case method_column:
            return row;  // tour order
        case rms_column:
            return e.ran() ? static_cast<double>(e.rms) : kLast;
        case max_column:
            return e.ran() ? static_cast<double>(e.max) : kLast;
        case loo_column:
            if (e.ran() && cells_ && (*cells_)[slot].kind == explore::LooCell::Kind::value) {
                return (*cells_)[slot].rms;
            }
            return kLast;
        default:
            return {};
    }
}

QVariant ScoreModel::tooltip(int row, int column, bool fault_cell) const {
    const auto slot = static_cast<std::size_t>(row);
    const explore::Evaluation& e = table_.rows[slot];
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
            if (e.ran() && cells_) {
                const explore::LooCell& cell = (*cells_)[slot];
                if (cell.kind == explore::LooCell::Kind::value) {
                    return precise(cell.rms);
                }
                return tr("No leave-one-out error: the Bezier curve has no estimate on the grid");
            }
            return {};
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
    const explore::Evaluation& e = table_.rows[static_cast<std::size_t>(row)];
    const bool fault_cell =
        (column == rms_column && !e.ran()) ||
        (column == loo_column && e.ran() && cells_ &&
         (*cells_)[static_cast<std::size_t>(row)].kind == explore::LooCell::Kind::fault);
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
            if (row == table_.chosen_row) {
                return QBrush(kChosenRow);
            }
            if (table_.compared_row && row == *table_.compared_row) {
                return QBrush(kComparedRow);
            }
            return {};
        case Qt::ForegroundRole:
            return fault_cell ? QVariant(QBrush(kFaultText)) : QVariant();
        case Qt::FontRole:
            if (row == table_.chosen_row) {
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
