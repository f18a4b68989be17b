#include "qt_view_model.h"

#include <algorithm>
#include <iterator>

namespace torveld::platform::qt {

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(captions_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.model() != this) return {};
    return cell(index.row(), index.column());
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return captions_[static_cast<std::size_t>(section)];
}

void TextTableModel::clear() {
    beginResetModel();
    captions_.clear();
    rows_.clear();
    endResetModel();
}

void TextTableModel::insertColumn(int at, const QString& caption) {
    at = std::clamp(at, 0, columnCount());
    beginInsertColumns({}, at, at);
    captions_.insert(captions_.begin() + at, caption);
    const std::size_t cells = captions_.size();
    for (std::vector<QString>& row : rows_) {
        // A row's text from before the first column stays its first cell.
        if (row.size() < cells)
            row.insert(row.begin() + std::min<std::size_t>(at, row.size()), QString());
        row.resize(cells);
    }
    endInsertColumns();
}

void TextTableModel::insertRow(int at, const QString& first) {
    insertRows(at, {{first}});
}

void TextTableModel::insertRows(int at, std::vector<std::vector<QString>> rows) {
    if (rows.empty()) return;
    at = std::clamp(at, 0, rowCount());
    const std::size_t cells = std::max<std::size_t>(captions_.size(), 1);
    for (std::vector<QString>& row : rows) {
        // The first cell stays even before any column exists, as with insertRow.
        row.resize(cells);
    }
    beginInsertRows({}, at, at + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.begin() + at, std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
    endInsertRows();
}

void TextTableModel::setColumn(int column, int firstRow, const std::vector<QString>& texts) {
    if (column < 0 || column >= columnCount()) return;
    const int first = std::max(firstRow, 0);
    const int last = std::min(rowCount() - 1, firstRow + static_cast<int>(texts.size()) - 1);
    if (first > last) return;
    for (int row = first; row <= last; ++row) {
        rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
            texts[static_cast<std::size_t>(row - firstRow)];
    }
    emit dataChanged(index(first, column), index(last, column), {Qt::DisplayRole});
}

bool TextTableModel::setCell(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return false;
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
    return true;
}

QString TextTableModel::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0) return {};
    const std::vector<QString>& cells = rows_[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                           : QString();
}

}  // namespace torveld::platform::qt
