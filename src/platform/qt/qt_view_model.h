// The rows of a list view: a table of texts behind a QTreeView, kept in plain vectors. Filling
// the 747-row drill chart costs a vector insert per row instead of an item object and its
// bookkeeping, which was a quarter of the main window's start-up on Qt.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace torveld::platform::qt {

class TextTableModel final : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Every row and column gone.
    void clear();
    // A column at `at` (0..columnCount) with its caption; every row gets an empty cell there.
    void insertColumn(int at, const QString& caption);
    // A row at `at` (0..rowCount) whose first cell is `first` and whose other cells are empty.
    void insertRow(int at, const QString& first);
    // Rows at `at` (0..rowCount) in one insertion, each given by its cells from the first
    // column on; cells past the last column are dropped, as setCell would drop them.
    void insertRows(int at, std::vector<std::vector<QString>> rows);
    // The text of one cell; false when the cell does not exist.
    bool setCell(int row, int column, const QString& text);
    // The cells of one column from `firstRow` on, as setCell row by row would set them, told
    // to the views as one change.
    void setColumn(int column, int firstRow, const std::vector<QString>& texts);
    // The text of one cell; empty when the cell does not exist.
    QString cell(int row, int column) const;

  private:
    std::vector<QString> captions_;
    // Each row holds max(columnCount, 1) cells: a row added before any column keeps its text.
    std::vector<std::vector<QString>> rows_;
};

}  // namespace torveld::platform::qt
