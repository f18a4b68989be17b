// Keyboard input and tips on the Qt platform beyond what the widgets do by themselves: the key
// sequences of bound keys, typing in a drop-down list, Return on a push button, and the lines of
// a tip.
#pragma once

#include <QElapsedTimer>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <functional>

#include "windowing.h"

class QComboBox;
class QAbstractButton;
class QWidget;

namespace torveld::platform::qt {

// The key sequence of a bound key; empty for a key code Qt has no key for.
QKeySequence keySequence(KeyChord key);

// The row of the first entry, from `start` on and round past the end, whose text with its
// leading blanks left out starts with `typed` (letters in either case); -1 when none does.
int findEntry(const QStringList& entries, const QString& typed, int start);

// A tip in lines of at most `columns` characters, broken at blanks (a longer word keeps a line
// of its own), so that a long sentence does not run across the screen.
QString wrappedTip(const QString& text, int columns = 64);

// Typing in a drop-down list, closed or dropped down: the typed characters make up a search
// text (a pause of the platform's keyboard interval starts a new one) and the next entry that
// starts with it, leading blanks ignored, becomes current; typing one character over and over
// steps through the entries that start with it. On the closed list the entry is chosen and
// `chosen` is called; in the dropped-down list it is only marked, as the arrow keys do. A blank
// continues a search under way and otherwise keeps its own meaning (it drops the list down). A
// character that continues a search is the search's even where the window binds its key ("/").
class EntrySearch final : public QObject {
  public:
    EntrySearch(QComboBox* combo, std::function<void()> chosen);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QComboBox* combo_;
    std::function<void()> chosen_;
    QString typed_;
    QElapsedTimer lastKey_;
};

// Escape in the dropped-down list of a drop-down closes the list and goes no further: a key the
// window binds to Escape (the find box's CLOSE) waits until the list is closed.
class EscapeClosesList final : public QObject {
  public:
    explicit EscapeClosesList(QComboBox* combo);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Return and Enter press the button that has the keyboard focus, as Space does.
class ReturnPressesButton final : public QObject {
  public:
    explicit ReturnPressesButton(QAbstractButton* button);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAbstractButton* button_;
};

// Return and Enter in a line: `entered` is called once and the key goes no further (a drop-down
// would hand it on to its line, which would report it again).
class ReturnEnters final : public QObject {
  public:
    ReturnEnters(QWidget* line, std::function<void()> entered);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> entered_;
};

}  // namespace torveld::platform::qt
