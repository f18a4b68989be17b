#include "qt_field.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cstdlib>

#include "qt_fonts.h"

namespace torveld::platform::qt {
namespace {

// The inner margins a line edit keeps around its text, in pixels.
constexpr int kHorizontalMargin = 2;
constexpr int kVerticalMargin = 1;

// The panel as a read-only line edit of the same style draws it, so both look alike.
QStyleOptionFrame panelOption(const QWidget& field) {
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.rect = field.contentsRect();
    option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken | QStyle::State_ReadOnly;
    option.features = QStyleOptionFrame::None;
    return option;
}

}  // namespace

ReadOnlyField::ReadOnlyField(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setCursor(Qt::IBeamCursor);
    setBackgroundRole(QPalette::Base);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ReadOnlyField::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    anchor_ = cursor_ = 0;
    laidOut_ = false;
    // Screen readers read the field's value as its name.
    setAccessibleName(text);
    update();
}

void ReadOnlyField::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void ReadOnlyField::setSelection(int start, int length) {
    const int size = static_cast<int>(text_.size());
    const int from = std::clamp(start, 0, size);
    select(from, std::clamp(from + length, 0, size));
}

void ReadOnlyField::selectAll() {
    select(0, static_cast<int>(text_.size()));
}

void ReadOnlyField::deselect() {
    select(cursor_, cursor_);
}

QString ReadOnlyField::selectedText() const {
    const int from = std::min(anchor_, cursor_);
    return text_.mid(from, std::abs(cursor_ - anchor_));
}

void ReadOnlyField::copy() const {
    if (!hasSelectedText()) return;
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(selectedText());
}

void ReadOnlyField::copyValue() const {
    if (text_.isEmpty()) return;
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->setText(hasSelectedText() ? selectedText() : text_);
    }
}

void ReadOnlyField::select(int anchor, int cursor) {
    if (anchor == anchor_ && cursor == cursor_) return;
    anchor_ = anchor;
    cursor_ = cursor;
    update();
}

QRect ReadOnlyField::contentsArea() const {
    const QStyleOptionFrame option = panelOption(*this);
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

const QTextLayout& ReadOnlyField::textLayout() const {
    if (!laidOut_) {
        layout_.clearLayout();
        layout_.setText(text_);
        layout_.setFont(font());
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        option.setTextDirection(layoutDirection());
        layout_.setTextOption(option);
        layout_.setCacheEnabled(true);
        layout_.beginLayout();
        layout_.createLine();
        layout_.endLayout();
        laidOut_ = true;
    }
    return layout_;
}

QPoint ReadOnlyField::textTopLeft() const {
    // The placement a line edit gives its text with the cursor at the start, to the pixel.
    const QRect contents = contentsArea();
    const QFontMetrics metrics = fontMetrics();
    const QTextLine line = textLayout().lineAt(0);
    const int top = contents.y() + (contents.height() - metrics.height() + 1) / 2;
    const int lineLeft = contents.x() + kHorizontalMargin;
    const int lineWidth = contents.width() - 2 * kHorizontalMargin;

    const int used = qRound(line.naturalTextWidth()) + 1;  // with the cursor's pixel
    int scroll = 0;  // how far the text starts left of the line; text wider shows its beginning
    if (used <= lineWidth) {
        const Qt::Alignment horizontal = QStyle::visualAlignment(layoutDirection(), alignment_);
        if (horizontal & Qt::AlignRight) {
            scroll = used - lineWidth + 1;
        } else if (horizontal & Qt::AlignHCenter) {
            scroll = (used - lineWidth) / 2;
        }
    }
    return {lineLeft - scroll, top};
}

int ReadOnlyField::positionAt(int x) const {
    const int position = textLayout().lineAt(0).xToCursor(x - textTopLeft().x());
    return std::clamp(position, 0, static_cast<int>(text_.size()));
}

QSize ReadOnlyField::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const QStyleOptionFrame option = panelOption(*this);
    const QSize contents(metrics.horizontalAdvance(QLatin1Char('x')) * 17 + 2 * kHorizontalMargin,
                         metrics.height() + 2 * kVerticalMargin);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, this);
}

QSize ReadOnlyField::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const QStyleOptionFrame option = panelOption(*this);
    const QSize contents(metrics.maxWidth() + 2 * kHorizontalMargin,
                         metrics.height() + 2 * kVerticalMargin);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, this);
}

bool ReadOnlyField::event(QEvent* event) {
    // A shortcut of the window on Ctrl+C gives way to the field while it has a selection.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) && hasSelectedText()) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void ReadOnlyField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QStyleOptionFrame option = panelOption(*this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    if (text_.isEmpty()) return;

    painter.setClipRect(contentsArea());
    const QPalette& colours = palette();
    QList<QTextLayout::FormatRange> selections;
    if (hasSelectedText()) {
        QTextLayout::FormatRange selected;
        selected.start = std::min(anchor_, cursor_);
        selected.length = std::abs(cursor_ - anchor_);
        selected.format.setBackground(colours.brush(QPalette::Highlight));
        selected.format.setForeground(colours.brush(QPalette::HighlightedText));
        selections.append(selected);
    }
    painter.setPen(colours.color(QPalette::Text));
    const DevicePixelText device(painter);
    if (!device.active()) {
        textLayout().draw(&painter, textTopLeft(), selections);
        return;
    }
    // On a high-density screen the text is laid out again in the device's pixels, where the
    // field's layout puts it.
    QTextLayout deviceLayout(text_, device.map(font()));
    deviceLayout.setTextOption(textLayout().textOption());
    deviceLayout.beginLayout();
    deviceLayout.createLine();
    deviceLayout.endLayout();
    deviceLayout.draw(&painter, device.map(QPointF(textTopLeft())), selections);
}

void ReadOnlyField::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int position = positionAt(event->position().toPoint().x());
    if (event->modifiers() & Qt::ShiftModifier) {
        select(anchor_, position);
    } else {
        select(position, position);
    }
}

void ReadOnlyField::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        select(anchor_, positionAt(event->position().toPoint().x()));
    }
}

void ReadOnlyField::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) selectAll();
}

void ReadOnlyField::keyPressEvent(QKeyEvent* event) {
    const int size = static_cast<int>(text_.size());
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    auto moveTo = [&](int position) {
        position = std::clamp(position, 0, size);
        select(extend ? anchor_ : position, position);
    };
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->key() == Qt::Key_Left) {
        moveTo(cursor_ - 1);
    } else if (event->key() == Qt::Key_Right) {
        moveTo(cursor_ + 1);
    } else if (event->key() == Qt::Key_Home) {
        moveTo(0);
    } else if (event->key() == Qt::Key_End) {
        moveTo(size);
    } else {
        // Other keys, the Tab key among them, go on to the window.
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ReadOnlyField::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(tr("&Copy"), this, &ReadOnlyField::copyValue);
    // Ctrl+C copies what Copy copies only while there is a selection: without one the key goes
    // on to the window (the whole display), so the menu names no key then.
    if (hasSelectedText()) copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(!text_.isEmpty());
    if (menuSource_) {
        for (const MenuEntry& entry : menuSource_()) {
            const QString copied = fromText(entry.clipboardText);
            menu.addAction(fromText(entry.label), this, [copied] {
                if (QClipboard* clipboard = QGuiApplication::clipboard()) {
                    clipboard->setText(copied);
                }
            });
        }
    }
    menu.addSeparator();
    QAction* all = menu.addAction(tr("Select All"), this, &ReadOnlyField::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(!text_.isEmpty());
    menu.exec(event->globalPos());
}

void ReadOnlyField::focusOutEvent(QFocusEvent* event) {
    // As a line edit: the selection goes when another control takes the focus, and stays while
    // a menu is open or another window is active.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
        deselect();
    }
    QWidget::focusOutEvent(event);
}

void ReadOnlyField::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange ||
        event->type() == QEvent::LayoutDirectionChange) {
        laidOut_ = false;
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}

}  // namespace torveld::platform::qt
