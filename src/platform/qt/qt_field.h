// A read-only text field: the panel and frame of a line edit around one line of text, which the
// mouse or keyboard may select and Ctrl+C or the context menu copies. With a selection, Ctrl+C
// is the field's even where its window binds the key; without one, the key goes on to the
// window. The context menu's "Copy" copies the selection, or the whole text when nothing is
// selected, and names Ctrl+C beside it only with a selection; the entries of a menu source
// follow it. The main window's result
// fields are these: a read-only QLineEdit lays its text out three times while it is made and
// carries an editing machine, which together were a sixth of the window's start-up.
#pragma once

#include <QString>
#include <QTextLayout>
#include <QWidget>
#include <functional>
#include <vector>

#include "windowing.h"

namespace torveld::platform::qt {

class ReadOnlyField final : public QWidget {
    Q_OBJECT

  public:
    explicit ReadOnlyField(QWidget* parent = nullptr);

    QString text() const { return text_; }
    // Replaces the text; the selection goes.
    void setText(const QString& text);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    bool isReadOnly() const { return true; }

    // The selection runs from start over length characters, clipped to the text.
    void setSelection(int start, int length);
    void selectAll();
    void deselect();
    bool hasSelectedText() const { return anchor_ != cursor_; }
    QString selectedText() const;
    // Puts the selection on the clipboard; nothing when nothing is selected.
    void copy() const;
    // Puts the selection, or the whole text when nothing is selected, on the clipboard.
    void copyValue() const;

    // The entries the context menu adds after "Copy", asked each time it opens.
    using MenuSource = std::function<std::vector<MenuEntry>()>;
    void setMenuSource(MenuSource source) { menuSource_ = std::move(source); }

    // The caret position nearest to x in widget coordinates (0..text length).
    int positionAt(int x) const;
    // The top left corner of the text line in widget coordinates.
    QPoint textTopLeft() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void select(int anchor, int cursor);
    // The inside of the frame, where the text may show.
    QRect contentsArea() const;
    // The text laid out in one line, once per text and font.
    const QTextLayout& textLayout() const;

    QString text_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    int anchor_ = 0;  // where the selection began
    int cursor_ = 0;  // where it ends; equal to anchor_ when nothing is selected
    mutable QTextLayout layout_;
    mutable bool laidOut_ = false;
    MenuSource menuSource_;
};

}  // namespace torveld::platform::qt
