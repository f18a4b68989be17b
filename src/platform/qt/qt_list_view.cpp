#include "qt_list_view.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>

#include "qt_view_model.h"
#include "windowing.h"

namespace torveld::platform::qt {
namespace {

// The header of a list view, of the height the system's windows were laid out with.
class ListViewHeader final : public QHeaderView {
  public:
    explicit ListViewHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
    QSize sizeHint() const override {
        QSize size = QHeaderView::sizeHint();
        size.setHeight(listview::kHeaderHeight);
        return size;
    }
};

}  // namespace

QSize EntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (height > 0) size.setHeight(height);
    return size;
}

ReportView::ReportView(QWidget* parent, bool header)
    : QTreeView(parent), entries_(new EntryDelegate(this)) {
    setHeader(new ListViewHeader(this));
    setHeaderHidden(!header);
    setModel(new TextTableModel(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    entries_->height = listview::kRowHeight;
    setItemDelegate(entries_);
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);  // 2 pixels
    // The rows fill the height under the header: no horizontal scroll bar takes a row's room
    // (the columns are a few pixels wider than the room, in their blank margin).
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The top row is always a whole one, so that the whole rows end where the room ends.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    this->header()->setStretchLastSection(false);
    this->header()->setSectionsMovable(false);
    this->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAllColumnsShowFocus(true);
    // The room under the rows, outside the viewport, in the rows' background.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

bool ReportView::event(QEvent* event) {
    // Presses on the list outside its rows and header (the room under the rows, the border)
    // are the list's: they go no further, to the window's background.
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            event->accept();
            return true;
        default:
            return QTreeView::event(event);
    }
}

void ReportView::updateGeometries() {
    // The tree view puts the header in the top margin and gives the rows the rest; the rest is
    // cut to whole rows by a bottom margin. Setting it lays the view out again, which calls
    // this again and finds the margin as it is.
    QTreeView::updateGeometries();
    const int top = isHeaderHidden() ? 0 : header()->height();
    const int room = contentsRect().height() - top;
    const int rows = std::max(1, room / listview::kRowHeight);
    const int blank = std::max(0, room - rows * listview::kRowHeight);
    if (viewportMargins() != QMargins(0, top, 0, blank)) setViewportMargins(0, top, 0, blank);
}

}  // namespace torveld::platform::qt
