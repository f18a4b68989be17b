#include "qt_input.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>

namespace torveld::platform::qt {

QKeySequence keySequence(KeyChord key) {
    int code = 0;
    if (key.key >= 'A' && key.key <= 'Z') {
        code = Qt::Key_A + (key.key - 'A');
    } else if (key.key == keys::kSlash) {
        code = Qt::Key_Slash;
    } else if (key.key == keys::kEscape) {
        code = Qt::Key_Escape;
    } else if (key.key == keys::kReturn) {
        code = Qt::Key_Return;
    } else if (key.key >= keys::kF1 && key.key < keys::kF1 + 12) {
        code = Qt::Key_F1 + (key.key - keys::kF1);
    } else {
        return {};
    }
    return QKeySequence(key.ctrl ? QKeyCombination(Qt::ControlModifier, Qt::Key(code))
                                 : QKeyCombination(Qt::Key(code)));
}

int findEntry(const QStringList& entries, const QString& typed, int start) {
    const auto count = static_cast<int>(entries.size());
    if (count == 0 || typed.isEmpty()) return -1;
    start = start < 0 || start >= count ? 0 : start;
    for (int step = 0; step < count; ++step) {
        const int row = (start + step) % count;
        const QString& text = entries[row];
        qsizetype blanks = 0;
        while (blanks < text.size() && text.at(blanks).isSpace()) ++blanks;
        if (QStringView(text).mid(blanks).startsWith(typed, Qt::CaseInsensitive)) return row;
    }
    return -1;
}

QString wrappedTip(const QString& text, int columns) {
    QString wrapped;
    qsizetype lineLength = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (lineLength > 0 && lineLength + 1 + word.size() > columns) {
            wrapped += QLatin1Char('\n');
            lineLength = 0;
        } else if (lineLength > 0) {
            wrapped += QLatin1Char(' ');
            ++lineLength;
        }
        wrapped += word;
        lineLength += word.size();
    }
    return wrapped;
}

EntrySearch::EntrySearch(QComboBox* combo, std::function<void()> chosen)
    : QObject(combo), combo_(combo), chosen_(std::move(chosen)) {
    combo->installEventFilter(this);
    combo->view()->installEventFilter(this);
}

bool EntrySearch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // A character typed while a search is under way belongs to the search ("1/2"), even
        // when the window binds it to something else.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool under = !typed_.isEmpty() && lastKey_.isValid() &&
                           lastKey_.elapsed() <= QApplication::keyboardInputInterval();
        if (under && !text.isEmpty() && text.at(0).isPrint() &&
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0) {
            event->accept();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
        return false;
    }
    const bool fresh = typed_.isEmpty() || !lastKey_.isValid() ||
                       lastKey_.elapsed() > QApplication::keyboardInputInterval();
    // A blank only continues a search; on its own it keeps its meaning.
    if (fresh && text.at(0).isSpace()) return false;
    lastKey_.start();

    QAbstractItemView* view = combo_->view();
    const bool dropped = watched == view;
    const int current = dropped ? view->currentIndex().row() : combo_->currentIndex();
    bool skipCurrent = false;
    if (fresh) {
        typed_ = text;
        skipCurrent = current >= 0;
    } else {
        typed_ += text;
    }
    // The same character again steps on to the next entry that starts with it.
    QString wanted = typed_;
    if (typed_.size() > 1 && typed_.count(typed_.back()) == typed_.size()) {
        wanted = typed_.left(1);
        skipCurrent = true;
    }
    QStringList entries;
    entries.reserve(combo_->count());
    for (int row = 0; row < combo_->count(); ++row) entries.push_back(combo_->itemText(row));
    const int start = current < 0 ? 0 : current + (skipCurrent ? 1 : 0);
    const int row = findEntry(entries, wanted, start % std::max(1, combo_->count()));
    if (row < 0 || row == current) return true;
    if (dropped) {
        view->setCurrentIndex(view->model()->index(row, combo_->modelColumn(), view->rootIndex()));
    } else {
        combo_->setCurrentIndex(row);
        if (chosen_) chosen_();
    }
    return true;
}

EscapeClosesList::EscapeClosesList(QComboBox* combo) : QObject(combo) {
    combo->view()->installEventFilter(this);
}

bool EscapeClosesList::eventFilter(QObject*, QEvent* event) {
    // The list, which has the focus while dropped, asks for the key before any shortcut may
    // take it; the key then reaches the list, which closes.
    if (event->type() != QEvent::ShortcutOverride) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
    event->accept();
    return true;
}

namespace {

bool isPlainReturn(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == 0;
}

}  // namespace

ReturnEnters::ReturnEnters(QWidget* line, std::function<void()> entered)
    : QObject(line), entered_(std::move(entered)) {
    line->installEventFilter(this);
}

bool ReturnEnters::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!isPlainReturn(key)) return false;
    if (!key->isAutoRepeat() && entered_) entered_();
    return true;
}

ReturnPressesButton::ReturnPressesButton(QAbstractButton* button)
    : QObject(button), button_(button) {
    button->installEventFilter(this);
}

bool ReturnPressesButton::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!isPlainReturn(key) || key->isAutoRepeat()) return false;
    button_->click();
    return true;
}

}  // namespace torveld::platform::qt
