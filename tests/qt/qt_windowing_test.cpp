// The Qt windowing: windows and controls as the system lays them out, and the events that real
// (synthesised) mouse and keyboard input delivers to the handler.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <climits>

#include "qt_field.h"
#include "qt_fonts.h"
#include "qt_test_support.h"
#include "qt_windowing.h"

namespace torveld::platform::qt {
namespace {

using test::ControlEvent;
using test::RecordingHandler;

constexpr Rgb kGrey180{180, 180, 180};
constexpr Rgb kGrey245{245, 245, 245};
constexpr Rgb kBlack{0, 0, 0};

class QtWindowingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ensureApplication();
        windowing = std::make_unique<QtWindowing>();
        windowing->setEventHandler(&handler);
        main = windowing->createWindow({"Threads", {144, 109, 735, 550}, kGrey180, false});
    }
    void TearDown() override { windowing.reset(); }

    void add(ControlKind kind, int id, std::string caption, Rect rect, unsigned styleWord,
             int points = 9) {
        windowing->createControl(main, {kind, std::move(caption), rect, styleWord, id});
        windowing->setControlColours(
            main, id, kBlack,
            kind == ControlKind::Label || kind == ControlKind::Radio ? kGrey180 : kGrey245);
        windowing->setControlFont(main, id, {"Tahoma", points, 700});
    }
    template <typename W>
    W* widget(int id) {
        return qobject_cast<W*>(windowing->controlWidget(main, id));
    }
    void showMain() {
        windowing->showWindow(main, ShowState::Normal);
        QApplication::processEvents();
    }

    RecordingHandler handler;
    std::unique_ptr<QtWindowing> windowing;
    WindowHandle main = 0;
};

TEST_F(QtWindowingTest, WindowsAreFramelessHiddenUntilShownAndMinimiseAndRestore) {
    QWidget* frame = windowing->windowWidget(main);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isWindow());
    EXPECT_TRUE(frame->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), "Threads");
    EXPECT_EQ(windowing->windowRect(main), (Rect{144, 109, 735, 550}));
    EXPECT_TRUE(windowing->isWindowOpen(main));

    showMain();
    EXPECT_TRUE(frame->isVisible());
    windowing->showWindow(main, ShowState::Minimised);
    EXPECT_TRUE(frame->isMinimized());
    windowing->showWindow(main, ShowState::Normal);
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_TRUE(frame->isVisible());
    windowing->showWindow(main, ShowState::Hidden);
    EXPECT_FALSE(frame->isVisible());

    windowing->setWindowText(main, "Thread Info");
    EXPECT_EQ(frame->windowTitle(), "Thread Info");
    windowing->closeWindow(main);
    EXPECT_FALSE(windowing->isWindowOpen(main));
    EXPECT_EQ(windowing->windowWidget(main), nullptr);
}

TEST_F(QtWindowingTest, ClientAreaLiesInsideTheThinBorderWithTheBackgroundColour) {
    add(ControlKind::Label, 432, "", {0, 0, 20, 20}, style::kVisible);
    QWidget* label = windowing->controlWidget(main, 432);
    QWidget* client = label->parentWidget();
    EXPECT_EQ(client->geometry(), QRect(1, 1, 733, 548));
    EXPECT_EQ(client->palette().color(QPalette::Window), QColor(180, 180, 180));
    windowing->setWindowBackground(main, {209, 209, 140});
    EXPECT_EQ(client->palette().color(QPalette::Window), QColor(209, 209, 140));

    showMain();
    const QImage shot = windowing->windowWidget(main)->grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 200), QColor(Qt::black)) << "the thin border";
    EXPECT_EQ(shot.pixelColor(300, 200), QColor(209, 209, 140));
}

// What the screen shows of the window (the backing store), after pending paints.
QImage onScreen(QWidget* frame) {
    QApplication::processEvents();
    return frame->screen()
        ->grabWindow(frame->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// A caption's background lies under the field its rectangle reaches into, and follows the
// caption's colours, rectangle and visibility on the screen.
TEST_F(QtWindowingTest, CaptionBackgroundsLieUnderTheControlsAndFollowTheCaption) {
    // The field first: a caption made later still lies under it.
    add(ControlKind::TextBox, 303, ".0730", {60, 60, 75, 25},
        style::kVisible | style::kReadOnly | style::kCentred);
    add(ControlKind::Label, 435, "TORVELD 2.1", {40, 40, 100, 30},
        style::kVisible | style::kCentred);
    windowing->setControlColours(main, 435, kBlack, {195, 195, 195});
    showMain();
    QWidget* frame = windowing->windowWidget(main);
    QWidget* field = windowing->controlWidget(main, 303);
    const QPoint fieldAt = field->mapTo(frame, QPoint(0, 0));
    const QImage fieldAlone = field->grab().toImage().convertToFormat(QImage::Format_RGB32);

    QImage screen = onScreen(frame);
    EXPECT_EQ(screen.pixelColor(42, 42), QColor(195, 195, 195));
    // The field's frame and inside where the caption reaches into it: the field's own pixels.
    for (const QPoint at : {QPoint(20, 0), QPoint(20, 5), QPoint(0, 5), QPoint(40, 12)}) {
        EXPECT_EQ(screen.pixel(fieldAt + at), fieldAlone.pixel(at)) << at.x() << ", " << at.y();
    }

    windowing->setControlColours(main, 435, kBlack, {209, 209, 140});
    EXPECT_EQ(onScreen(frame).pixelColor(42, 42), QColor(209, 209, 140));
    windowing->setControlRect(main, 435, {300, 300, 100, 30});
    screen = onScreen(frame);
    EXPECT_EQ(screen.pixelColor(42, 42), QColor(180, 180, 180)) << "the old place is cleared";
    EXPECT_EQ(screen.pixelColor(302, 302), QColor(209, 209, 140));
    windowing->showControl(main, 435, false);
    EXPECT_EQ(onScreen(frame).pixelColor(302, 302), QColor(180, 180, 180));
}

TEST_F(QtWindowingTest, EveryControlKindHasItsTextRectangleVisibilityAndColours) {
    add(ControlKind::Label, 395, "TAP DRILL GUIDE", {180, 359, 173, 18},
        style::kVisible | style::kCentred);
    add(ControlKind::TextBox, 349, "", {127, 7, 470, 28}, style::kCentred | style::kReadOnly, 11);
    add(ControlKind::Button, 397, "HIDE", {665, 493, 62, 25}, 0);
    add(ControlKind::Radio, 401, "UNC", {375, 363, 65, 20}, style::kGroupStart);
    add(ControlKind::DropDown, 302, "Thread Size", {584, 326, 140, 222}, style::kVScroll);
    add(ControlKind::ListBox, 348, "", {15, 375, 145, 171}, style::kNotify);
    add(ControlKind::ListView, 347, "", {180, 375, 172, 171},
        style::kBorder | style::kReportView | style::kSingleSelect);
    add(ControlKind::TextBox, 345, "", {0, 0, 0, 0},
        style::kVisible | style::kCentred | style::kReadOnly);
    add(ControlKind::TextBox, 346, "4.95", {10, 40, 80, 24}, style::kVisible);

    auto* label = widget<QLabel>(395);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "TAP DRILL GUIDE");
    EXPECT_TRUE(label->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_EQ(label->geometry(), QRect(180, 359, 173, 18));
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(180, 180, 180));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 0));

    // A read-only text box is a light field; one the user may type in is a line edit.
    auto* header = widget<ReadOnlyField>(349);
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(header->isReadOnly());
    auto* editable = widget<QLineEdit>(346);
    ASSERT_NE(editable, nullptr);
    EXPECT_FALSE(editable->isReadOnly());
    EXPECT_EQ(editable->text(), "4.95");
    windowing->setControlText(main, 346, "5.00");
    EXPECT_EQ(windowing->controlText(main, 346), "5.00");
    EXPECT_TRUE(header->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_EQ(header->geometry(), QRect(127, 7, 470, 28));
    EXPECT_EQ(header->palette().color(QPalette::Base), QColor(245, 245, 245));
    windowing->setControlText(main, 349, "EXTERNAL DATA          1 - 64  UNC");
    EXPECT_EQ(windowing->controlText(main, 349), "EXTERNAL DATA          1 - 64  UNC");

    auto* button = widget<QPushButton>(397);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "HIDE");
    EXPECT_EQ(button->geometry(), QRect(665, 493, 62, 25));
    EXPECT_EQ(button->palette().color(QPalette::Button), QColor(245, 245, 245));

    auto* radio = widget<QRadioButton>(401);
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->text(), "UNC");
    EXPECT_EQ(radio->palette().color(QPalette::Window), QColor(180, 180, 180));
    EXPECT_FALSE(radio->autoExclusive());

    auto* combo = widget<QComboBox>(302);
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->geometry().topLeft(), QPoint(584, 326));
    EXPECT_EQ(combo->width(), 140);
    EXPECT_LT(combo->height(), 40) << "the rectangle's height includes the dropped list";

    ASSERT_NE(widget<QListWidget>(348), nullptr);
    EXPECT_EQ(widget<QListWidget>(348)->geometry(), QRect(15, 375, 145, 171));
    auto* view = widget<QTreeView>(347);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);

    // Created hidden unless visible; the window shows what is visible.
    showMain();
    EXPECT_TRUE(label->isVisible());
    EXPECT_FALSE(header->isVisible());
    EXPECT_FALSE(button->isVisible());
    windowing->showControl(main, 397, true);
    EXPECT_TRUE(button->isVisible());
    windowing->showControl(main, 397, false);
    EXPECT_FALSE(button->isVisible());

    // A control of size 0 is there but cannot be seen or reached.
    QWidget* empty = windowing->controlWidget(main, 345);
    EXPECT_TRUE(empty->isVisible());
    EXPECT_TRUE(empty->geometry().isEmpty());
    windowing->setControlRect(main, 345, {234, 151, 65, 25});
    EXPECT_EQ(empty->geometry(), QRect(234, 151, 65, 25));
    windowing->setControlRect(main, 345, {0, 0, 0, 0});
    EXPECT_TRUE(empty->geometry().isEmpty());

    // Text shown by label and radio changes with setControlText.
    windowing->setControlText(main, 395, "   L1 - L4 LENGTHS");
    EXPECT_EQ(windowing->controlText(main, 395), "   L1 - L4 LENGTHS");
    windowing->setControlText(main, 401, "Exit NPT");
    EXPECT_EQ(radio->text(), "Exit NPT");
}

TEST_F(QtWindowingTest, FontsAreTahomaBoldAtNinetySixDotsPerInch) {
    const int sizes[] = {8, 9, 10, 11, 12, 13, 14};
    const int pixels[] = {11, 12, 13, 15, 16, 17, 19};
    for (int i = 0; i < 7; ++i) {
        add(ControlKind::Label, 500 + i, "MAJOR DIAMETER", {10, 10 + 20 * i, 200, 20},
            style::kVisible, sizes[i]);
        const QFont font = windowing->controlWidget(main, 500 + i)->font();
        EXPECT_EQ(font.pixelSize(), pixels[i]) << sizes[i] << " pt";
        EXPECT_EQ(pixelsForPoints(sizes[i]), pixels[i]);
        EXPECT_EQ(font.weight(), QFont::Bold);
    }
    const QFontInfo info(windowing->controlWidget(main, 500)->font());
    EXPECT_TRUE(info.bold());
    if (QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"))) {
        EXPECT_EQ(info.family(), "Tahoma");
    } else {
        EXPECT_EQ(info.family(), "DejaVu Sans");
    }
    // Bold text carries clearly more ink than regular text of the same face and size (Wine's
    // own bold Tahoma file draws as thin as the regular one: 1.00 against 1.47 emboldened).
    const auto ink = [](const QFont& font) {
        QImage image(200, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(4, 20), QStringLiteral("MAJOR DIAMETER .2489"));
        painter.end();
        double sum = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) sum += 255 - qGray(image.pixel(x, y));
        }
        return sum;
    };
    const double ratio = ink(widgetFont("Tahoma", 9, 700)) / ink(widgetFont("Tahoma", 9, 400));
    EXPECT_GT(ratio, 1.25) << "bold ink over regular ink";
    // The sheet face resolves to an installed face too.
    EXPECT_FALSE(resolvedFamily("Verdana").isEmpty());
    EXPECT_EQ(QFontInfo(widgetFont("Verdana", 10, 400)).family(), resolvedFamily("Verdana"));
}

// A caption of several lines (the find box's message: four lines in 58 pixels of 8-point text)
// has room between one line's letters and the next line's: each line's ink stands apart, two
// blank rows of pixels at least, and all four lines show inside the caption.
TEST_F(QtWindowingTest, CaptionLinesStandApartAtTheNormalLineSpacing) {
    const Rect rect{10, 56, 400, 58};
    add(ControlKind::Label, 3, "", rect, style::kVisible, 8);
    // Letters reaching from above the capitals to below the line on every line.
    windowing->setControlText(main, 3,
                              "Mgjl UNC 1/4-21\nMgjl UNC 1/4-21\nMgjl UNC 1/4-21\nMgjl UNC");
    showMain();
    auto* caption = widget<QLabel>(3);
    ASSERT_NE(caption, nullptr);
    EXPECT_LE(caption->sizeHint().height(), rect.height) << "four lines fit";
    QWidget* frame = windowing->windowWidget(main);
    const QImage pixels =
        frame->grab(QRect(caption->mapTo(frame, QPoint(0, 0)), caption->size())).toImage();
    // The rows of pixels with ink, as runs from top to bottom.
    std::vector<std::pair<int, int>> inked;
    for (int y = 0; y < pixels.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < pixels.width() && !ink; ++x) ink = qGray(pixels.pixel(x, y)) < 128;
        if (!ink) continue;
        if (!inked.empty() && inked.back().second == y - 1) {
            inked.back().second = y;
        } else {
            inked.emplace_back(y, y);
        }
    }
    ASSERT_EQ(inked.size(), 4u) << "four lines, each apart from the next";
    for (std::size_t line = 1; line < inked.size(); ++line) {
        EXPECT_GE(inked[line].first - inked[line - 1].second - 1, 2)
            << "blank rows above line " << line + 1;
    }
    EXPECT_LT(inked.back().second, pixels.height() - 1) << "the last line shows whole";
}

TEST_F(QtWindowingTest, TextOfTheSystemMayBeWindows1252OrUtf8) {
    add(ControlKind::Label, 390, "", {0, 0, 300, 20}, style::kVisible);
    windowing->setControlText(main, 390, "thread profile included angle = 60\xB0");
    EXPECT_EQ(widget<QLabel>(390)->text(),
              QString::fromUtf8("thread profile included angle = 60°"));
    windowing->setControlText(main, 390, "120\xC2\xB0 countersink recommended");
    EXPECT_EQ(widget<QLabel>(390)->text(), QString::fromUtf8("120° countersink recommended"));
    EXPECT_EQ(windowing->controlText(main, 390), "120\xC2\xB0 countersink recommended");
}

TEST_F(QtWindowingTest, ClickedButtonReportsItsIdWithCodeZero) {
    add(ControlKind::Button, 442, "PRINT", {665, 439, 62, 25}, style::kVisible);
    showMain();
    QTest::mouseClick(windowing->controlWidget(main, 442), Qt::LeftButton);
    ASSERT_EQ(handler.events.size(), 1u);
    EXPECT_EQ(handler.events[0], (ControlEvent{main, 442, notify::kClicked}));
    EXPECT_TRUE(handler.presses.empty()) << "a press on a control never moves the window";
}

TEST_F(QtWindowingTest, RadioGroupsRunFromGroupStartToGroupStart) {
    add(ControlKind::Radio, 399, "INCHES", {459, 470, 70, 22}, style::kVisible | style::kGroupStart,
        8);
    add(ControlKind::Radio, 400, "MILLIMETERS", {529, 470, 109, 22}, style::kVisible, 8);
    add(ControlKind::Radio, 401, "UNC", {375, 363, 65, 20}, style::kVisible | style::kGroupStart);
    add(ControlKind::Radio, 402, "UNF", {375, 383, 65, 20}, style::kVisible);
    add(ControlKind::Radio, 410, "NPT", {534, 363, 65, 20}, style::kVisible);
    showMain();

    // The program's setRadio touches only that radio and raises no event.
    windowing->setRadio(main, 399, true);
    windowing->setRadio(main, 401, true);
    windowing->setRadio(main, 402, true);
    EXPECT_TRUE(windowing->radioChecked(main, 401));
    EXPECT_TRUE(windowing->radioChecked(main, 402));
    EXPECT_TRUE(handler.events.empty());
    windowing->setRadio(main, 402, false);

    // A click turns the radio on and the others of its group off, not those of another group.
    QTest::mouseClick(windowing->controlWidget(main, 410), Qt::LeftButton, {}, QPoint(8, 10));
    ASSERT_EQ(handler.events.size(), 1u);
    EXPECT_EQ(handler.events[0], (ControlEvent{main, 410, notify::kClicked}));
    EXPECT_TRUE(windowing->radioChecked(main, 410));
    EXPECT_FALSE(windowing->radioChecked(main, 401));
    EXPECT_FALSE(windowing->radioChecked(main, 402));
    EXPECT_TRUE(windowing->radioChecked(main, 399));

    // Clicking the radio that is on keeps it on and still reports the click.
    QTest::mouseClick(windowing->controlWidget(main, 410), Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_TRUE(windowing->radioChecked(main, 410));
    EXPECT_EQ(handler.events.size(), 2u);

    QTest::mouseClick(windowing->controlWidget(main, 400), Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_EQ(handler.events.back(), (ControlEvent{main, 400, notify::kClicked}));
    EXPECT_TRUE(windowing->radioChecked(main, 400));
    EXPECT_FALSE(windowing->radioChecked(main, 399));
    EXPECT_TRUE(windowing->radioChecked(main, 410));
}

TEST_F(QtWindowingTest, DropDownKeepsInsertionOrderAndReportsOnlyTheUsersChoice) {
    add(ControlKind::DropDown, 302, "Thread Size", {584, 326, 140, 222},
        style::kVisible | style::kVScroll);
    for (const char* entry : {"  1 - 64", "  0 - 80", "  2 - 56", "  10 - 24"}) {
        windowing->listAppend(main, 302, entry);
    }
    windowing->listSetEntryHeight(main, 302, 15);
    auto* combo = widget<QComboBox>(302);
    EXPECT_EQ(windowing->listCount(main, 302), 4);
    EXPECT_EQ(windowing->listItem(main, 302, 1), "  0 - 80");
    EXPECT_EQ(windowing->listItem(main, 302, 4), "");
    EXPECT_EQ(windowing->listSelected(main, 302), -1);
    // The dropped list fills the rest of the rectangle with entries of 15 pixels.
    EXPECT_EQ(combo->maxVisibleItems(), (222 - combo->height()) / 15);
    EXPECT_EQ(combo->view()->sizeHintForRow(0), 15);

    windowing->listSelect(main, 302, 2);
    EXPECT_EQ(windowing->listSelected(main, 302), 2);
    EXPECT_EQ(windowing->controlText(main, 302), "  2 - 56");
    EXPECT_TRUE(handler.events.empty()) << "a selection made by the program raises no event";

    showMain();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(windowing->listSelected(main, 302), 3);
    ASSERT_EQ(handler.events.size(), 1u);
    EXPECT_EQ(handler.events[0], (ControlEvent{main, 302, notify::kSelectionChanged}));
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(windowing->listSelected(main, 302), 2);
    EXPECT_EQ(handler.events.size(), 2u);

    // A pick with the mouse from the dropped list.
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QRect entry = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    EXPECT_EQ(windowing->listSelected(main, 302), 1);
    ASSERT_EQ(handler.events.size(), 3u);
    EXPECT_EQ(handler.events[2], (ControlEvent{main, 302, notify::kSelectionChanged}));

    windowing->listDelete(main, 302, 0);
    EXPECT_EQ(windowing->listItem(main, 302, 0), "  0 - 80");
    windowing->listDelete(main, 302, 9);
    EXPECT_EQ(windowing->listCount(main, 302), 3);
    windowing->listClear(main, 302);
    EXPECT_EQ(windowing->listCount(main, 302), 0);
    EXPECT_EQ(windowing->listSelected(main, 302), -1);
    EXPECT_EQ(handler.events.size(), 3u);
}

// The history entry: a line the user types into over a drop-down of earlier entries. The list
// operations leave the text alone, a choice becomes the text (code 1), Return sends kEntered,
// and what is typed is never completed from the list nor added to it.
TEST_F(QtWindowingTest, HistoryEntryTakesTypingChoicesAndReturn) {
    add(ControlKind::HistoryEntry, 3, "Designation", {10, 26, 300, 184}, style::kVisible);
    windowing->listSetEntryHeight(main, 3, 16);
    auto* combo = widget<QComboBox>(3);
    ASSERT_NE(combo, nullptr);
    ASSERT_NE(combo->lineEdit(), nullptr);
    windowing->setControlText(main, 3, "1/4-20");
    for (const char* entry : {"1/2-13 UNC", "M10", "1/4-20 UNC-2A"}) {
        windowing->listAppend(main, 3, entry);
    }
    EXPECT_EQ(windowing->controlText(main, 3), "1/4-20") << "appending leaves the text";
    EXPECT_EQ(windowing->listCount(main, 3), 3);
    EXPECT_EQ(windowing->listItem(main, 3, 2), "1/4-20 UNC-2A");
    EXPECT_EQ(windowing->listSelected(main, 3), -1);
    EXPECT_EQ(combo->maxVisibleItems(), (184 - combo->height()) / 16);
    windowing->listSelect(main, 3, 1);
    EXPECT_EQ(windowing->controlText(main, 3), "M10") << "the entry selected becomes the text";
    windowing->listClear(main, 3);
    EXPECT_EQ(windowing->listCount(main, 3), 0);
    EXPECT_EQ(windowing->controlText(main, 3), "M10") << "clearing leaves the text";
    for (const char* entry : {"1/2-13 UNC", "1/4-20 UNC-2A"}) windowing->listAppend(main, 3, entry);
    windowing->listDelete(main, 3, 0);
    EXPECT_EQ(windowing->controlText(main, 3), "M10");
    EXPECT_TRUE(handler.events.empty()) << "the program's changes raise no event";

    showMain();
    QWidget* frame = windowing->windowWidget(main);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "1/4");
    EXPECT_EQ(windowing->controlText(main, 3), "1/4") << "typing is not completed from the list";
    EXPECT_TRUE(handler.events.empty());
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(handler.events.size(), 1u);
    EXPECT_EQ(handler.events[0], (ControlEvent{main, 3, notify::kEntered}));
    EXPECT_EQ(windowing->listCount(main, 3), 1) << "Return adds nothing to the list";
    EXPECT_EQ(windowing->controlText(main, 3), "1/4");
    // Return sent to the drop-down, which hands keys on to its line, is reported once too.
    QTest::keyClick(combo, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(handler.events.size(), 2u);
    EXPECT_EQ(handler.events[1], (ControlEvent{main, 3, notify::kEntered}));
    handler.events.pop_back();

    // A pick from the dropped list becomes the text.
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QRect entry = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    EXPECT_EQ(windowing->controlText(main, 3), "1/4-20 UNC-2A");
    ASSERT_EQ(handler.events.size(), 2u);
    EXPECT_EQ(handler.events[1], (ControlEvent{main, 3, notify::kSelectionChanged}));
}

TEST_F(QtWindowingTest, ListBoxReportsTheUsersSelectionChangesOnly) {
    add(ControlKind::ListBox, 348, "", {15, 375, 145, 171}, style::kVisible | style::kNotify);
    for (const char* line : {"", "  100%  #53  .0595", "   90%  #53  .0595"}) {
        windowing->listAppend(main, 348, line);
    }
    windowing->listSetEntryHeight(main, 348, 16);
    auto* list = widget<QListWidget>(348);
    EXPECT_EQ(list->sizeHintForRow(1), 16);
    windowing->listSelect(main, 348, 1);
    EXPECT_EQ(windowing->listSelected(main, 348), 1);
    EXPECT_TRUE(handler.events.empty());

    showMain();
    const QRect entry = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    EXPECT_EQ(windowing->listSelected(main, 348), 2);
    ASSERT_EQ(handler.events.size(), 1u);
    EXPECT_EQ(handler.events[0], (ControlEvent{main, 348, notify::kSelectionChanged}));
    windowing->listClear(main, 348);
    EXPECT_EQ(handler.events.size(), 1u);
    EXPECT_EQ(windowing->listSelected(main, 348), -1);
}

// A list box that reports its selection activates its entry on a double-click (the first click
// chose it) and on Return while it has the focus.
TEST_F(QtWindowingTest, ListBoxActivatesItsEntryByDoubleClickOrReturn) {
    add(ControlKind::ListBox, 33, "", {15, 15, 200, 100}, style::kVisible | style::kNotify);
    for (const char* line : {"1  M10  6g  WITHIN", "2  3/8-16 UNC  2A"}) {
        windowing->listAppend(main, 33, line);
    }
    showMain();
    auto* list = widget<QListWidget>(33);
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    ASSERT_FALSE(handler.events.empty());
    EXPECT_EQ(handler.events.front(), (ControlEvent{main, 33, notify::kSelectionChanged}));
    EXPECT_EQ(handler.events.back(), (ControlEvent{main, 33, notify::kActivated}));
    EXPECT_EQ(windowing->listSelected(main, 33), 1);
    handler.events.clear();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(handler.events.size(), 1u);
    EXPECT_EQ(handler.events[0], (ControlEvent{main, 33, notify::kActivated}));
}

TEST_F(QtWindowingTest, ReportListShowsColumnsSelectsAndScrollsRowsIntoFullView) {
    add(ControlKind::ListView, 347, "", {180, 375, 172, 171},
        style::kVisible | style::kBorder | style::kReportView | style::kSingleSelect);
    windowing->viewAddColumn(main, 347, 0, "    DRILL", 75);
    windowing->viewAddColumn(main, 347, 1, "DIAMETER", 81);
    for (int row = 0; row < 747; ++row) {
        std::string name = "#";
        name += std::to_string(row);
        std::string diameter = "     .";
        diameter += std::to_string(1000 + row);
        windowing->viewAddRow(main, 347, row, name);
        windowing->viewSetCell(main, 347, row, 1, diameter);
    }
    windowing->viewSetTextBackground(main, 347, kGrey245);
    auto* view = widget<QTreeView>(347);
    const QAbstractItemModel* rows = view->model();
    EXPECT_EQ(rows->columnCount(), 2);
    EXPECT_EQ(rows->headerData(0, Qt::Horizontal).toString(), "    DRILL");
    EXPECT_EQ(rows->headerData(1, Qt::Horizontal).toString(), "DIAMETER");
    EXPECT_EQ(view->header()->count(), 2);
    EXPECT_EQ(view->columnWidth(0), 75);
    EXPECT_EQ(view->columnWidth(1), 81);
    EXPECT_EQ(rows->rowCount(), 747);
    EXPECT_EQ(rows->index(12, 0).data().toString(), "#12");
    EXPECT_EQ(rows->index(12, 1).data().toString(), "     .1012");
    EXPECT_EQ(view->palette().color(QPalette::Base), QColor(245, 245, 245));

    showMain();
    for (int row : {300, 20, 746, 0, 400}) {
        windowing->viewSelectRow(main, 347, row);
        windowing->viewEnsureVisible(main, 347, row);
        const QModelIndexList chosen = view->selectionModel()->selectedRows();
        ASSERT_EQ(chosen.size(), 1) << row;
        EXPECT_EQ(chosen.front().row(), row);
        EXPECT_TRUE(view->selectionModel()->isRowSelected(row)) << "the whole row is marked";
        const QRect shown = view->visualRect(chosen.front());
        EXPECT_TRUE(view->viewport()->rect().contains(shown)) << "row " << row << " shown whole";
    }
    EXPECT_TRUE(handler.events.empty());

    // Rows and cells that do not exist change nothing.
    windowing->viewSelectRow(main, 347, 747);
    windowing->viewEnsureVisible(main, 347, -1);
    windowing->viewSetCell(main, 347, 747, 1, "x");
    windowing->viewSetCell(main, 347, 3, 2, "x");
    EXPECT_EQ(view->selectionModel()->selectedRows().front().row(), 400);
    EXPECT_EQ(rows->rowCount(), 747);
    EXPECT_EQ(rows->columnCount(), 2);

    // A column put in front moves the captions, widths and cells after it one place right.
    windowing->viewAddColumn(main, 347, 0, "NO.", 30);
    EXPECT_EQ(rows->headerData(0, Qt::Horizontal).toString(), "NO.");
    EXPECT_EQ(rows->headerData(2, Qt::Horizontal).toString(), "DIAMETER");
    EXPECT_EQ(view->columnWidth(0), 30);
    EXPECT_EQ(view->columnWidth(1), 75);
    EXPECT_EQ(view->columnWidth(2), 81);
    EXPECT_EQ(rows->index(12, 0).data().toString(), "");
    EXPECT_EQ(rows->index(12, 2).data().toString(), "     .1012");

    windowing->viewClear(main, 347);
    EXPECT_EQ(rows->rowCount(), 0);
    EXPECT_EQ(rows->columnCount(), 0);
    windowing->viewAddColumn(main, 347, 0, "", 285);
    windowing->viewAddRow(main, 347, 0, "        UNC - UNIFIED COARSE PITCH SERIES");
    EXPECT_EQ(rows->index(0, 0).data().toString(), "        UNC - UNIFIED COARSE PITCH SERIES");
}

TEST_F(QtWindowingTest, BackgroundAndCaptionPressesMoveTheWindowButControlPressesDoNot) {
    struct Mover : RecordingHandler {
        QtWindowing* windowing = nullptr;
        void onBackgroundPress(WindowHandle window) override {
            RecordingHandler::onBackgroundPress(window);
            windowing->bringToTop(window);
            windowing->beginMove(window);
        }
    } mover;
    mover.windowing = windowing.get();
    windowing->setEventHandler(&mover);
    add(ControlKind::Label, 435, "TORVELD 2.1", {450, 504, 195, 25}, style::kVisible, 13);
    add(ControlKind::TextBox, 303, ".0730", {41, 75, 75, 25},
        style::kVisible | style::kReadOnly | style::kCentred);
    showMain();
    QWidget* frame = windowing->windowWidget(main);
    QWidget* client = windowing->controlWidget(main, 435)->parentWidget();

    QTest::mouseClick(windowing->controlWidget(main, 303), Qt::LeftButton);
    EXPECT_TRUE(mover.presses.empty());

    const QPoint start = frame->pos();
    QTest::mousePress(client, Qt::LeftButton, {}, QPoint(300, 20));
    ASSERT_EQ(mover.presses.size(), 1u);
    EXPECT_EQ(mover.presses[0], main);
    QTest::mouseMove(client, QPoint(340, 50));
    QTest::mouseRelease(client, Qt::LeftButton, {}, QPoint(340, 50));
    QApplication::processEvents();
    EXPECT_EQ(frame->pos(), start + QPoint(40, 30));

    // A press on a caption drags the window as the background does.
    QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(500, 510));
    EXPECT_EQ(mover.presses.size(), 2u);
    // The right button does not.
    QTest::mouseClick(client, Qt::RightButton, {}, QPoint(300, 20));
    EXPECT_EQ(mover.presses.size(), 2u);
    windowing->setEventHandler(&handler);
}

TEST_F(QtWindowingTest, TabVisitsRadioGroupsSizeListAndButtonsArrowsChooseWithinAGroup) {
    add(ControlKind::Button, 397, "HIDE", {665, 493, 62, 25}, style::kVisible);
    add(ControlKind::Button, 442, "PRINT", {665, 439, 62, 25}, style::kVisible);
    add(ControlKind::TextBox, 303, "", {41, 75, 75, 25}, style::kVisible | style::kReadOnly);
    add(ControlKind::DropDown, 302, "", {584, 326, 140, 222}, style::kVisible);
    add(ControlKind::Radio, 399, "INCHES", {459, 470, 70, 22},
        style::kVisible | style::kGroupStart);
    add(ControlKind::Radio, 400, "MILLIMETERS", {529, 470, 109, 22}, style::kVisible);
    add(ControlKind::Radio, 401, "UNC", {375, 363, 65, 20}, style::kVisible | style::kGroupStart);
    add(ControlKind::Radio, 402, "UNF", {375, 383, 65, 20}, style::kVisible);
    add(ControlKind::Radio, 403, "UNEF", {375, 403, 65, 20}, style::kVisible);
    add(ControlKind::Button, 433, "", {0, 0, 0, 0}, style::kVisible);
    windowing->setRadio(main, 399, true);
    windowing->setRadio(main, 402, true);
    showMain();
    windowing->windowWidget(main)->activateWindow();
    QApplication::processEvents();

    windowing->controlWidget(main, 402)->setFocus(Qt::TabFocusReason);
    std::vector<int> visited;
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        visited.push_back(focus == nullptr ? 0 : focus->objectName().mid(7).toInt());
    }
    // Left to right: the series group, the unit group, the size list, then the buttons from the
    // top; the read-only field and the button of size 0 are passed over.
    EXPECT_EQ(visited, (std::vector<int>{399, 302, 442, 397, 402}));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_TRUE(windowing->radioChecked(main, 403));
    EXPECT_FALSE(windowing->radioChecked(main, 402));
    EXPECT_EQ(QApplication::focusWidget(), windowing->controlWidget(main, 403));
    ASSERT_FALSE(handler.events.empty());
    EXPECT_EQ(handler.events.back(), (ControlEvent{main, 403, notify::kClicked}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // wraps round to the first
    EXPECT_TRUE(windowing->radioChecked(main, 401));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_TRUE(windowing->radioChecked(main, 403));
    EXPECT_TRUE(windowing->radioChecked(main, 399)) << "the other group is untouched";
}

TEST_F(QtWindowingTest, MessageBoxIsModalWithCaptionTextIconAndOneOkButton) {
    showMain();
    QString seenTitle;
    QString seenText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        buttons = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    windowing->messageBox(main, "Info", "Error Creating  0", MessageIcon::Warning);
    EXPECT_EQ(seenTitle, "Info");
    EXPECT_EQ(seenText, "Error Creating  0");
    EXPECT_EQ(seenIcon, QMessageBox::Warning);
    EXPECT_EQ(buttons, 1);
}

TEST_F(QtWindowingTest, EventLoopRunsUntilEndedOrTheMainWindowCloses) {
    struct Closer : RecordingHandler {
        QtWindowing* windowing = nullptr;
        WindowHandle info = 0;
        void onControlEvent(WindowHandle window, int id, int code) override {
            RecordingHandler::onControlEvent(window, id, code);
            if (id == 398) windowing->closeWindow(info), windowing->endEventLoop();
        }
    } closer;
    closer.windowing = windowing.get();
    closer.info =
        windowing->createWindow({"Thread Info", {243, 60, 314, 480}, {209, 209, 140}, true});
    add(ControlKind::Button, 398, "CLOSE", {665, 520, 62, 25}, style::kVisible);
    showMain();
    windowing->showWindow(closer.info, ShowState::Normal);
    QTimer::singleShot(
        0, [&] { QTest::mouseClick(windowing->controlWidget(main, 398), Qt::LeftButton); });
    windowing->runEventLoop(closer);
    EXPECT_EQ(closer.events.size(), 1u);
    EXPECT_FALSE(windowing->isWindowOpen(closer.info));
    EXPECT_TRUE(windowing->isWindowOpen(main));

    // Closing the main window ends the loop as well.
    QTimer::singleShot(0, [&] { windowing->closeWindow(main); });
    windowing->runEventLoop(closer);
    EXPECT_FALSE(windowing->isWindowOpen(main));

    // An end asked for before the loop runs makes the next loop return at once.
    windowing->endEventLoop();
    windowing->runEventLoop(closer);
    SUCCEED();
}

TEST_F(QtWindowingTest, UnknownWindowsAndControlsAreIgnoredAndReadEmpty) {
    add(ControlKind::Label, 395, "TAP DRILL GUIDE", {180, 359, 173, 18}, style::kVisible);
    const WindowHandle nowhere = 999;
    windowing->setControlText(nowhere, 395, "x");
    windowing->setControlText(main, 1, "x");
    windowing->showWindow(nowhere, ShowState::Normal);
    windowing->listAppend(main, 395, "not a list");
    windowing->viewAddRow(main, 395, 0, "not a view");
    windowing->setRadio(main, 395, true);
    windowing->createControl(main, {ControlKind::Button, "twice", {0, 0, 5, 5}, 0, 395});
    EXPECT_EQ(windowing->controlText(main, 395), "TAP DRILL GUIDE");
    EXPECT_EQ(windowing->controlText(nowhere, 395), "");
    EXPECT_EQ(windowing->listCount(main, 395), 0);
    EXPECT_EQ(windowing->listSelected(main, 395), -1);
    EXPECT_EQ(windowing->listItem(main, 395, 0), "");
    EXPECT_FALSE(windowing->radioChecked(main, 395));
    EXPECT_FALSE(windowing->isWindowOpen(nowhere));
    EXPECT_EQ(windowing->windowRect(nowhere), (Rect{}));
    EXPECT_EQ(windowing->controlWidget(main, 1), nullptr);
    windowing->closeWindow(nowhere);
    windowing->beginMove(main);  // no press being handled: nothing happens
    EXPECT_TRUE(windowing->isWindowOpen(main));
}

TEST_F(QtWindowingTest, BoundKeysActInTheirOwnActiveWindowAsClicks) {
    add(ControlKind::Button, 442, "PRINT", {665, 439, 62, 25}, style::kVisible);
    add(ControlKind::Button, 397, "HIDE", {665, 493, 62, 25}, style::kVisible);
    add(ControlKind::Radio, 401, "UNC", {375, 363, 65, 20}, style::kVisible | style::kGroupStart);
    add(ControlKind::Radio, 402, "UNF", {375, 383, 65, 20}, style::kVisible);
    windowing->setRadio(main, 401, true);
    const WindowHandle other = windowing->createWindow({"Other", {0, 0, 100, 80}, kGrey180, true});
    windowing->bindKey(main, {'P', true}, 442);
    windowing->bindKey(main, {keys::kF1, false}, 402);
    windowing->bindKey(main, {keys::kF1 + 1, false}, 7);  // no control: the bare event
    windowing->bindKey(other, {keys::kEscape, false}, 2);
    windowing->bindKey(main, {INT_MAX, false}, 442);  // no such key: nothing bound
    showMain();
    QWidget* frame = windowing->windowWidget(main);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame, key,
                        modifiers);
        QApplication::processEvents();
    };
    press(Qt::Key_P, Qt::ControlModifier);
    press(Qt::Key_P);
    press(Qt::Key_Escape);  // bound in the other window only
    press(Qt::Key_F1);
    press(Qt::Key_F2);
    EXPECT_EQ(handler.events, (std::vector<ControlEvent>{{main, 442, notify::kClicked},
                                                         {main, 402, notify::kClicked},
                                                         {main, 7, notify::kClicked}}));
    EXPECT_TRUE(windowing->radioChecked(main, 402)) << "a bound radio is chosen";
    EXPECT_FALSE(windowing->radioChecked(main, 401));

    // Bound again, the key clicks only its new control; bound to 0, nothing.
    handler.events.clear();
    windowing->bindKey(main, {'P', true}, 397);
    press(Qt::Key_P, Qt::ControlModifier);
    windowing->bindKey(main, {'P', true}, 0);
    press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(handler.events, (std::vector<ControlEvent>{{main, 397, notify::kClicked}}));

    // The slash is a key of its own, but a character of a search under way in a drop-down list
    // ("1/2") belongs to the search.
    handler.events.clear();
    windowing->bindKey(main, {keys::kSlash, false}, 8);
    press(Qt::Key_Slash);
    EXPECT_EQ(handler.events, (std::vector<ControlEvent>{{main, 8, notify::kClicked}}));
    add(ControlKind::DropDown, 302, "Thread Size", {584, 326, 140, 222}, style::kVisible);
    for (const char* entry : {"  1/4 - 20", "  1/2 - 13", "  1 - 8"}) {
        windowing->listAppend(main, 302, entry);
    }
    windowing->listSelect(main, 302, 0);
    auto* sizes = widget<QComboBox>(302);
    sizes->setFocus();
    handler.events.clear();
    QTest::keyClicks(sizes, "1/2");
    QApplication::processEvents();
    EXPECT_EQ(windowing->listSelected(main, 302), 1);
    for (const ControlEvent& e : handler.events) EXPECT_EQ(e.id, 302) << "the slash searched";
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    handler.events.clear();
    QTest::keyClick(sizes, Qt::Key_Slash);
    QApplication::processEvents();
    EXPECT_EQ(handler.events, (std::vector<ControlEvent>{{main, 8, notify::kClicked}}))
        << "a slash that begins no search is the window's key";

    // Return and Enter press the focused button; with Ctrl they do not.
    handler.events.clear();
    widget<QPushButton>(442)->setFocus();
    press(Qt::Key_Return);
    press(Qt::Key_Return, Qt::ControlModifier);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(handler.events, (std::vector<ControlEvent>{{main, 442, notify::kClicked},
                                                         {main, 442, notify::kClicked}}));
}

TEST_F(QtWindowingTest, ScreenSizeIsThePrimaryScreensInDeviceIndependentPixels) {
    const Size size = windowing->screenSize();
    const QSize expected = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(size.width, expected.width());
    EXPECT_EQ(size.height, expected.height());
    EXPECT_GT(size.width, 0);
}

}  // namespace
}  // namespace torveld::platform::qt
