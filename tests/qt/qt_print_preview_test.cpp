// The print-preview library on Qt: recorded calls, the page as PDF read back with pdftotext,
// the rectangles as pixels, and the preview dialog with its Save as PDF action.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <cmath>

#include "qt_print_preview.h"
#include "qt_test_support.h"

namespace torveld::platform::qt {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

class QtPrintPreviewTest : public ::testing::Test {
  protected:
    void SetUp() override { test::ensureApplication(); }
};

// Part of a data sheet, drawn as the sheet draws it.
PrintedPage dataSheetPage() {
    QtPrintPreview preview;
    PrintedPage captured;
    preview.setPageSink([&](const PrintedPage& page) { captured = page; });
    const int doc = preview.dpStartDoc(0, "Thread Data", "", 0, 1, 1, 7, 136);
    preview.dpRect(doc, 10.5f, 0.5f, 0.5f, 3.35f, 2.0f, kWhite, kBlack);
    preview.dpRect(doc, 10.5f, 6.78f, 8.7f, 7.23f, 2.0f, kWhite, kBlack);
    preview.dpFont(doc, 1, 13.0f, kBlack, "Verdana");
    preview.dpText(doc, 9.6f, 6.88f, 1, "INCH DISPLAY");
    preview.dpFont(doc, 5, 15.0f, kBlack, "Verdana");
    preview.dpText(doc, 5.5f, 0.75f, 1, "EXTERNAL DATA          1 - 64  UNC");
    preview.dpFont(doc, 5, 10.0f, kBlack, "Verdana");
    preview.dpText(doc, 0.9f, 1.583f, 1, "CLASS");
    preview.dpFont(doc, 1, 10.0f, kBlack, "Verdana");
    preview.dpText(doc, 1.72f, 1.833f, 1, ".0730");
    preview.dpText(doc, 0.6f, 6.2f, 0, "");  // an empty text draws nothing
    preview.dpFont(doc, 1, 11.0f, kBlack, "Verdana");
    preview.dpText(doc, 0.8f, 5.85f, 0, "ENGAGEMENT");
    preview.dpFont(doc, 1, 10.0f, kBlack, "Verdana");
    preview.dpText(doc, 4.92f, 6.75f, 0, "thread profile included angle = 60\xB0");
    preview.dpEndDoc(doc, 4);
    return captured;
}

// The words of one text on the page, from its first word, in points.
struct Placed {
    double left = 0;
    double right = 0;
    double top = 0;
    bool found = false;
};
Placed findText(const test::PdfPage& page, const std::vector<std::string>& words) {
    for (std::size_t i = 0; i + words.size() <= page.words.size(); ++i) {
        bool match = true;
        for (std::size_t k = 0; k < words.size() && match; ++k) {
            match = page.words[i + k].text == words[k];
        }
        if (match) {
            return {page.words[i].xMin, page.words[i + words.size() - 1].xMax, page.words[i].yMin,
                    true};
        }
    }
    return {};
}

TEST_F(QtPrintPreviewTest, DocumentsRecordTheirCallsInOrderUntilEnded) {
    QtPrintPreview preview;
    std::vector<PrintedPage> pages;
    preview.setPageSink([&](const PrintedPage& page) { pages.push_back(page); });
    const int doc = preview.dpStartDoc(0, "Thread Data", "", 0, 1, 1, 7, 136);
    ASSERT_GE(doc, 1);
    EXPECT_EQ(preview.openDocuments(), 1u);
    EXPECT_EQ(preview.dpFont(doc, 5, 15.0f, kBlack, "Verdana"), 1);
    EXPECT_EQ(preview.dpRect(doc, 10.5f, 0.5f, 0.5f, 3.35f, 2.0f, kWhite, kBlack), 1);
    EXPECT_EQ(preview.dpText(doc, 5.5f, 0.75f, 1, "EXTERNAL DATA"), 1);
    // Calls on a handle that is not a document are refused and recorded nowhere.
    EXPECT_EQ(preview.dpText(doc + 1, 1.0f, 1.0f, 0, "stray"), 0);
    EXPECT_EQ(preview.dpEndDoc(doc + 1, 4), 0);
    EXPECT_EQ(preview.dpEndDoc(doc, 4), 1);
    EXPECT_EQ(preview.openDocuments(), 0u);
    EXPECT_EQ(preview.dpText(doc, 1.0f, 1.0f, 0, "after the end"), 0);
    EXPECT_EQ(preview.dpEndDoc(doc, 4), 0);

    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].title, "Thread Data");
    ASSERT_EQ(pages[0].calls.size(), 3u);
    EXPECT_EQ(std::get<PageFont>(pages[0].calls[0]).style, 5);
    EXPECT_EQ(std::get<PageRect>(pages[0].calls[1]).x2, 0.5f);
    EXPECT_EQ(std::get<PageText>(pages[0].calls[2]).text, "EXTERNAL DATA");

    // Each print is a new document with a new handle.
    EXPECT_GT(preview.dpStartDoc(0, "Thread Data", "", 0, 1, 1, 7, 136), doc);
}

TEST_F(QtPrintPreviewTest, DocumentsLeftOpenDoNotPileUpForEver) {
    QtPrintPreview preview;
    int last = 1;
    for (int i = 0; i < 100 && last >= 1; ++i) {
        last = preview.dpStartDoc(0, "Thread Data", "", 0, 1, 1, 7, 136);
    }
    EXPECT_LT(last, 1) << "a failed start once too many documents are open";
    EXPECT_LE(preview.openDocuments(), 16u);
}

TEST_F(QtPrintPreviewTest, PdfPageIsLandscapeLetterWithTextsAtTheirInchPositions) {
    const QString file = test::testFolder("sheet") + "/sheet.pdf";
    ASSERT_TRUE(writePagePdf(dataSheetPage(), file));
    if (!test::havePdfToText()) GTEST_SKIP() << "pdftotext was not found when configuring";
    const test::PdfPage page = test::readPdf(file);
    EXPECT_NEAR(page.width, 11.0 * 72, 0.5);
    EXPECT_NEAR(page.height, 8.5 * 72, 0.5);
    ASSERT_FALSE(page.words.empty());

    constexpr double kTolerance = 2.0;  // points
    struct Expected {
        std::vector<std::string> words;
        double x;
        double y;
        bool centred;
    };
    const Expected expected[] = {
        {{"INCH", "DISPLAY"}, 9.6, 6.88, true},
        {{"EXTERNAL", "DATA", "1", "-", "64", "UNC"}, 5.5, 0.75, true},
        {{"CLASS"}, 0.9, 1.583, true},
        {{".0730"}, 1.72, 1.833, true},
        {{"ENGAGEMENT"}, 0.8, 5.85, false},
        {{"thread"}, 4.92, 6.75, false},
    };
    EXPECT_TRUE(findText(page, {"angle", "=", "60°"}).found) << "the degree sign of Windows-1252";
    for (const Expected& text : expected) {
        const Placed placed = findText(page, text.words);
        ASSERT_TRUE(placed.found) << text.words.front();
        const double x = text.centred ? (placed.left + placed.right) / 2 : placed.left;
        EXPECT_NEAR(x, text.x * 72, kTolerance) << text.words.front();
        EXPECT_NEAR(placed.top, text.y * 72, kTolerance) << text.words.front();
    }
}

TEST_F(QtPrintPreviewTest, EmphasisedStyleIsBoldAndThePlainStyleIsNot) {
    const QString file = test::testFolder("fonts") + "/fonts.pdf";
    ASSERT_TRUE(writePagePdf(dataSheetPage(), file));
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {file});
    ASSERT_TRUE(fonts.waitForFinished(30000));
    const QString listing = QString::fromUtf8(fonts.readAllStandardOutput());
    EXPECT_TRUE(listing.contains(QStringLiteral("Bold"))) << listing.toStdString();
    const QStringList lines = listing.split('\n', Qt::SkipEmptyParts);
    const bool plain = std::any_of(lines.begin() + 2, lines.end(), [](const QString& line) {
        return !line.section(' ', 0, 0).contains(QStringLiteral("Bold"));
    });
    EXPECT_TRUE(plain) << listing.toStdString();
}

TEST_F(QtPrintPreviewTest, RectanglesHaveABlackOutlineAndAWhiteInteriorUnderLaterText) {
    PrintedPage page;
    // Colours in either order give the same box.
    page.calls.emplace_back(PageRect{3.0f, 1.0f, 1.0f, 2.0f, 2.0f, kWhite, kBlack});
    page.calls.emplace_back(PageRect{6.0f, 1.0f, 4.0f, 2.0f, 2.0f, kBlack, kWhite});
    page.calls.emplace_back(PageFont{1, 10.0f, kBlack, "Verdana"});
    page.calls.emplace_back(PageText{2.0f, 1.3f, 1, "ENGAGEMENT"});

    QImage image(11 * 96, 17 * 48, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(96 / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(96 / 0.0254)));
    image.fill(QColor(128, 128, 128));
    {
        QPainter painter(&image);
        paintPage(painter, page);
    }
    for (int left : {96, 4 * 96}) {
        EXPECT_EQ(image.pixelColor(left, 144), QColor(Qt::black)) << "left edge " << left;
        EXPECT_EQ(image.pixelColor(left + 96, 96), QColor(Qt::black)) << "top edge";
        EXPECT_EQ(image.pixelColor(left + 10, 180), QColor(Qt::white)) << "interior";
        EXPECT_EQ(image.pixelColor(left - 5, 144), QColor(128, 128, 128)) << "outside";
    }
    int dark = 0;
    for (int y = 125; y < 145; ++y) {
        for (int x = 140; x < 250; ++x) dark += image.pixelColor(x, y).lightness() < 100 ? 1 : 0;
    }
    EXPECT_GT(dark, 50) << "the text drawn inside the box stays visible";
}

TEST_F(QtPrintPreviewTest, EndOfDocumentOpensThePrintPreviewWithSaveAsPdf) {
    QtPrintPreview preview;
    bool seen = false;
    bool saveAction = false;
    bool landscapeLetter = false;
    QString title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        title = dialog->windowTitle();
        for (QAction* action : dialog->findChild<QToolBar*>()->actions()) {
            saveAction = saveAction || action->text() == "Save as PDF";
        }
        const QPageLayout layout = dialog->printer()->pageLayout();
        landscapeLetter = layout.orientation() == QPageLayout::Landscape &&
                          layout.pageSize().id() == QPageSize::Letter;
        dialog->reject();
    });
    const int doc = preview.dpStartDoc(0, "Thread Data", "", 0, 1, 1, 7, 136);
    preview.dpFont(doc, 5, 15.0f, kBlack, "Verdana");
    preview.dpText(doc, 5.5f, 0.75f, 1, "EXTERNAL DATA");
    EXPECT_EQ(preview.dpEndDoc(doc, 4), 1);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(saveAction);
    EXPECT_TRUE(landscapeLetter);
    EXPECT_EQ(title, "Thread Data - Print Preview");
}

TEST_F(QtPrintPreviewTest, EscapeClosesThePrintPreview) {
    QtPrintPreview preview;
    bool escaped = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        // Should Escape not close it, the dialog is closed a while later and the test fails.
        QTimer::singleShot(5000, dialog, [dialog] { static_cast<QDialog*>(dialog)->reject(); });
        QWidget* focus = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog;
        QTest::keyClick(focus, Qt::Key_Escape);
        escaped = !dialog->isVisible();
    });
    const int doc = preview.dpStartDoc(0, "Thread Data", "", 0, 1, 1, 7, 136);
    preview.dpText(doc, 5.5f, 0.75f, 1, "EXTERNAL DATA");
    EXPECT_EQ(preview.dpEndDoc(doc, 4), 1);
    EXPECT_TRUE(escaped);
}

TEST_F(QtPrintPreviewTest, UnwritablePdfPathIsReportedAsAFailure) {
    EXPECT_FALSE(writePagePdf(dataSheetPage(), "/nonexistent-folder/sheet.pdf"));
}

}  // namespace
}  // namespace torveld::platform::qt
