#include "qt_windowing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <QWindow>
#include <algorithm>
#include <map>
#include <vector>

#include "qt_field.h"
#include "qt_fonts.h"
#include "qt_input.h"
#include "qt_list_view.h"
#include "qt_style.h"
#include "qt_view_model.h"

namespace torveld::platform::qt {
namespace {

// The thin border of a frameless window, in pixels; the client area lies inside it.
constexpr int kBorder = 1;

QColor toColor(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

}  // namespace

struct Control {
    ControlKind kind = ControlKind::Label;
    int id = 0;
    unsigned style = 0;
    QWidget* widget = nullptr;
    int group = -1;  // radio group, counted from the window's first radio
    Rect rect;
    EntryDelegate* delegate = nullptr;
};

class FrameWidget;
class ClientWidget;

struct Window {
    WindowHandle handle = 0;
    bool popup = false;
    FrameWidget* frame = nullptr;
    ClientWidget* client = nullptr;
    std::map<int, Control> controls;
    std::vector<int> order;  // ids in creation order
    int groups = 0;          // radio groups begun so far
    bool tabOrderPending = false;
    std::vector<std::pair<KeyChord, QShortcut*>> shortcuts;  // bound keys
};

struct QtWindowing::Impl {
    std::unique_ptr<QApplication> ownApp;
    std::map<WindowHandle, Window> windows;
    std::vector<QPointer<QWidget>> closed;  // closed frames waiting for deletion
    WindowHandle nextHandle = 1;
    EventHandler* handler = nullptr;
    bool loopRunning = false;
    bool endRequested = false;
    int programmatic = 0;  // above 0 while the program itself changes a list
    // The left press being handled, for beginMove.
    QPoint pressGlobal;
    bool pressing = false;

    Window* find(WindowHandle handle) {
        auto it = windows.find(handle);
        return it == windows.end() ? nullptr : &it->second;
    }
    const Window* find(WindowHandle handle) const {
        auto it = windows.find(handle);
        return it == windows.end() ? nullptr : &it->second;
    }
    Control* find(WindowHandle handle, int id) {
        Window* window = find(handle);
        if (window == nullptr) return nullptr;
        auto it = window->controls.find(id);
        return it == window->controls.end() ? nullptr : &it->second;
    }
    const Control* find(WindowHandle handle, int id) const {
        const Window* window = find(handle);
        if (window == nullptr) return nullptr;
        auto it = window->controls.find(id);
        return it == window->controls.end() ? nullptr : &it->second;
    }

    void controlEvent(WindowHandle window, int id, int code) {
        if (handler != nullptr) handler->onControlEvent(window, id, code);
    }
    std::vector<MenuEntry> menuEntries(WindowHandle window, int id) {
        return handler != nullptr ? handler->menuEntries(window, id) : std::vector<MenuEntry>{};
    }
    void backgroundPress(WindowHandle window, QPoint global) {
        pressGlobal = global;
        pressing = true;
        if (handler != nullptr) handler->onBackgroundPress(window);
        pressing = false;
    }
    void endLoop() {
        endRequested = true;
        if (loopRunning) QApplication::exit(0);
    }

    void radioClicked(WindowHandle handle, int id);
    void keyClick(WindowHandle handle, int id);
    void showTip(WindowHandle handle, QWidget* client, QHelpEvent* help);
    void radioArrow(WindowHandle handle, int id, bool forward);
    void scheduleKeyboardOrder(Window& window);
    void applyKeyboardOrder(WindowHandle handle);
    void closeWindow(WindowHandle handle);
};

// The top-level widget: frameless, with a thin border drawn around the client area.
class FrameWidget final : public QWidget {
  public:
    FrameWidget(QtWindowing::Impl* impl, WindowHandle handle)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), impl_(impl), handle_(handle) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, kBorder));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
    }
    // A close asked for by the desktop (Alt+F4, the task bar): the main window ends the event
    // loop, after which the system closes its windows in order; a pop-up keeps its own CLOSE.
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        const Window* window = impl_->find(handle_);
        if (window != nullptr && !window->popup) impl_->endLoop();
    }

  private:
    QtWindowing::Impl* impl_;
    WindowHandle handle_;
};

// The client area: the window background, parent of every control. The backgrounds of the
// static texts belong to it: it paints them, in creation order, under every control, so that a
// caption reaching into a field or another caption leaves them whole.
class ClientWidget final : public QWidget {
  public:
    ClientWidget(QWidget* parent, QtWindowing::Impl* impl, WindowHandle handle)
        : QWidget(parent), impl_(impl), handle_(handle) {
        setAutoFillBackground(true);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        const Window* window = impl_->find(handle_);
        if (window == nullptr) return;
        QPainter painter(this);
        for (int id : window->order) {
            const Control& control = window->controls.at(id);
            const QWidget* widget = control.widget;
            if (control.kind != ControlKind::Label || widget->isHidden()) continue;
            const QRect area = widget->geometry();
            if (area.isEmpty() || !event->region().intersects(area)) continue;
            painter.fillRect(area, widget->palette().color(QPalette::Window));
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
        event->accept();
        impl_->backgroundPress(handle_, event->globalPosition().toPoint());
    }
    // Tips come from the event handler, asked for the control under the pointer: captions let
    // the mouse through to the window, so the window asks for them.
    bool event(QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return QWidget::event(event);
        impl_->showTip(handle_, this, static_cast<QHelpEvent*>(event));
        return true;
    }

  private:
    QtWindowing::Impl* impl_;
    WindowHandle handle_;
};

namespace {

// Moves a window with the mouse after a background press: follows the pointer until the left
// button is released, or a move of the pointer finds it up.
class ManualMove final : public QObject {
  public:
    ManualMove(QWidget* frame, QPoint pressGlobal)
        : QObject(frame), frame_(frame), press_(pressGlobal), origin_(frame->pos()) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if ((mouse->buttons() & Qt::LeftButton) == 0) {
                finish();
                return false;
            }
            frame_->move(origin_ + (mouse->globalPosition().toPoint() - press_));
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                finish();
                return true;
            }
        }
        return false;
    }

  private:
    void finish() {
        qApp->removeEventFilter(this);
        deleteLater();
    }
    QWidget* frame_;
    QPoint press_;
    QPoint origin_;
};

// Static text: transparent to the mouse, like the static controls of other desktops, so that
// a press on a caption or a panel drags the window as a press on the background does. It draws
// only its text: its background is painted by the client area beneath every control. Text of
// several lines has them at the font's normal line spacing.
class Label final : public QLabel {
  public:
    explicit Label(QWidget* parent) : QLabel(parent) {
        setTextFormat(Qt::PlainText);
        setTextInteractionFlags(Qt::NoTextInteraction);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    QSize sizeHint() const override {
        const QStringList lines = text().split(QLatin1Char('\n'));
        if (lines.size() < 2) return QLabel::sizeHint();
        const QFontMetrics metrics = fontMetrics();
        int width = 0;
        for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
        const int height =
            metrics.height() + static_cast<int>(lines.size() - 1) * normalLineSpacing(font());
        const QMargins margins = contentsMargins();
        return {width + margins.left() + margins.right(),
                height + margins.top() + margins.bottom()};
    }
    QSize minimumSizeHint() const override {
        return text().contains(QLatin1Char('\n')) ? sizeHint() : QLabel::minimumSizeHint();
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        const QStringList lines = text().split(QLatin1Char('\n'));
        if (lines.size() < 2) return QLabel::paintEvent(event);
        // Each line as the label draws a single one, a line spacing below the one before.
        QPainter painter(this);
        const QRect area = contentsRect();
        const int spacing = normalLineSpacing(font());
        const int height = fontMetrics().height();
        const int flags = static_cast<int>(QStyle::visualAlignment(
                              layoutDirection(), alignment() & Qt::AlignHorizontal_Mask)) |
                          Qt::AlignTop | Qt::TextSingleLine;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QRect line(area.left(), area.top() + static_cast<int>(i) * spacing, area.width(),
                             height);
            style()->drawItemText(&painter, line, flags, palette(), isEnabled(), lines[i],
                                  foregroundRole());
        }
    }
};

// Captions lie under every other control, among themselves in creation order; the other
// controls lie above them in creation order. A new caption goes just under the first control
// that is not a caption.
void stackCaption(const Window& window, QWidget* caption) {
    for (int id : window.order) {
        const Control& control = window.controls.at(id);
        if (control.kind != ControlKind::Label) {
            caption->stackUnder(control.widget);
            return;
        }
    }
}

// Arrow keys move through a radio group and choose the radio they reach.
class RadioKeys final : public QObject {
  public:
    RadioKeys(QObject* parent, QtWindowing::Impl* impl, WindowHandle handle, int id)
        : QObject(parent), impl_(impl), handle_(handle), id_(id) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Right) {
            impl_->radioArrow(handle_, id_, true);
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Left) {
            impl_->radioArrow(handle_, id_, false);
            return true;
        }
        return false;
    }

  private:
    QtWindowing::Impl* impl_;
    WindowHandle handle_;
    int id_;
};

bool zeroSized(const Control& control) {
    return control.rect.width <= 0 || control.rect.height <= 0;
}

// The height of the closed drop-down box; the rest of its rectangle is the dropped list.
int closedComboHeight(const QComboBox* combo, int rectHeight) {
    return std::min(rectHeight, combo->sizeHint().height());
}

bool isComboBox(ControlKind kind) {
    return kind == ControlKind::DropDown || kind == ControlKind::HistoryEntry;
}

void placeControl(Control& control) {
    const Rect& r = control.rect;
    if (isComboBox(control.kind)) {
        auto* combo = static_cast<QComboBox*>(control.widget);
        const int closed = closedComboHeight(combo, r.height);
        combo->setGeometry(r.left, r.top, std::max(0, r.width), std::max(0, closed));
        const int entry = control.delegate->height > 0 ? control.delegate->height
                                                       : combo->fontMetrics().height() + 2;
        combo->setMaxVisibleItems(std::max(1, (r.height - closed) / std::max(1, entry)));
        return;
    }
    control.widget->setGeometry(r.left, r.top, std::max(0, r.width), std::max(0, r.height));
}

}  // namespace

void QtWindowing::Impl::radioClicked(WindowHandle handle, int id) {
    Window* window = find(handle);
    if (window == nullptr) return;
    auto it = window->controls.find(id);
    if (it == window->controls.end()) return;
    const int group = it->second.group;
    for (int other : window->order) {
        Control& control = window->controls.at(other);
        if (control.kind != ControlKind::Radio || control.group != group) continue;
        static_cast<QRadioButton*>(control.widget)->setChecked(other == id);
    }
    scheduleKeyboardOrder(*window);
    controlEvent(handle, id, notify::kClicked);
}

void QtWindowing::Impl::keyClick(WindowHandle handle, int id) {
    Control* control = find(handle, id);
    if (control != nullptr &&
        (control->kind == ControlKind::Button || control->kind == ControlKind::Radio)) {
        static_cast<QAbstractButton*>(control->widget)->click();
        return;
    }
    controlEvent(handle, id, notify::kClicked);
}

void QtWindowing::Impl::showTip(WindowHandle handle, QWidget* client, QHelpEvent* help) {
    const Window* window = find(handle);
    QString text;
    QRect area;
    // The topmost shown control under the pointer: later controls lie over earlier ones.
    const Control* under = nullptr;
    if (window != nullptr) {
        for (auto it = window->order.rbegin(); it != window->order.rend() && !under; ++it) {
            const Control& control = window->controls.at(*it);
            if (control.widget->isVisible() && control.widget->geometry().contains(help->pos())) {
                under = &control;
            }
        }
    }
    if (under != nullptr && handler != nullptr) {
        area = under->widget->geometry();
        int row = -1;
        if (under->kind == ControlKind::ListView) {
            auto* view = static_cast<QTreeView*>(under->widget);
            QWidget* rows = view->viewport();
            const QPoint at = rows->mapFrom(client, help->pos());
            const QModelIndex index = rows->rect().contains(at) ? view->indexAt(at) : QModelIndex();
            if (index.isValid()) {
                row = index.row();
                const QRect shown = view->visualRect(index);
                area = QRect(rows->mapTo(client, QPoint(0, shown.top())),
                             QSize(rows->width(), shown.height()));
            }
        }
        text = fromText(handler->tipText(handle, under->id, row));
    }
    if (text.isEmpty()) {
        QToolTip::hideText();
        help->ignore();
        return;
    }
    QToolTip::showText(help->globalPos(), wrappedTip(text), client, area);
}

void QtWindowing::Impl::radioArrow(WindowHandle handle, int id, bool forward) {
    Window* window = find(handle);
    if (window == nullptr) return;
    const int group = window->controls.at(id).group;
    std::vector<int> members;
    for (int other : window->order) {
        const Control& control = window->controls.at(other);
        if (control.kind == ControlKind::Radio && control.group == group &&
            (other == id || (!control.widget->isHidden() && !zeroSized(control)))) {
            members.push_back(other);
        }
    }
    const auto at = std::find(members.begin(), members.end(), id);
    const auto count = static_cast<std::ptrdiff_t>(members.size());
    if (count < 2) return;
    const std::ptrdiff_t position = at - members.begin();
    const std::ptrdiff_t next = (position + (forward ? 1 : count - 1)) % count;
    auto* radio = static_cast<QRadioButton*>(window->controls.at(members[next]).widget);
    radio->setFocus(Qt::TabFocusReason);
    radio->click();
}

void QtWindowing::Impl::scheduleKeyboardOrder(Window& window) {
    if (window.tabOrderPending) return;
    window.tabOrderPending = true;
    const WindowHandle handle = window.handle;
    QTimer::singleShot(0, window.frame, [this, handle] { applyKeyboardOrder(handle); });
}

// Tab reaches the buttons, the drop-down and each radio group once (its chosen radio), from
// the left of the window to the right and, within a column, from top to bottom; arrow keys
// move within a radio group. Read-only fields and lists take the focus only when clicked.
void QtWindowing::Impl::applyKeyboardOrder(WindowHandle handle) {
    Window* window = find(handle);
    if (window == nullptr) return;
    window->tabOrderPending = false;

    struct Stop {
        int x;
        int y;
        std::vector<QWidget*> widgets;
    };
    std::vector<Stop> stops;
    std::map<int, std::size_t> groupStop;
    std::map<int, QWidget*> groupChosen;
    std::map<int, QWidget*> groupFirst;

    for (int id : window->order) {
        Control& control = window->controls.at(id);
        QWidget* widget = control.widget;
        const bool usable = !zeroSized(control) && !widget->isHidden();
        switch (control.kind) {
            case ControlKind::Button:
            case ControlKind::DropDown:
            case ControlKind::HistoryEntry:
                widget->setFocusPolicy(usable ? Qt::StrongFocus : Qt::NoFocus);
                if (usable) stops.push_back({control.rect.left, control.rect.top, {widget}});
                break;
            case ControlKind::TextBox:
                widget->setFocusPolicy((control.style & style::kReadOnly) != 0 || !usable
                                           ? (usable ? Qt::ClickFocus : Qt::NoFocus)
                                           : Qt::StrongFocus);
                if (usable && (control.style & style::kReadOnly) == 0) {
                    stops.push_back({control.rect.left, control.rect.top, {widget}});
                }
                break;
            case ControlKind::Radio: {
                widget->setFocusPolicy(usable ? Qt::ClickFocus : Qt::NoFocus);
                if (!usable) break;
                auto found = groupStop.find(control.group);
                if (found == groupStop.end()) {
                    groupStop[control.group] = stops.size();
                    stops.push_back({control.rect.left, control.rect.top, {}});
                    found = groupStop.find(control.group);
                }
                stops[found->second].widgets.push_back(widget);
                if (groupFirst.count(control.group) == 0) groupFirst[control.group] = widget;
                if (static_cast<QRadioButton*>(widget)->isChecked() &&
                    groupChosen.count(control.group) == 0) {
                    groupChosen[control.group] = widget;
                }
                break;
            }
            case ControlKind::Label:
                break;
            case ControlKind::ListBox:
            case ControlKind::ListView:
                widget->setFocusPolicy(usable ? Qt::ClickFocus : Qt::NoFocus);
                break;
        }
    }
    for (const auto& [group, first] : groupFirst) {
        QWidget* chosen = groupChosen.count(group) != 0 ? groupChosen[group] : first;
        chosen->setFocusPolicy(Qt::StrongFocus);
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
        return a.x != b.x ? a.x < b.x : a.y < b.y;
    });
    QWidget* previous = nullptr;
    for (const Stop& stop : stops) {
        for (QWidget* widget : stop.widgets) {
            if (previous != nullptr) QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    }
}

void QtWindowing::Impl::closeWindow(WindowHandle handle) {
    Window* window = find(handle);
    if (window == nullptr) return;
    const bool mainWindow = !window->popup;
    QWidget* frame = window->frame;
    windows.erase(handle);
    frame->hide();
    frame->deleteLater();
    closed.emplace_back(frame);
    if (mainWindow && loopRunning) endLoop();
}

QtWindowing::QtWindowing() : impl_(std::make_unique<Impl>()) {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "torveld";
        static char* argv[] = {name, nullptr};
        impl_->ownApp = std::make_unique<QApplication>(argc, argv);
    }
    QApplication::setStyle(new TorveldStyle);
    QApplication::setQuitOnLastWindowClosed(false);
    installFonts();
}

QtWindowing::~QtWindowing() {
    for (auto& [handle, window] : impl_->windows) delete window.frame;
    impl_->windows.clear();
    for (QPointer<QWidget>& frame : impl_->closed) delete frame.data();
    impl_->closed.clear();
}

Size QtWindowing::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    const QSize size = screen->size();
    return {size.width(), size.height()};
}

WindowHandle QtWindowing::createWindow(const WindowSpec& spec) {
    const WindowHandle handle = impl_->nextHandle++;
    Window& window = impl_->windows[handle];
    window.handle = handle;
    window.popup = spec.popup;
    window.frame = new FrameWidget(impl_.get(), handle);
    window.frame->setWindowTitle(fromText(spec.title));
    const int width = std::max(2 * kBorder + 1, spec.rect.width);
    const int height = std::max(2 * kBorder + 1, spec.rect.height);
    window.frame->setFixedSize(width, height);
    window.frame->move(spec.rect.left, spec.rect.top);
    window.client = new ClientWidget(window.frame, impl_.get(), handle);
    window.client->setGeometry(kBorder, kBorder, width - 2 * kBorder, height - 2 * kBorder);
    QPalette palette = window.client->palette();
    palette.setColor(QPalette::Window, toColor(spec.background));
    window.client->setPalette(palette);
    // Controls made afterwards are laid out in this font from the start, rather than in the
    // application's font and again in theirs.
    const FontSpec& font = spec.controlFont;
    if (!font.face.empty()) window.client->setFont(widgetFont(font.face, font.points, font.weight));
    return handle;
}

void QtWindowing::closeWindow(WindowHandle window) {
    impl_->closeWindow(window);
}

bool QtWindowing::isWindowOpen(WindowHandle window) const {
    return impl_->find(window) != nullptr;
}

void QtWindowing::showWindow(WindowHandle handle, ShowState state) {
    Window* window = impl_->find(handle);
    if (window == nullptr) return;
    switch (state) {
        case ShowState::Hidden:
            window->frame->hide();
            break;
        case ShowState::Normal:
            impl_->applyKeyboardOrder(handle);
            if (window->frame->isMinimized()) {
                window->frame->showNormal();
            } else {
                window->frame->show();
            }
            break;
        case ShowState::Minimised:
            window->frame->showMinimized();
            break;
    }
}

void QtWindowing::bringToTop(WindowHandle handle) {
    Window* window = impl_->find(handle);
    if (window == nullptr) return;
    window->frame->raise();
    window->frame->activateWindow();
}

void QtWindowing::beginMove(WindowHandle handle) {
    Window* window = impl_->find(handle);
    if (window == nullptr || !impl_->pressing) return;
    // Where the program places its own windows (X11, offscreen) it moves the window itself, and
    // the move ends with the release it is sure to see. A move handed to an X11 window manager
    // (_NET_WM_MOVERESIZE) goes out after the press and may arrive after the release of a quick
    // click: the manager then has the window follow the pointer, the keyboard grabbed, until
    // the next click. On Wayland only the compositor moves windows, and it starts no move once
    // the button is up.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        QWindow* native = window->frame->windowHandle();
        if (native != nullptr && native->startSystemMove()) return;
    }
    new ManualMove(window->frame, impl_->pressGlobal);
}

void QtWindowing::setWindowBackground(WindowHandle handle, Rgb colour) {
    Window* window = impl_->find(handle);
    if (window == nullptr) return;
    QPalette palette = window->client->palette();
    palette.setColor(QPalette::Window, toColor(colour));
    window->client->setPalette(palette);
}

void QtWindowing::setWindowText(WindowHandle handle, std::string_view text) {
    Window* window = impl_->find(handle);
    if (window != nullptr) window->frame->setWindowTitle(fromText(text));
}

Rect QtWindowing::windowRect(WindowHandle handle) const {
    const Window* window = impl_->find(handle);
    if (window == nullptr) return {};
    const QRect frame = window->frame->frameGeometry();
    return {frame.x(), frame.y(), frame.width(), frame.height()};
}

void QtWindowing::createControl(WindowHandle handle, const ControlSpec& spec) {
    Window* window = impl_->find(handle);
    if (window == nullptr || window->controls.count(spec.id) != 0) return;
    Control control;
    control.kind = spec.kind;
    control.id = spec.id;
    control.style = spec.style;
    control.rect = spec.rect;
    QWidget* parent = window->client;
    Impl* impl = impl_.get();
    const int id = spec.id;
    const QString caption = fromText(spec.caption);
    const bool centred = (spec.style & style::kCentred) != 0;

    switch (spec.kind) {
        case ControlKind::Label: {
            auto* label = new Label(parent);
            label->setText(caption);
            label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
            control.widget = label;
            break;
        }
        case ControlKind::TextBox: {
            const Qt::Alignment alignment =
                (centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
            if ((spec.style & style::kReadOnly) != 0) {
                auto* field = new ReadOnlyField(parent);
                field->setText(caption);
                field->setAlignment(alignment);
                field->setMenuSource([impl, handle, id] { return impl->menuEntries(handle, id); });
                control.widget = field;
                break;
            }
            auto* edit = new QLineEdit(parent);
            edit->setText(caption);
            edit->setAlignment(alignment);
            edit->setCursorPosition(0);
            control.widget = edit;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(caption, parent);
            button->setAutoDefault(false);
            new ReturnPressesButton(button);
            QObject::connect(button, &QPushButton::clicked, button, [impl, handle, id] {
                impl->controlEvent(handle, id, notify::kClicked);
            });
            control.widget = button;
            break;
        }
        case ControlKind::Radio: {
            auto* radio = new QRadioButton(caption, parent);
            radio->setAutoExclusive(false);
            // A radio fills its rectangle with its background colour, which the program gives
            // as the Window role; a button's own role would be the light Button grey.
            radio->setBackgroundRole(QPalette::Window);
            radio->setAutoFillBackground(true);
            radio->installEventFilter(new RadioKeys(radio, impl, handle, id));
            QObject::connect(radio, &QRadioButton::clicked, radio,
                             [impl, handle, id] { impl->radioClicked(handle, id); });
            if ((spec.style & style::kGroupStart) != 0 || window->groups == 0) ++window->groups;
            control.group = window->groups - 1;
            control.widget = radio;
            break;
        }
        case ControlKind::DropDown: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(false);
            combo->setInsertPolicy(QComboBox::InsertAtBottom);
            combo->setAccessibleName(caption);
            // The entries all have one height: the list lays them out from the first.
            control.delegate = new EntryDelegate(combo);
            combo->setItemDelegate(control.delegate);
            if (auto* entries = qobject_cast<QListView*>(combo->view())) {
                entries->setUniformItemSizes(true);
            }
            // The user's choice only: a selection made by the program raises no event.
            QObject::connect(combo, &QComboBox::activated, combo, [impl, handle, id] {
                impl->controlEvent(handle, id, notify::kSelectionChanged);
            });
            new EntrySearch(combo, [impl, handle, id] {
                impl->controlEvent(handle, id, notify::kSelectionChanged);
            });
            new EscapeClosesList(combo);
            control.widget = combo;
            break;
        }
        case ControlKind::HistoryEntry: {
            // A line to type into over the list of earlier entries: the program fills the
            // list, and a choice from it only becomes the text (the user's code 1).
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);  // what is typed stays as typed
            combo->setAccessibleName(caption);
            control.delegate = new EntryDelegate(combo);
            combo->setItemDelegate(control.delegate);
            QObject::connect(combo, &QComboBox::activated, combo, [impl, handle, id] {
                if (impl->programmatic == 0) {
                    impl->controlEvent(handle, id, notify::kSelectionChanged);
                }
            });
            // The keys reach the line through the box, which has the focus, or the line itself.
            for (QWidget* keys :
                 {static_cast<QWidget*>(combo), static_cast<QWidget*>(combo->lineEdit())}) {
                new ReturnEnters(
                    keys, [impl, handle, id] { impl->controlEvent(handle, id, notify::kEntered); });
            }
            new EscapeClosesList(combo);
            control.widget = combo;
            break;
        }
        case ControlKind::ListBox: {
            auto* list = new QListWidget(parent);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setUniformItemSizes(true);
            list->setFrameShape((spec.style & style::kBorder) != 0 ? QFrame::Box
                                                                   : QFrame::StyledPanel);
            list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            control.delegate = new EntryDelegate(list);
            list->setItemDelegate(control.delegate);
            if ((spec.style & style::kNotify) != 0) {
                QObject::connect(list, &QListWidget::currentRowChanged, list, [impl, handle, id] {
                    if (impl->programmatic == 0) {
                        impl->controlEvent(handle, id, notify::kSelectionChanged);
                    }
                });
                // A double-click on an entry, or Return on the list, activates its entry.
                QObject::connect(list, &QListWidget::itemDoubleClicked, list, [impl, handle, id] {
                    impl->controlEvent(handle, id, notify::kActivated);
                });
                new ReturnEnters(list, [impl, handle, id] {
                    impl->controlEvent(handle, id, notify::kActivated);
                });
            }
            control.widget = list;
            break;
        }
        case ControlKind::ListView: {
            // Rows, header and border as the layout has them, so that the list shows the
            // number of whole rows the window's logic expects (the guide drill on the top row).
            auto* view = new ReportView(parent, (spec.style & style::kNoHeader) == 0);
            control.delegate = view->entries();
            control.widget = view;
            break;
        }
    }

    QWidget* widget = control.widget;
    if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
        // The chosen row stays marked when the list does not have the focus.
        QPalette palette = view->palette();
        for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
            palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
        }
        view->setPalette(palette);
    }
    widget->setObjectName(QStringLiteral("control%1").arg(id));
    if (control.kind == ControlKind::Label) stackCaption(*window, widget);
    placeControl(control);
    widget->setVisible((spec.style & style::kVisible) != 0);
    window->order.push_back(id);
    window->controls.emplace(id, control);
    impl_->scheduleKeyboardOrder(*window);
}

void QtWindowing::setControlColours(WindowHandle window, int id, Rgb text, Rgb background) {
    Control* control = impl_->find(window, id);
    if (control == nullptr) return;
    std::vector<QPalette::ColorRole> textRoles;
    std::vector<QPalette::ColorRole> backgroundRoles;
    switch (control->kind) {
        case ControlKind::Label:
        case ControlKind::Radio:  // the radio's circle keeps its own colours
            textRoles = {QPalette::WindowText};
            backgroundRoles = {QPalette::Window};
            break;
        case ControlKind::Button:
            textRoles = {QPalette::ButtonText};
            backgroundRoles = {QPalette::Button};
            break;
        case ControlKind::TextBox:
        case ControlKind::ListBox:
        case ControlKind::ListView:
            textRoles = {QPalette::Text};
            backgroundRoles = {QPalette::Base};
            break;
        case ControlKind::DropDown:
        case ControlKind::HistoryEntry:
            textRoles = {QPalette::ButtonText, QPalette::Text};
            backgroundRoles = {QPalette::Button, QPalette::Base};
            break;
    }
    QWidget* widget = control->widget;
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : textRoles) palette.setColor(role, toColor(text));
    for (QPalette::ColorRole role : backgroundRoles) palette.setColor(role, toColor(background));
    widget->setPalette(palette);
}

void QtWindowing::setControlFont(WindowHandle window, int id, const FontSpec& font) {
    Control* control = impl_->find(window, id);
    if (control == nullptr) return;
    const QFont requested = widgetFont(font.face, font.points, font.weight);
    // A control that already shows the font (its window's) keeps it: setting it again would
    // lay its text out anew for nothing.
    if (control->widget->font() == requested) return;
    control->widget->setFont(requested);
    if (isComboBox(control->kind)) placeControl(*control);
}

void QtWindowing::setControlText(WindowHandle window, int id, std::string_view text) {
    Control* control = impl_->find(window, id);
    if (control == nullptr) return;
    const QString value = fromText(text);
    switch (control->kind) {
        case ControlKind::Label:
            static_cast<QLabel*>(control->widget)->setText(value);
            break;
        case ControlKind::TextBox:
            if (auto* field = qobject_cast<ReadOnlyField*>(control->widget)) {
                field->setText(value);
            } else if (auto* edit = qobject_cast<QLineEdit*>(control->widget)) {
                edit->setText(value);
                edit->setCursorPosition(0);
            }
            break;
        case ControlKind::Button:
        case ControlKind::Radio:
            static_cast<QAbstractButton*>(control->widget)->setText(value);
            break;
        case ControlKind::HistoryEntry:
            static_cast<QComboBox*>(control->widget)->setEditText(value);
            break;
        case ControlKind::DropDown:
        case ControlKind::ListBox:
        case ControlKind::ListView:
            control->widget->setAccessibleName(value);
            break;
    }
}

std::string QtWindowing::controlText(WindowHandle window, int id) const {
    const Control* control = impl_->find(window, id);
    if (control == nullptr) return {};
    switch (control->kind) {
        case ControlKind::Label:
            return toText(static_cast<const QLabel*>(control->widget)->text());
        case ControlKind::TextBox:
            if (const auto* field = qobject_cast<const ReadOnlyField*>(control->widget)) {
                return toText(field->text());
            }
            return toText(static_cast<const QLineEdit*>(control->widget)->text());
        case ControlKind::Button:
        case ControlKind::Radio:
            return toText(static_cast<const QAbstractButton*>(control->widget)->text());
        case ControlKind::DropDown:
        case ControlKind::HistoryEntry:
            return toText(static_cast<const QComboBox*>(control->widget)->currentText());
        case ControlKind::ListBox:
        case ControlKind::ListView:
            return toText(control->widget->accessibleName());
    }
    return {};
}

void QtWindowing::showControl(WindowHandle handle, int id, bool visible) {
    Control* control = impl_->find(handle, id);
    if (control == nullptr) return;
    control->widget->setVisible(visible);
    impl_->scheduleKeyboardOrder(*impl_->find(handle));
}

void QtWindowing::setControlRect(WindowHandle handle, int id, Rect rect) {
    Control* control = impl_->find(handle, id);
    if (control == nullptr) return;
    control->rect = rect;
    placeControl(*control);
    impl_->scheduleKeyboardOrder(*impl_->find(handle));
}

namespace {

// Marks the changes the program makes to a list, which raise no event.
class ProgramChange {
  public:
    explicit ProgramChange(QtWindowing::Impl& impl) : impl_(impl) { ++impl_.programmatic; }
    ~ProgramChange() { --impl_.programmatic; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;

  private:
    QtWindowing::Impl& impl_;
};

// The lists the program fills.
QComboBox* comboOf(Control* control) {
    return control != nullptr && isComboBox(control->kind)
               ? static_cast<QComboBox*>(control->widget)
               : nullptr;
}
QListWidget* listOf(Control* control) {
    return control != nullptr && control->kind == ControlKind::ListBox
               ? static_cast<QListWidget*>(control->widget)
               : nullptr;
}
const QComboBox* comboOf(const Control* control) {
    return comboOf(const_cast<Control*>(control));
}
const QListWidget* listOf(const Control* control) {
    return listOf(const_cast<Control*>(control));
}
QTreeView* viewOf(Control* control) {
    return control != nullptr && control->kind == ControlKind::ListView
               ? static_cast<QTreeView*>(control->widget)
               : nullptr;
}
TextTableModel* rowsOf(QTreeView* view) {
    return view != nullptr ? static_cast<TextTableModel*>(view->model()) : nullptr;
}

}  // namespace

// A history entry keeps its text whatever happens to its list.
class KeepText {
  public:
    explicit KeepText(Control* control)
        : combo_(control != nullptr && control->kind == ControlKind::HistoryEntry
                     ? static_cast<QComboBox*>(control->widget)
                     : nullptr),
          text_(combo_ != nullptr ? combo_->currentText() : QString()) {}
    ~KeepText() {
        if (combo_ != nullptr && combo_->currentText() != text_) combo_->setEditText(text_);
    }
    KeepText(const KeepText&) = delete;
    KeepText& operator=(const KeepText&) = delete;

  private:
    QComboBox* combo_;
    QString text_;
};

void QtWindowing::listClear(WindowHandle window, int id) {
    const ProgramChange change(*impl_);
    Control* control = impl_->find(window, id);
    const KeepText keep(control);
    if (QComboBox* combo = comboOf(control)) combo->clear();
    if (QListWidget* list = listOf(control)) list->clear();
}

void QtWindowing::listAppend(WindowHandle window, int id, std::string_view text) {
    const ProgramChange change(*impl_);
    Control* control = impl_->find(window, id);
    const KeepText keep(control);
    if (QComboBox* combo = comboOf(control)) combo->addItem(fromText(text));
    if (QListWidget* list = listOf(control)) list->addItem(fromText(text));
    // A new drop-down list shows no entry until one is selected.
    if (QComboBox* combo = comboOf(control); combo != nullptr && combo->count() == 1) {
        combo->setCurrentIndex(-1);
    }
}

int QtWindowing::listCount(WindowHandle window, int id) const {
    const Control* control = impl_->find(window, id);
    if (const QComboBox* combo = comboOf(control)) return combo->count();
    if (const QListWidget* list = listOf(control)) return list->count();
    return 0;
}

void QtWindowing::listDelete(WindowHandle window, int id, int position) {
    const ProgramChange change(*impl_);
    Control* control = impl_->find(window, id);
    const KeepText keep(control);
    if (QComboBox* combo = comboOf(control)) {
        if (position >= 0 && position < combo->count()) combo->removeItem(position);
    }
    if (QListWidget* list = listOf(control)) {
        if (position >= 0 && position < list->count()) delete list->takeItem(position);
    }
}

void QtWindowing::listSelect(WindowHandle window, int id, int position) {
    const ProgramChange change(*impl_);
    Control* control = impl_->find(window, id);
    if (QComboBox* combo = comboOf(control)) {
        combo->setCurrentIndex(position >= 0 && position < combo->count() ? position : -1);
    }
    if (QListWidget* list = listOf(control)) {
        if (position >= 0 && position < list->count()) {
            list->setCurrentRow(position);
        } else {
            list->setCurrentRow(-1);
            list->clearSelection();
        }
    }
}

int QtWindowing::listSelected(WindowHandle window, int id) const {
    const Control* control = impl_->find(window, id);
    if (const QComboBox* combo = comboOf(control)) return combo->currentIndex();
    if (const QListWidget* list = listOf(control)) {
        const QList<QListWidgetItem*> selected = list->selectedItems();
        return selected.isEmpty() ? -1 : list->row(selected.front());
    }
    return -1;
}

std::string QtWindowing::listItem(WindowHandle window, int id, int position) const {
    const Control* control = impl_->find(window, id);
    if (const QComboBox* combo = comboOf(control)) {
        return position >= 0 && position < combo->count() ? toText(combo->itemText(position))
                                                          : std::string{};
    }
    if (const QListWidget* list = listOf(control)) {
        return position >= 0 && position < list->count() ? toText(list->item(position)->text())
                                                         : std::string{};
    }
    return {};
}

void QtWindowing::listSetEntryHeight(WindowHandle window, int id, int pixels) {
    Control* control = impl_->find(window, id);
    if (control == nullptr || control->delegate == nullptr || pixels < 0) return;
    control->delegate->height = pixels;
    if (QComboBox* combo = comboOf(control)) {
        combo->view()->doItemsLayout();
        placeControl(*control);
    }
    if (QListWidget* list = listOf(control)) list->doItemsLayout();
}

void QtWindowing::viewClear(WindowHandle window, int id) {
    if (TextTableModel* rows = rowsOf(viewOf(impl_->find(window, id)))) rows->clear();
}

void QtWindowing::viewAddColumn(WindowHandle window, int id, int index, std::string_view caption,
                                int width) {
    QTreeView* view = viewOf(impl_->find(window, id));
    if (view == nullptr || index < 0) return;
    TextTableModel* rows = rowsOf(view);
    const int count = rows->columnCount();
    const int at = std::min(index, count);
    // Columns after the insertion point move one place to the right, with their widths.
    std::vector<int> widths;
    for (int column = 0; column < count; ++column) widths.push_back(view->columnWidth(column));
    widths.insert(widths.begin() + at, std::max(0, width));
    rows->insertColumn(at, fromText(caption));
    for (int column = 0; column <= count; ++column) {
        view->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    }
}

void QtWindowing::viewAddRow(WindowHandle window, int id, int index, std::string_view firstCell) {
    TextTableModel* rows = rowsOf(viewOf(impl_->find(window, id)));
    if (rows == nullptr || index < 0) return;
    rows->insertRow(std::min(index, rows->rowCount()), fromText(firstCell));
}

void QtWindowing::viewSetCell(WindowHandle window, int id, int row, int column,
                              std::string_view text) {
    TextTableModel* rows = rowsOf(viewOf(impl_->find(window, id)));
    if (rows == nullptr || row < 0 || row >= rows->rowCount() || column < 0 ||
        column >= rows->columnCount()) {
        return;
    }
    rows->setCell(row, column, fromText(text));
}

void QtWindowing::viewAddRows(WindowHandle window, int id, int index,
                              const std::vector<std::vector<std::string>>& rows) {
    TextTableModel* model = rowsOf(viewOf(impl_->find(window, id)));
    if (model == nullptr || index < 0 || rows.empty()) return;
    std::vector<std::vector<QString>> texts;
    texts.reserve(rows.size());
    for (const std::vector<std::string>& cells : rows) {
        std::vector<QString>& row = texts.emplace_back();
        row.reserve(cells.size());
        for (const std::string& cell : cells) row.push_back(fromText(cell));
    }
    model->insertRows(std::min(index, model->rowCount()), std::move(texts));
}

void QtWindowing::viewSetColumn(WindowHandle window, int id, int column, int firstRow,
                                const std::vector<std::string>& texts) {
    TextTableModel* model = rowsOf(viewOf(impl_->find(window, id)));
    if (model == nullptr) return;
    std::vector<QString> converted;
    converted.reserve(texts.size());
    for (const std::string& text : texts) converted.push_back(fromText(text));
    model->setColumn(column, firstRow, converted);
}

void QtWindowing::viewSelectRow(WindowHandle window, int id, int row) {
    QTreeView* view = viewOf(impl_->find(window, id));
    if (view == nullptr || row < 0 || row >= view->model()->rowCount()) return;
    view->setCurrentIndex(view->model()->index(row, 0));
}

void QtWindowing::viewEnsureVisible(WindowHandle window, int id, int row) {
    QTreeView* view = viewOf(impl_->find(window, id));
    if (view == nullptr || row < 0 || row >= view->model()->rowCount()) return;
    const QModelIndex item = view->model()->index(row, 0);
    view->scrollTo(item, QAbstractItemView::EnsureVisible);
    // Scrolling goes by whole rows; when the row is still cut at the bottom, one row more.
    const QRect shown = view->visualRect(item);
    const QRect area = view->viewport()->rect();
    QScrollBar* bar = view->verticalScrollBar();
    if (shown.bottom() > area.bottom() && bar->value() < bar->maximum()) {
        bar->setValue(bar->value() + 1);
    }
}

void QtWindowing::viewSetTextBackground(WindowHandle window, int id, Rgb colour) {
    QTreeView* view = viewOf(impl_->find(window, id));
    if (view == nullptr) return;
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, toColor(colour));
    palette.setColor(QPalette::AlternateBase, toColor(colour));
    view->setPalette(palette);
}

void QtWindowing::setRadio(WindowHandle handle, int id, bool on) {
    Control* control = impl_->find(handle, id);
    if (control == nullptr || control->kind != ControlKind::Radio) return;
    static_cast<QRadioButton*>(control->widget)->setChecked(on);
    impl_->scheduleKeyboardOrder(*impl_->find(handle));
}

bool QtWindowing::radioChecked(WindowHandle window, int id) const {
    const Control* control = impl_->find(window, id);
    if (control == nullptr || control->kind != ControlKind::Radio) return false;
    return static_cast<const QRadioButton*>(control->widget)->isChecked();
}

void QtWindowing::bindKey(WindowHandle handle, KeyChord key, int controlId) {
    Window* window = impl_->find(handle);
    const QKeySequence sequence = keySequence(key);
    if (window == nullptr || sequence.isEmpty()) return;
    auto& shortcuts = window->shortcuts;
    const auto bound = std::find_if(shortcuts.begin(), shortcuts.end(),
                                    [&](const auto& binding) { return binding.first == key; });
    if (bound != shortcuts.end()) {
        delete bound->second;
        shortcuts.erase(bound);
    }
    if (controlId == 0) return;
    auto* shortcut = new QShortcut(sequence, window->frame);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(false);
    Impl* impl = impl_.get();
    QObject::connect(shortcut, &QShortcut::activated, shortcut,
                     [impl, handle, controlId] { impl->keyClick(handle, controlId); });
    shortcuts.emplace_back(key, shortcut);
}

void QtWindowing::setClipboardText(std::string_view text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(fromText(text));
}

void QtWindowing::messageBox(WindowHandle owner, std::string_view caption, std::string_view text,
                             MessageIcon icon) {
    const Window* window = impl_->find(owner);
    QMessageBox::Icon qtIcon = QMessageBox::Warning;
    switch (icon) {
        case MessageIcon::Warning:
            qtIcon = QMessageBox::Warning;
            break;
        case MessageIcon::Information:
            qtIcon = QMessageBox::Information;
            break;
        case MessageIcon::Error:
            qtIcon = QMessageBox::Critical;
            break;
    }
    QMessageBox box(qtIcon, fromText(caption), fromText(text), QMessageBox::Ok,
                    window != nullptr ? window->frame : nullptr);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtWindowing::runEventLoop(EventHandler& handler) {
    EventHandler* previous = impl_->handler;
    impl_->handler = &handler;
    if (!impl_->endRequested) {
        impl_->loopRunning = true;
        QApplication::exec();
        impl_->loopRunning = false;
    }
    impl_->endRequested = false;
    impl_->handler = previous;
}

void QtWindowing::endEventLoop() {
    impl_->endLoop();
}

void QtWindowing::setEventHandler(EventHandler* handler) {
    impl_->handler = handler;
}

QWidget* QtWindowing::windowWidget(WindowHandle handle) const {
    const Window* window = impl_->find(handle);
    return window == nullptr ? nullptr : window->frame;
}

QWidget* QtWindowing::controlWidget(WindowHandle handle, int id) const {
    const Control* control = impl_->find(handle, id);
    return control == nullptr ? nullptr : control->widget;
}

}  // namespace torveld::platform::qt
