// The lists on the Qt platform: entries of a fixed height, and the list view in report mode with
// the rows, header and border the system's windows were laid out with.
#pragma once

#include <QStyledItemDelegate>
#include <QTreeView>

namespace torveld::platform::qt {

// Entries of a fixed height (0 keeps the height the font gives).
class EntryDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    int height = 0;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// A list view of columns of texts (a TextTableModel): rows of listview::kRowHeight under a
// header of listview::kHeaderHeight (or none), in a sunken border of listview::kBorder, with
// exactly the whole rows listview::wholeRows counts. The rows scroll by whole rows, and the
// room under the last whole row shows none of the next row: it is the list's text background,
// outside the rows, and a press there neither picks a row nor moves the window.
class ReportView final : public QTreeView {
  public:
    ReportView(QWidget* parent, bool header);

    EntryDelegate* entries() const { return entries_; }

  protected:
    bool event(QEvent* event) override;
    // The rows' room is cut to the whole rows each time the view lays itself out.
    void updateGeometries() override;

  private:
    EntryDelegate* entries_;
};

}  // namespace torveld::platform::qt
