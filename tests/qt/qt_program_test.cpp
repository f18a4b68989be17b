// The program on the Qt platform: the main window's logic driven by real (synthesised) clicks
// and keys on the Qt widgets.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <cmath>
#include <functional>

#include "control_ids.h"
#include "control_table.h"
#include "headless_windowing.h"
#include "main_window.h"
#include "qt_field.h"
#include "qt_print_preview.h"
#include "qt_test_support.h"
#include "qt_windowing.h"
#include "recording_print_preview.h"

namespace torveld {
namespace {

using platform::qt::QtPrintPreview;
using platform::qt::QtWindowing;

class QtProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::qt::test::ensureApplication();
        windowing = std::make_unique<QtWindowing>();
        printing = std::make_unique<QtPrintPreview>();
        printing->setPageSink(
            [this](const platform::qt::PrintedPage& page) { pages.push_back(page); });
        mainWindow = std::make_unique<MainWindow>(*windowing, *printing);
        mainWindow->startUp();
        windowing->setEventHandler(mainWindow.get());
        QApplication::processEvents();
    }
    void TearDown() override {
        mainWindow->shutDown();
        mainWindow.reset();
        windowing.reset();
    }
    QWidget* control(int id) { return windowing->controlWidget(mainWindow->window(), id); }
    QRect rectOf(int id) { return control(id)->geometry(); }
    void click(int id) {
        QWidget* widget = control(id);
        ASSERT_NE(widget, nullptr) << id;
        ASSERT_TRUE(widget->isVisible()) << id;
        // Radios are clicked on their circle, buttons in their middle.
        const QPoint at = qobject_cast<QRadioButton*>(widget) != nullptr
                              ? QPoint(8, widget->height() / 2)
                              : widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
    std::string text(int id) { return windowing->controlText(mainWindow->window(), id); }

    std::unique_ptr<QtWindowing> windowing;
    std::unique_ptr<QtPrintPreview> printing;
    std::unique_ptr<MainWindow> mainWindow;
    std::vector<platform::qt::PrintedPage> pages;
};

TEST_F(QtProgramTest, StartUpShowsTheFramelessMainWindowCentredWithItsControls) {
    QWidget* frame = windowing->windowWidget(mainWindow->window());
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->windowFlags().testFlag(Qt::FramelessWindowHint));
    const platform::Size screen = windowing->screenSize();
    const platform::Rect rect = windowing->windowRect(mainWindow->window());
    EXPECT_EQ(rect.left, static_cast<int>(std::nearbyint((screen.width - 800) * 0.5)));
    EXPECT_EQ(rect.top, static_cast<int>(std::nearbyint((screen.height - 550) * 0.5)));
    EXPECT_EQ(rect.width, 800);
    EXPECT_EQ(rect.height, 550);

    EXPECT_EQ(text(435), "TORVELD 2.1");
    EXPECT_EQ(rectOf(435), QRect(450, 504, 195, 25));
    EXPECT_EQ(control(435)->font().pixelSize(), 17);
    EXPECT_EQ(control(353)->font().pixelSize(), 12);
    EXPECT_EQ(control(363)->font().pixelSize(), 11);
    EXPECT_TRUE(QFontInfo(control(353)->font()).bold());
    EXPECT_EQ(control(435)->palette().color(QPalette::Window), QColor(195, 195, 195));
    for (int id : {302, 303, 343, 347, 387, 393, 400, 401, 423, 442, 434, 397, 398}) {
        EXPECT_TRUE(control(id)->isVisible()) << id;
    }
    EXPECT_TRUE(rectOf(433).isEmpty()) << "the pipe exit button has no size yet";
    EXPECT_TRUE(windowing->radioChecked(mainWindow->window(), 401));
    EXPECT_TRUE(windowing->radioChecked(mainWindow->window(), 399));
    auto* drills = qobject_cast<QTreeView*>(control(347));
    ASSERT_NE(drills, nullptr);
    EXPECT_EQ(drills->model()->rowCount(), 747);
    const QModelIndexList chosen = drills->selectionModel()->selectedRows();
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_TRUE(drills->viewport()->rect().contains(drills->visualRect(chosen.front())));
}

TEST_F(QtProgramTest, ClickOnNptArrangesThePipeLayoutAndTheExitButtonRestoresTheScrewLayout) {
    EXPECT_EQ(rectOf(358), QRect(60, 139, 70, 18));
    click(410);
    EXPECT_EQ(mainWindow->selection().series, series::NPT);
    for (int id = 401; id <= 423; ++id) EXPECT_FALSE(control(id)->isVisible()) << id;
    EXPECT_EQ(rectOf(433), QRect(468, 390, 160, 60));
    EXPECT_TRUE(control(433)->isVisible());
    EXPECT_EQ(text(433), "Exit NPT");
    EXPECT_EQ(rectOf(353), QRect(75, 45, 125, 18));
    EXPECT_EQ(text(353), "PIPE DIAMETER");
    EXPECT_EQ(rectOf(376), QRect(58, 235, 167, 18));
    EXPECT_EQ(text(376), "MINOR DIAMETER");
    EXPECT_EQ(rectOf(347), QRect(270, 340, 172, 203));
    EXPECT_EQ(rectOf(348), QRect(5, 340, 260, 203));
    EXPECT_EQ(text(396), "   L1 - L4 LENGTHS");
    EXPECT_TRUE(rectOf(303).isEmpty());
    EXPECT_TRUE(rectOf(393).isEmpty());
    EXPECT_EQ(rectOf(345), QRect(234, 151, 65, 25));
    for (int id : {302, 399, 400, 442, 434, 397, 398, 349, 435}) {
        EXPECT_TRUE(control(id)->isVisible()) << id << " stays usable";
    }
    EXPECT_EQ(windowing->listSelected(mainWindow->window(), 302), 0);
    EXPECT_NE(text(349).find("NPT"), std::string::npos) << text(349);

    click(433);
    EXPECT_EQ(mainWindow->selection().series, series::UNC);
    EXPECT_TRUE(rectOf(433).isEmpty());
    EXPECT_EQ(rectOf(358), QRect(80, 139, 70, 18));
    EXPECT_EQ(rectOf(361), QRect(315, 139, 78, 18));
    EXPECT_EQ(text(396), "ENGAGEMENT");
    EXPECT_TRUE(windowing->radioChecked(mainWindow->window(), 401));
    EXPECT_FALSE(windowing->radioChecked(mainWindow->window(), 410));
    for (int id = 401; id <= 423; ++id) EXPECT_TRUE(control(id)->isVisible()) << id;
}

TEST_F(QtProgramTest, ArrowKeysInTheSizeListChooseTheNextSize) {
    const std::string before = text(349);
    auto* sizes = qobject_cast<QComboBox*>(control(302));
    ASSERT_NE(sizes, nullptr);
    sizes->setFocus();
    QTest::keyClick(sizes, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(mainWindow->selection().sizeIndex, 1);
    EXPECT_NE(text(349), before);
    EXPECT_NE(text(349).find(windowing->listItem(mainWindow->window(), 302, 1).substr(2)),
              std::string::npos);
    QTest::keyClick(sizes, Qt::Key_Up);
    EXPECT_EQ(mainWindow->selection().sizeIndex, 0);
    EXPECT_EQ(text(349), before);
}

TEST_F(QtProgramTest, MillimetersRewritesTheDrillChartAndHideMinimises) {
    auto* drills = qobject_cast<QTreeView*>(control(347));
    ASSERT_NE(drills, nullptr);
    const QModelIndex cell = drills->model()->index(100, 1);
    const QString inch = cell.data().toString();
    click(400);
    EXPECT_TRUE(mainWindow->unitMode().isMetric());
    EXPECT_NE(cell.data().toString(), inch);
    click(399);
    EXPECT_FALSE(mainWindow->unitMode().isMetric());

    click(397);
    EXPECT_TRUE(windowing->windowWidget(mainWindow->window())->isMinimized());
    windowing->showWindow(mainWindow->window(), platform::ShowState::Normal);
}

TEST_F(QtProgramTest, TabGoesThroughSeriesUnitsSizeListAndButtons) {
    windowing->windowWidget(mainWindow->window())->activateWindow();
    control(401)->setFocus(Qt::TabFocusReason);
    std::vector<int> visited;
    for (int step = 0; step < 8; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName().mid(7).toInt());
    }
    // MEASURE, right of the column of PRINT, INFO, HIDE and CLOSE, comes after it.
    EXPECT_EQ(visited, (std::vector<int>{399, 302, 442, 434, 397, 398, 443, 401}));
    // Down in the series group chooses the next series, as a click would.
    control(401)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control(401), Qt::Key_Down);
    EXPECT_EQ(mainWindow->selection().series, series::UNF);
    EXPECT_TRUE(windowing->radioChecked(mainWindow->window(), 402));
    EXPECT_FALSE(windowing->radioChecked(mainWindow->window(), 401));
}

// Typing in the size list: the entries begin with two blanks, which the search passes over.
TEST_F(QtProgramTest, TypingInTheSizeListChoosesTheFirstSizeThatStartsSo) {
    auto* sizes = qobject_cast<QComboBox*>(control(302));
    ASSERT_NE(sizes, nullptr);
    const auto typeIn = [&](QWidget* target, const char* typed) {
        // A pause longer than the keyboard interval starts a new search.
        QTest::qWait(QApplication::keyboardInputInterval() + 100);
        target->setFocus();
        QTest::keyClicks(target, QString::fromLatin1(typed));
        QApplication::processEvents();
    };
    const auto entry = [&] {
        return windowing->listItem(mainWindow->window(), 302, mainWindow->selection().sizeIndex);
    };
    click(402);  // UNF
    typeIn(sizes, "1/2");
    EXPECT_EQ(entry(), "  1/2 - 20");
    EXPECT_EQ(sizes->currentText(), "  1/2 - 20") << "the entry texts stay as they are";
    EXPECT_NE(text(349).find("1/2 - 20"), std::string::npos) << "and the size is shown";
    typeIn(sizes, "1 1/8");  // a blank goes on with the search under way
    EXPECT_EQ(entry(), "  1 1/8 - 12");

    click(401);  // UNC
    typeIn(sizes, "5");
    EXPECT_EQ(entry(), "  5 - 40");
    QTest::keyClicks(sizes, QStringLiteral("5"));  // the same key again steps on
    EXPECT_EQ(entry(), "  5/16 - 18");
    typeIn(sizes, "x");  // nothing starts so: the size stays
    EXPECT_EQ(entry(), "  5/16 - 18");

    click(414);  // ISO COARSE
    typeIn(sizes, "m10");
    EXPECT_EQ(entry().substr(0, 7), "  M10 -");

    // In the dropped-down list typing marks the entry, and Return chooses it.
    click(402);
    sizes->showPopup();
    QApplication::processEvents();
    QAbstractItemView* entries = sizes->view();
    ASSERT_TRUE(entries->isVisible());
    typeIn(entries, "1/2");
    EXPECT_EQ(mainWindow->selection().sizeIndex, 0) << "only marked";
    EXPECT_EQ(entries->currentIndex().data().toString(), "  1/2 - 20");
    QTest::keyClick(entries, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(entry(), "  1/2 - 20");
}

TEST_F(QtProgramTest, KeysPrintOpenAndCloseTheInformationWindowAndEndTheProgram) {
    QWidget* frame = windowing->windowWidget(mainWindow->window());
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    control(302)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(pages.size(), 1u) << "Ctrl+P prints";

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    ASSERT_TRUE(mainWindow->infoWindow().isOpen()) << "F1 opens the information window";
    QWidget* info = windowing->windowWidget(mainWindow->infoWindow().handle());
    ASSERT_TRUE(QTest::qWaitForWindowActive(info));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : info,
                    Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(mainWindow->infoWindow().isOpen()) << "Escape closes it";

    // Return presses the button that has the focus; Tab still moves the focus.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    control(442)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control(442), Qt::Key_Return);
    EXPECT_EQ(pages.size(), 2u);
    QTest::keyClick(control(442), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control(434));
    QTest::keyClick(control(434), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(mainWindow->infoWindow().isOpen());
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));

    QTimer::singleShot(0, [this] {
        QTest::keyClick(windowing->windowWidget(mainWindow->window()), Qt::Key_Q,
                        Qt::ControlModifier);
    });
    windowing->runEventLoop(*mainWindow);
    EXPECT_TRUE(mainWindow->ended()) << "Ctrl+Q ends the program as CLOSE does";
}

// The find box on Qt: Ctrl+F and "/" open it, focused on its line; typing and Return find, an
// error shows in the box, the drop-down offers what was found, Escape closes it.
TEST_F(QtProgramTest, FindBoxFindsTypedDesignationsAndSpecialSizes) {
    QWidget* frame = windowing->windowWidget(mainWindow->window());
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_F, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_TRUE(mainWindow->findBox().isOpen()) << "Ctrl+F opens the find box";
    const platform::WindowHandle box = mainWindow->findBox().handle();
    QWidget* boxFrame = windowing->windowWidget(box);
    ASSERT_TRUE(QTest::qWaitForWindowActive(boxFrame));
    EXPECT_TRUE(boxFrame->windowFlags().testFlag(Qt::FramelessWindowHint));
    auto* line = qobject_cast<QComboBox*>(windowing->controlWidget(box, FindBox::kEntryId));
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isEditable());
    EXPECT_TRUE(QApplication::focusWidget() == line ||
                QApplication::focusWidget() == line->lineEdit())
        << "the line takes the typing";
    EXPECT_TRUE(QFontInfo(line->font()).bold());
    EXPECT_EQ(windowing->controlWidget(box, FindBox::kMessageId)->palette().color(QPalette::Window),
              QColor(180, 180, 180));

    QTest::keyClicks(QApplication::focusWidget(), "11/16-24 UNS");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(mainWindow->selection().series, series::UNS);
    auto* sizes = qobject_cast<QComboBox*>(control(302));
    EXPECT_EQ(sizes->currentText(), "  11/16 - 24  special");
    EXPECT_EQ(sizes->currentIndex(), sizes->count() - 1);
    // The mark shows whole in the closed list.
    QStyleOptionComboBox option;
    option.initFrom(sizes);
    const QRect room = sizes->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, sizes);
    EXPECT_LE(sizes->fontMetrics().horizontalAdvance(sizes->currentText()), room.width());
    EXPECT_EQ(text(350), "INTERNAL DATA          11/16 - 24  UNS  SPECIAL");
    EXPECT_EQ(line->currentText(), "");
    EXPECT_EQ(line->count(), 1);
    EXPECT_EQ(line->itemText(0), "11/16-24 UNS");

    QTest::keyClicks(QApplication::focusWidget(), "1/4-21 UNC");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(mainWindow->selection().series, series::UNS) << "an error changes nothing";
    EXPECT_EQ(line->currentText(), "1/4-21 UNC");
    const auto* message = qobject_cast<QLabel*>(windowing->controlWidget(box, FindBox::kMessageId));
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->text().contains("special size in UNS")) << message->text().toStdString();
    // The whole message shows: its lines fit the label.
    EXPECT_LE(message->sizeHint().width(), message->width());
    EXPECT_LE(message->sizeHint().height(), message->height());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(mainWindow->findBox().isOpen()) << "Escape closes it";

    // "/" opens it again, with what was found on offer.
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_Slash);
    QApplication::processEvents();
    ASSERT_TRUE(mainWindow->findBox().isOpen());
    line = qobject_cast<QComboBox*>(
        windowing->controlWidget(mainWindow->findBox().handle(), FindBox::kEntryId));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->count(), 1);
    EXPECT_EQ(line->currentText(), "");
}

// After a find the box stands where the find box's place puts it, the same as on the headless
// platform, and leaves the grids' values and the middle row to be read. Escape in its dropped
// history list closes the list; a second Escape closes the box.
TEST_F(QtProgramTest, FindBoxLeavesTheValuesToBeReadAndEscapeClosesItsListFirst) {
    QWidget* frame = windowing->windowWidget(mainWindow->window());
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(mainWindow->findBox().isOpen());
    const platform::WindowHandle box = mainWindow->findBox().handle();
    QWidget* boxFrame = windowing->windowWidget(box);
    ASSERT_TRUE(QTest::qWaitForWindowActive(boxFrame));
    for (const char* typed : {"M10", "1/4-20 UNC"}) {
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QApplication::processEvents();
    ASSERT_EQ(mainWindow->findBox().message(), "Shown: 1/4-20 UNC");
    const platform::Rect main = windowing->windowRect(mainWindow->window());
    EXPECT_EQ(windowing->windowRect(box), FindBox::place(main, windowing->screenSize()));
    const QRect shown = boxFrame->frameGeometry();
    EXPECT_EQ(shown.size(), QSize(FindBox::kWidth, FindBox::kHeight));
    int fields = 0;
    for (const ControlDef& def : mainControls()) {
        // The fields of the grids, the middle row and the headers: the window's top 340 rows.
        if (def.kind != platform::ControlKind::TextBox || def.rect.width == 0 ||
            def.rect.top + def.rect.height > 340) {
            continue;
        }
        ++fields;
        const QRect field(control(def.id)->mapToGlobal(QPoint(0, 0)), control(def.id)->size());
        EXPECT_FALSE(shown.intersects(field)) << "the box covers field " << def.id;
    }
    EXPECT_GT(fields, 40);

    auto* line = qobject_cast<QComboBox*>(windowing->controlWidget(box, FindBox::kEntryId));
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->count(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
    QApplication::processEvents();
    QAbstractItemView* entries = line->view();
    ASSERT_TRUE(entries->isVisible()) << "Alt+Down drops the list";
    QTest::keyClick(entries, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(entries->isVisible()) << "the list is closed";
    ASSERT_TRUE(mainWindow->findBox().isOpen()) << "and the box stays";
    EXPECT_EQ(line->currentText(), "");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(mainWindow->findBox().isOpen()) << "Escape on the closed list closes the box";
}

// Ctrl+M opens the MEASURE window where its place puts it; Return in an entry judges the
// reading typed (1/4-20 UNC 2A over 0.028868 in wires reading 0.2603: 0.0006 over its
// maximum, wire_verdicts.csv), Return in the diameter names the thread, a double-click on a
// candidate shows it in the main window, and Escape closes the window.
TEST_F(QtProgramTest, MeasureWindowByKeysAndClicks) {
    mainWindow->find("1/4-20 UNC");
    QWidget* frame = windowing->windowWidget(mainWindow->window());
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_M, Qt::ControlModifier);
    QApplication::processEvents();
    const MeasureWindow& measure = mainWindow->measureWindow();
    ASSERT_TRUE(measure.isOpen());
    const platform::WindowHandle w = measure.handle();
    QWidget* measureFrame = windowing->windowWidget(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(measureFrame));
    EXPECT_EQ(
        windowing->windowRect(w),
        MeasureWindow::place(windowing->windowRect(mainWindow->window()), windowing->screenSize()));
    EXPECT_EQ(measureFrame->frameGeometry().size(),
              QSize(MeasureWindow::kWidth, MeasureWindow::kHeight));
    const auto enter = [&](int id, const char* typed) {
        auto* line = qobject_cast<QComboBox*>(windowing->controlWidget(w, id));
        ASSERT_NE(line, nullptr) << id;
        line->setFocus();
        line->lineEdit()->clear();
        QTest::keyClicks(line->lineEdit(), typed);
        QTest::keyClick(line->lineEdit(), Qt::Key_Return);
        QApplication::processEvents();
    };
    enter(MeasureWindow::kWireEntryId, "0.028868");
    enter(MeasureWindow::kReadingEntryId, "0.2603");
    ASSERT_FALSE(measure.view().wireRows.empty());
    EXPECT_EQ(measure.view().wireRows[0][3], "ABOVE MAX");
    EXPECT_EQ(windowing->controlText(w, MeasureWindow::kReadingEntryId), "0.2603 in");
    enter(MeasureWindow::kAngleEntryId, "60");
    enter(MeasureWindow::kPitchEntryId, "1.5 mm");
    enter(MeasureWindow::kDiameterEntryId, "9.95 mm");
    auto* list =
        qobject_cast<QListWidget*>(windowing->controlWidget(w, MeasureWindow::kCandidatesId));
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->count(), 0);
    EXPECT_EQ(list->item(0)->text(), "1  M10  6g  WITHIN");
    const QPoint first = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
    QApplication::processEvents();
    EXPECT_EQ(mainWindow->report().identity.sizeDesignation, "M10");
    EXPECT_EQ(windowing->controlText(w, MeasureWindow::kHeaderId), "M10      INCHES");
    measureFrame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(measureFrame));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(measure.isOpen());
}

TEST_F(QtProgramTest, TipsOfCaptionsButtonsAndDrillRows) {
    const platform::WindowHandle main = mainWindow->window();
    QWidget* client = control(368)->parentWidget();
    // The tip shown for a resting pointer; a tip that is not shown leaves the event ignored.
    const auto tipAt = [&](QWidget* target, QPoint at) {
        QHelpEvent help(QEvent::ToolTip, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &help);
        if (!help.isAccepted() || !QToolTip::isVisible()) return std::string();
        // Shown in lines of at most 64 characters.
        QString shown = QToolTip::text();
        for (const QString& line : shown.split(QLatin1Char('\n'))) {
            EXPECT_LE(line.size(), 64) << line.toStdString();
        }
        return shown.replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString();
    };
    // A caption lets the mouse through: the window asks for its tip.
    const QPoint ref = rectOf(368).center();
    ASSERT_EQ(client->childAt(ref), nullptr);
    EXPECT_EQ(tipAt(client, ref), mainWindow->tipText(main, 368, -1));
    EXPECT_EQ(tipAt(client, ref).substr(0, 4), "REF:");
    // A button has no tip of its own: the window gives it.
    EXPECT_NE(tipAt(control(442), control(442)->rect().center()).find("(Ctrl+P)"),
              std::string::npos);
    // Plain background and a value field: none.
    EXPECT_EQ(tipAt(client, QPoint(5, 540)), "");
    EXPECT_EQ(tipAt(control(303), control(303)->rect().center()), "");

    // A drill-chart row: what that drill gives on the size shown.
    auto* drills = qobject_cast<QTreeView*>(control(347));
    ASSERT_NE(drills, nullptr);
    const QModelIndex guide = drills->selectionModel()->selectedRows().front();
    const QPoint onRow = drills->visualRect(guide).center();
    const std::string rowTip = tipAt(drills->viewport(), onRow);
    EXPECT_EQ(rowTip, mainWindow->tipText(main, 347, guide.row()));
    EXPECT_NE(rowTip.find("% of thread on 1 - 64 UNC"), std::string::npos) << rowTip;
}

std::string clipboardText() {
    return QGuiApplication::clipboard()->text().toStdString();
}

TEST_F(QtProgramTest, CtrlCCopiesTheWholeDisplayUnlessAFieldHasASelection) {
    QWidget* frame = windowing->windowWidget(mainWindow->window());
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    const auto ctrlC = [&] {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : frame,
                        Qt::Key_C, Qt::ControlModifier);
        QApplication::processEvents();
    };
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    control(442)->setFocus(Qt::TabFocusReason);
    ctrlC();
    EXPECT_EQ(clipboardText(), mainWindow->displayTable()) << "a button has the focus";
    EXPECT_EQ(clipboardText().substr(0, 16), "1-64 UNC\tinches\n");

    // A value field with a selection copies the selection.
    auto* field = qobject_cast<platform::qt::ReadOnlyField*>(control(303));
    ASSERT_NE(field, nullptr);
    QTest::mouseDClick(field, Qt::LeftButton, {}, field->rect().center());
    ASSERT_TRUE(field->hasFocus());
    ASSERT_TRUE(field->hasSelectedText());
    ctrlC();
    EXPECT_EQ(clipboardText(), text(303));
    field->setSelection(1, 2);
    ctrlC();
    EXPECT_EQ(clipboardText(), text(303).substr(1, 2));
    // Focused without a selection, the field lets the key through to the window.
    QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
    ASSERT_TRUE(field->hasFocus());
    ASSERT_FALSE(field->hasSelectedText());
    ctrlC();
    EXPECT_EQ(clipboardText(), mainWindow->displayTable());

    // The size list and the drill chart with the focus; millimetres.
    click(400);
    control(347)->setFocus(Qt::MouseFocusReason);
    ctrlC();
    EXPECT_EQ(clipboardText().substr(0, 21), "1-64 UNC\tmillimetres\n");
    EXPECT_EQ(clipboardText(), mainWindow->displayTable());
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    control(302)->setFocus(Qt::TabFocusReason);
    ctrlC();
    EXPECT_EQ(clipboardText(), mainWindow->displayTable());
}

// Opens the context menu of a widget as a right click does, and gives `use` the texts of its
// entries (a separator reads "") while it is open; `use` may trigger one.
void withContextMenu(QWidget* widget, const std::function<void(QMenu&, QStringList)>& use) {
    bool opened = false;
    QTimer::singleShot(0, widget, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        opened = true;
        QStringList texts;
        for (const QAction* action : menu->actions()) texts.append(action->text());
        use(*menu, texts);
        menu->close();
    });
    // Should the menu not open, nothing is left waiting for it.
    QTimer::singleShot(5000, widget, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    const QPoint at = widget->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
    EXPECT_TRUE(opened);
}

QAction* entry(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) return action;
    }
    ADD_FAILURE() << "no entry " << text.toStdString();
    return nullptr;
}

TEST_F(QtProgramTest, FieldMenusCopyTheFieldOrItsNumberInTheOtherUnit) {
    // 1-64 UNC 2A major maximum .0724 in (ASME B1.1) = 1.83896 mm.
    ASSERT_EQ(text(303), ".0724");
    withContextMenu(control(303), [](QMenu& menu, const QStringList& texts) {
        EXPECT_EQ(texts, (QStringList{"&Copy", "Copy in millimetres", "", "Select All"}));
        entry(menu, "Copy in millimetres")->trigger();
    });
    EXPECT_EQ(clipboardText(), "1.839");
    EXPECT_EQ(text(303), ".0724") << "the window keeps its unit";
    withContextMenu(control(303),
                    [](QMenu& menu, const QStringList&) { entry(menu, "&Copy")->trigger(); });
    EXPECT_EQ(clipboardText(), ".0724") << "nothing selected: the whole field";

    // A field without a number: Copy and Select All only.
    ASSERT_EQ(text(314), "--");
    withContextMenu(control(314), [](QMenu&, const QStringList& texts) {
        EXPECT_EQ(texts, (QStringList{"&Copy", "", "Select All"}));
    });

    click(400);
    ASSERT_EQ(text(303), "1.839");
    withContextMenu(control(303), [](QMenu& menu, const QStringList& texts) {
        EXPECT_EQ(texts, (QStringList{"&Copy", "Copy in inches", "", "Select All"}));
        entry(menu, "Copy in inches")->trigger();
    });
    EXPECT_EQ(clipboardText(), ".0724");
}

// The shortcut a field's menu shows beside "Copy" is one that does what Copy does there: Ctrl+C
// with a selection (both copy it); none without one, where Copy copies the field and Ctrl+C
// the whole display (CtrlCCopiesTheWholeDisplayUnlessAFieldHasASelection).
TEST_F(QtProgramTest, FieldMenuShowsCtrlCBesideCopyOnlyWhereCtrlCCopiesAsCopyDoes) {
    auto* field = qobject_cast<platform::qt::ReadOnlyField*>(control(303));
    ASSERT_NE(field, nullptr);
    ASSERT_EQ(text(303), ".0724");
    for (const auto& [from, length, copied] : {std::tuple{0, 0, ".0724"}, {1, 3, "072"}}) {
        SCOPED_TRACE(length);
        field->setFocus(Qt::MouseFocusReason);
        field->setSelection(from, length);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        withContextMenu(field, [&](QMenu& menu, const QStringList&) {
            QAction* copy = entry(menu, "&Copy");
            EXPECT_EQ(copy->shortcut(),
                      length == 0 ? QKeySequence() : QKeySequence(QKeySequence::Copy));
            copy->trigger();
        });
        EXPECT_EQ(clipboardText(), copied);
    }
}

// The window's pixels, from the frame's top-left corner.
QImage shot(QWidget* frame, const QRect& area) {
    return frame->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(QtProgramTest, RadiosFillTheirRectangleWithTheWindowGrey) {
    QWidget* frame = windowing->windowWidget(mainWindow->window());
    int radios = 0;
    for (const ControlDef& def : mainControls()) {
        if (def.kind != platform::ControlKind::Radio) continue;
        ++radios;
        QWidget* radio = control(def.id);
        const QRect area(radio->mapTo(frame, QPoint(0, 0)), radio->size());
        const QImage pixels = shot(frame, area);
        // The top row and the right end lie clear of the circle and the caption.
        for (int x = 0; x < pixels.width(); ++x) {
            ASSERT_EQ(QColor(pixels.pixel(x, 0)).name(), "#b4b4b4") << def.id << " x " << x;
        }
        for (int y = 0; y < pixels.height(); ++y) {
            ASSERT_EQ(QColor(pixels.pixel(pixels.width() - 1, y)).name(), "#b4b4b4")
                << def.id << " y " << y;
        }
    }
    EXPECT_EQ(radios, 28);
}

// Every control as it looks alone on the window is what the whole window shows of it: no
// caption's background, no neighbour covers a field's frame or another caption's letters.
void expectEveryControlWhole(QtWindowing& windowing, platform::WindowHandle window,
                             const char* layout) {
    QWidget* frame = windowing.windowWidget(window);
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    std::vector<std::pair<int, QWidget*>> shown;
    for (const ControlDef& def : mainControls()) {
        QWidget* widget = windowing.controlWidget(window, def.id);
        if (widget->isVisible() && !widget->geometry().isEmpty()) {
            shown.emplace_back(def.id, widget);
        }
    }
    const QImage whole = shot(frame, frame->rect());
    for (const auto& [id, widget] : shown) widget->hide();
    const QImage empty = shot(frame, frame->rect());

    int checked = 0;
    for (const auto& [id, widget] : shown) {
        widget->show();
        const QRect area(widget->mapTo(frame, QPoint(0, 0)), widget->size());
        const QImage alone = shot(frame, area);
        widget->hide();
        int covered = 0;
        QPoint first;
        for (int y = 0; y < area.height(); ++y) {
            for (int x = 0; x < area.width(); ++x) {
                const QPoint at = area.topLeft() + QPoint(x, y);
                const QRgb own = alone.pixel(x, y);
                if (own == empty.pixel(at) || own == whole.pixel(at)) continue;
                if (covered++ == 0) first = QPoint(x, y);
            }
        }
        EXPECT_EQ(covered, 0) << layout << ": " << covered << " pixels of control " << id
                              << " are covered, the first at " << first.x() << ", " << first.y();
        ++checked;
    }
    for (const auto& [id, widget] : shown) widget->show();
    EXPECT_GT(checked, 50) << layout;
}

TEST_F(QtProgramTest, EveryControlIsDrawnWholeInBothLayouts) {
    expectEveryControlWhole(*windowing, mainWindow->window(), "screw layout");
    click(410);  // NPT
    ASSERT_EQ(mainWindow->selection().series, series::NPT);
    expectEveryControlWhole(*windowing, mainWindow->window(), "pipe layout");
}

// The first row a list view shows and how many rows it shows whole from there.
struct RowsShown {
    int top = -1;
    int whole = 0;
};
RowsShown rowsShown(const QTreeView& view) {
    RowsShown shown;
    shown.top = view.indexAt(QPoint(1, 1)).row();
    const QAbstractItemModel& rows = *view.model();
    for (int row = shown.top; row >= 0 && row < rows.rowCount(); ++row) {
        if (!view.viewport()->rect().contains(view.visualRect(rows.index(row, 0)))) break;
        ++shown.whole;
    }
    return shown;
}

// The drill chart shows as many whole rows as the layout's list gives (9 in the screw layout,
// 11 in the pipe layout), with the guide drill on the top row and its lead below it.
TEST_F(QtProgramTest, DrillChartShowsTheWholeRowsOfTheLayoutWithTheGuideDrillOnTop) {
    auto* drills = qobject_cast<QTreeView*>(control(ids::kDrillChart));
    ASSERT_NE(drills, nullptr);
    for (const bool pipe : {false, true}) {
        if (pipe) click(410);  // NPT
        SCOPED_TRACE(pipe ? "pipe layout" : "screw layout");
        const RowsShown shown = rowsShown(*drills);
        EXPECT_EQ(shown.whole, platform::listview::wholeRows(drills->height()));
        EXPECT_EQ(shown.whole, pipe ? 11 : 9);
        EXPECT_EQ(shown.top, mainWindow->guideStartIndex());
        EXPECT_EQ(drills->selectionModel()->selectedRows().front().row(), shown.top);
    }
    // UNC 1-64: the guide drill is "1.40mm", row 54.
    click(ids::kPipeExit);
    EXPECT_EQ(rowsShown(*drills).top, 54);
    EXPECT_EQ(drills->model()->index(54, 0).data().toString(), "1.40mm");
}

// Below the last whole row a list view shows nothing of the next: the blank down to its frame is
// its text background. The information window's list has no header: its rows start at the
// frame, and it shows the whole rows the headless platform counts for it.
TEST_F(QtProgramTest, ListViewsShowWholeRowsOnlyAndTheInformationListNoHeader) {
    click(ids::kInfo);
    ASSERT_TRUE(mainWindow->infoWindow().isOpen());
    auto* info = qobject_cast<QTreeView*>(
        windowing->controlWidget(mainWindow->infoWindow().handle(), InfoWindow::kListId));
    auto* drills = qobject_cast<QTreeView*>(control(ids::kDrillChart));
    ASSERT_NE(info, nullptr);
    ASSERT_NE(drills, nullptr);
    platform::HeadlessWindowing model({1024, 768});
    platform::RecordingPrintPreview modelPrinting;
    MainWindow modelWindow(model, modelPrinting);
    modelWindow.startUp();
    model.attach(&modelWindow);
    model.click(modelWindow.window(), ids::kInfo);
    const platform::HeadlessControl* modelInfo =
        model.control(modelWindow.infoWindow().handle(), InfoWindow::kListId);
    ASSERT_NE(modelInfo, nullptr);

    // The blank under the rows: from the last whole row's bottom to the frame, in the list's
    // own pixels.
    const auto expectBlankUnderTheRows = [](QTreeView& view, const char* what) {
        SCOPED_TRACE(what);
        const RowsShown shown = rowsShown(view);
        ASSERT_GT(shown.whole, 0);
        const QRect last = view.visualRect(view.model()->index(shown.top + shown.whole - 1, 0));
        const int frame = view.frameWidth();
        const int from = view.viewport()->mapTo(&view, last.bottomLeft()).y() + 1;
        const int to = view.height() - frame;
        const QColor base = view.palette().color(QPalette::Base);
        const QImage pixels = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int right = view.viewport()->mapTo(&view, QPoint(view.viewport()->width(), 0)).x();
        int other = 0;
        for (int y = from; y < to; ++y) {
            for (int x = frame; x < right; ++x) {
                if (QColor(pixels.pixel(x, y)) != base) ++other;
            }
        }
        EXPECT_EQ(other, 0) << "pixels of a row under the " << shown.whole << " whole rows, in "
                            << to - from << " rows of pixels";
    };
    expectBlankUnderTheRows(*drills, "drill chart, screw layout");
    expectBlankUnderTheRows(*info, "information window");
    EXPECT_TRUE(info->isHeaderHidden());
    EXPECT_EQ(info->viewport()->geometry().top(), info->frameWidth()) << "no bar over the rows";
    ASSERT_GT(info->model()->rowCount(), platform::HeadlessWindowing::visibleRows(*modelInfo));
    // The rows from top to bottom that the viewport shows whole (the text column is wider than
    // the room beside the scroll bar).
    int wholeInfoRows = 0;
    for (int row = 0; row < info->model()->rowCount(); ++row) {
        const QRect at = info->visualRect(info->model()->index(row, 0));
        if (at.top() >= 0 && at.bottom() < info->viewport()->height()) ++wholeInfoRows;
    }
    EXPECT_EQ(wholeInfoRows, platform::HeadlessWindowing::visibleRows(*modelInfo));
    EXPECT_FALSE(drills->isHeaderHidden()) << "the drill chart keeps its captions";
    click(410);  // NPT
    expectBlankUnderTheRows(*drills, "drill chart, pipe layout");
}

// The program on Qt and on the headless platform, driven alike through every size of every
// series: the drill chart's top row and chosen row agree after each.
TEST_F(QtProgramTest, DrillChartTopRowAgreesWithTheHeadlessModelForEverySize) {
    platform::HeadlessWindowing model({1024, 768});
    platform::RecordingPrintPreview modelPrinting;
    MainWindow modelWindow(model, modelPrinting);
    modelWindow.startUp();
    model.attach(&modelWindow);
    auto* drills = qobject_cast<QTreeView*>(control(ids::kDrillChart));
    ASSERT_NE(drills, nullptr);

    int compared = 0;
    const auto compare = [&](const std::string& where) {
        const platform::HeadlessControl* chart =
            model.control(modelWindow.window(), ids::kDrillChart);
        const RowsShown shown = rowsShown(*drills);
        ASSERT_EQ(shown.top, chart->topRow) << where;
        ASSERT_EQ(drills->selectionModel()->selectedRows().front().row(), chart->selected) << where;
        ++compared;
    };
    for (SeriesId id = 0; id < series::kCount; ++id) {
        if (mainWindow->selection().series == series::NPT ||
            mainWindow->selection().series == series::NPTF ||
            mainWindow->selection().series == series::R) {
            click(ids::kPipeExit);  // back to the screw layout and its series radios
            model.click(modelWindow.window(), ids::kPipeExit);
        }
        const int radio = seriesRadioId(id);
        click(radio);
        model.click(modelWindow.window(), radio);
        for (int row = 0; row < sizeCount(id); ++row) {
            windowing->listSelect(mainWindow->window(), ids::kSizeList, row);
            mainWindow->onControlEvent(mainWindow->window(), ids::kSizeList,
                                       platform::notify::kSelectionChanged);
            model.select(modelWindow.window(), ids::kSizeList, row);
            compare(std::string(seriesById(id).name) + " row " + std::to_string(row));
        }
    }
    EXPECT_GT(compared, 1000);
}

// The right end of the widest text of a list view, against the width it shows (the lists
// scroll only up and down).
struct TextReach {
    int widest = 0;
    int room = 0;
};
TextReach textReach(const QTreeView& view) {
    TextReach reach;
    reach.room = view.viewport()->width();
    const QAbstractItemModel& rows = *view.model();
    const QFontMetrics metrics(view.font());
    // The item's text margin on either side, as the style lays it out.
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    for (int row = 0; row < rows.rowCount(); ++row) {
        for (int column = 0; column < rows.columnCount(); ++column) {
            const QString text = rows.index(row, column).data().toString();
            if (text.isEmpty()) continue;
            const int end =
                view.columnViewportPosition(column) + margin + metrics.horizontalAdvance(text);
            reach.widest = std::max(reach.widest, end);
        }
    }
    return reach;
}

TEST_F(QtProgramTest, EveryTextOfTheListViewsFitsTheWidthTheyShow) {
    auto* drills = qobject_cast<QTreeView*>(control(ids::kDrillChart));
    ASSERT_NE(drills, nullptr);
    click(ids::kInfo);
    auto* info = qobject_cast<QTreeView*>(
        windowing->controlWidget(mainWindow->infoWindow().handle(), InfoWindow::kListId));
    ASSERT_NE(info, nullptr);
    for (const int unit : {ids::kInches, ids::kMillimeters}) {
        click(unit);
        const TextReach reach = textReach(*drills);
        EXPECT_LE(reach.widest, reach.room) << unit;
        // Every series' description, its plating figures in either unit.
        for (SeriesId id = 0; id < series::kCount; ++id) {
            if (mainWindow->selection().series == series::NPT ||
                mainWindow->selection().series == series::NPTF ||
                mainWindow->selection().series == series::R) {
                click(ids::kPipeExit);
            }
            click(seriesRadioId(id));
            const TextReach lines = textReach(*info);
            EXPECT_LE(lines.widest, lines.room) << seriesById(id).name;
        }
    }
}

TEST_F(QtProgramTest, CloseEndsTheEventLoop) {
    QTimer::singleShot(0, [this] { click(398); });
    windowing->runEventLoop(*mainWindow);
    EXPECT_TRUE(mainWindow->ended());
}

}  // namespace
}  // namespace torveld
