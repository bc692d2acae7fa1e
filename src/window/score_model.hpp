// The score table as a Qt table model, a view of the session's table and
// leave-one-out cells: one row per method, the columns Method, RMS error,
// Maximum error and LOO RMS error. Numbers sort as numbers; a row that could
// not run, or a cell without a value, sorts last.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "explore/session.hpp"

namespace tour {

class ScoreModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { method_column, rms_column, max_column, loo_column, column_count };
    // The value a cell sorts by.
    static constexpr int kSortRole = Qt::UserRole + 1;

    explicit ScoreModel(const explore::Session& session, QObject* parent = nullptr);

    // The session changed (Session::Change bits): new rows or new values.
    void session_changed(unsigned changes);
    bool leave_one_out_ready() const { return session_.loo_ready(); }
    const explore::ScoreTable& table() const { return session_.table(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QString number(double value) const;
    QString cell_text(int row, int column) const;
    QVariant sort_value(int row, int column) const;
    QVariant tooltip(int row, int column, bool fault_cell) const;
    const explore::LooCell& cell(int row) const;

    const explore::Session& session_;
    // The row labels the view was last told of: other labels reset it.
    std::vector<std::string> shown_rows_;
};

}  // namespace tour
