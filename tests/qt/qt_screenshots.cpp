// Screenshots for a person to look at: the main window, the information window and a data
// sheet page, as the Qt platform draws them, written to build/screenshots/.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>

#include "control_table.h"
#include "main_window.h"
#include "qt_print_preview.h"
#include "qt_test_support.h"
#include "qt_windowing.h"

namespace torveld {
namespace {

using platform::qt::PrintedPage;

QString screenshotFolder() {
    QDir dir(QStringLiteral(TORVELD_SCREENSHOT_DIR));
    dir.mkpath(QStringLiteral("."));
    return dir.absolutePath();
}

// The window that is open and titled `title`, or nullptr.
QWidget* topLevel(const QString& title) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == title) return widget;
    }
    return nullptr;
}

// The page at 150 dpi on white paper.
QImage pageImage(const PrintedPage& page) {
    constexpr int kDpi = 150;
    QImage image(static_cast<int>(platform::qt::kPageWidthInches * kDpi),
                 static_cast<int>(platform::qt::kPageHeightInches * kDpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(kDpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(static_cast<int>(kDpi / 0.0254 + 0.5));
    image.fill(Qt::white);
    QPainter painter(&image);
    platform::qt::paintPage(painter, page);
    return image;
}

class Screenshots : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::qt::test::ensureApplication();
        printing.setPageSink([this](const PrintedPage& page) { pages.push_back(page); });
        mainWindow = std::make_unique<MainWindow>(windowing, printing);
        mainWindow->startUp();
        windowing.setEventHandler(mainWindow.get());
        QApplication::processEvents();
    }
    void TearDown() override { mainWindow->shutDown(); }
    void press(int id) {
        QWidget* widget = windowing.controlWidget(mainWindow->window(), id);
        ASSERT_NE(widget, nullptr) << id;
        QTest::mouseClick(widget, Qt::LeftButton, {},
                          qobject_cast<QRadioButton*>(widget) != nullptr
                              ? QPoint(8, widget->height() / 2)
                              : widget->rect().center());
        QApplication::processEvents();
    }

    platform::qt::QtWindowing windowing;
    platform::qt::QtPrintPreview printing;
    std::vector<PrintedPage> pages;
    std::unique_ptr<MainWindow> mainWindow;
    const QString folder = screenshotFolder();
};

TEST_F(Screenshots, MainWindow) {
    QWidget* main = windowing.windowWidget(mainWindow->window());
    ASSERT_NE(main, nullptr);
    const QImage shot = main->grab().toImage();
    EXPECT_EQ(shot.size(),
              QSize(main_window::kWidth, main_window::kHeight) * main->devicePixelRatio());
    EXPECT_EQ(shot.pixelColor(6, 200), QColor(180, 180, 180)) << "the window's grey";
    EXPECT_TRUE(shot.save(folder + "/main_window.png"));
}

// INFO opens the information window and PRINT draws the data sheet; each is pictured.
TEST_F(Screenshots, InformationWindow) {
    press(434);  // INFO
    QWidget* info = topLevel(QStringLiteral("Thread Info"));
    ASSERT_NE(info, nullptr) << "INFO opens the information window";
    EXPECT_EQ(info->size(), QSize(314, 480));
    const QImage shot = info->grab().toImage();
    EXPECT_EQ(shot.pixelColor(310, 470), QColor(209, 209, 140)) << "the window's colour";
    EXPECT_TRUE(shot.save(folder + "/info_window.png"));
}

TEST_F(Screenshots, DataSheet) {
    press(442);  // PRINT
    ASSERT_EQ(pages.size(), 1u) << "PRINT draws one data sheet";
    EXPECT_TRUE(pageImage(pages.front()).save(folder + "/data_sheet.png"));
    ASSERT_TRUE(platform::qt::writePagePdf(pages.front(), folder + "/data_sheet.pdf"));
    if (!platform::qt::test::havePdfToText()) {
        GTEST_SKIP() << "pdftotext was not found when configuring";
    }
    const platform::qt::test::PdfPage pdf = platform::qt::test::readPdf(folder + "/data_sheet.pdf");
    EXPECT_NEAR(pdf.width, 792, 0.5);
    EXPECT_NEAR(pdf.height, 612, 0.5);
    const bool badge = std::any_of(pdf.words.begin(), pdf.words.end(), [](const auto& word) {
        return word.text == "INCH" && std::abs(word.yMin - 6.88 * 72) < 2.0;
    });
    EXPECT_TRUE(badge) << "the unit badge of the sheet";
}

// MEASURE opens the MEASURE window: a reading over wires judged, a thread named from a caliper
// and a pitch gauge, the gauges of the size shown.
TEST_F(Screenshots, MeasureWindow) {
    press(302);
    mainWindow->find("1/4-20 UNC");
    press(443);  // MEASURE
    QWidget* measure = topLevel(QString::fromLatin1(MeasureWindow::kTitle));
    ASSERT_NE(measure, nullptr) << "MEASURE opens the MEASURE window";
    EXPECT_EQ(measure->size(), QSize(MeasureWindow::kWidth, MeasureWindow::kHeight));
    const platform::WindowHandle w = mainWindow->measureWindow().handle();
    const auto enter = [&](int id, const char* text) {
        windowing.setControlText(w, id, text);
        QTest::keyClick(windowing.controlWidget(w, id), Qt::Key_Return);
        QApplication::processEvents();
    };
    enter(MeasureWindow::kWireEntryId, ".0289");
    enter(MeasureWindow::kReadingEntryId, "0.2603");
    enter(MeasureWindow::kDiameterEntryId, "0.249");
    enter(MeasureWindow::kPitchEntryId, "20");
    const QImage shot = measure->grab().toImage();
    EXPECT_EQ(shot.pixelColor(4, 300), QColor(209, 209, 140)) << "the information window's colour";
    EXPECT_TRUE(shot.save(folder + "/measure_window.png"));
}

// A special size found through the find box: the box with an error in it over the main window,
// the information window and the data sheet that say the values are computed.
TEST_F(Screenshots, FindBoxAndSpecialSize) {
    mainWindow->openFindBox();
    QApplication::processEvents();
    ASSERT_TRUE(mainWindow->findBox().isOpen());
    mainWindow->find("11/16-24 UNS");
    mainWindow->find("M42x1-6g");
    mainWindow->find("11/16-24 UNS-2A");
    windowing.setControlText(mainWindow->findBox().handle(), FindBox::kEntryId, "1/4-21 UNC");
    mainWindow->find("1/4-21 UNC");
    QApplication::processEvents();
    QWidget* box = topLevel(QString::fromLatin1(FindBox::kTitle));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->size(), QSize(FindBox::kWidth, FindBox::kHeight));
    EXPECT_TRUE(box->grab().toImage().save(folder + "/find_box.png"));
    EXPECT_TRUE(windowing.windowWidget(mainWindow->window())
                    ->grab()
                    .toImage()
                    .save(folder + "/main_window_special.png"));

    press(434);  // INFO
    QWidget* info = topLevel(QStringLiteral("Thread Info"));
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->grab().toImage().save(folder + "/info_window_special.png"));

    press(442);  // PRINT
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pageImage(pages.front()).save(folder + "/data_sheet_special.png"));
    ASSERT_TRUE(platform::qt::writePagePdf(pages.front(), folder + "/data_sheet_special.pdf"));
    if (!platform::qt::test::havePdfToText()) {
        GTEST_SKIP() << "pdftotext was not found when configuring";
    }
    const platform::qt::test::PdfPage pdf =
        platform::qt::test::readPdf(folder + "/data_sheet_special.pdf");
    // The note stands under the unit badge, right of the THREAD INFO box, on the page.
    int noteWords = 0;
    for (const auto& word : pdf.words) {
        if (word.yMin < 7.3 * 72) continue;
        if (word.xMin < 8.4 * 72) continue;
        ++noteWords;
        EXPECT_LE(word.xMax, 10.9 * 72) << word.text;
        EXPECT_LE(word.yMax, 8.4 * 72) << word.text;
    }
    EXPECT_GE(noteWords, 10);
}

}  // namespace
}  // namespace torveld
