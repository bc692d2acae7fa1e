// The score table as a Qt table model: one row per method, the columns
// Method, RMS error, Maximum error and LOO RMS error. Numbers sort as numbers;
// a row that could not run, or a cell without a value, sorts last.
#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <vector>

#include "explore/scores.hpp"

namespace tour {

class ScoreModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { method_column, rms_column, max_column, loo_column, column_count };
    // The value a cell sorts by.
    static constexpr int kSortRole = Qt::UserRole + 1;

    explicit ScoreModel(QObject* parent = nullptr);

    // A new table; the leave-one-out column waits for its cells.
    void show_table(explore::ScoreTable table);
    void show_leave_one_out(std::vector<explore::LooCell> cells);
    bool leave_one_out_ready() const { return cells_.has_value(); }
    const explore::ScoreTable& table() const { return table_; }
    const std::optional<std::vector<explore::LooCell>>& leave_one_out() const { return cells_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QString number(double value) const;
    QString cell_text(int row, int column) const;
    QVariant sort_value(int row, int column) const;
    QVariant tooltip(int row, int column, bool fault_cell) const;

    explore::ScoreTable table_;
    std::optional<std::vector<explore::LooCell>> cells_;
};

}  // namespace tour
