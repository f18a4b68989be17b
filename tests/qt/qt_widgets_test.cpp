// The light pieces behind the Qt windows: the read-only field, the list view's table of texts,
// the style's drawn-once primitives and the application set-up with its late window icon.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

#include "qt_application.h"
#include "qt_field.h"
#include "qt_fonts.h"
#include "qt_style.h"
#include "qt_test_support.h"
#include "qt_view_model.h"
#include "qt_windowing.h"

namespace torveld::platform::qt {
namespace {

QImage render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

QPalette fieldPalette(QColor base) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, Qt::black);
    return palette;
}

class ReadOnlyFieldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ensureApplication();
        QApplication::setStyle(new TorveldStyle);
        window = std::make_unique<QWidget>();
        window->resize(400, 100);
        field = new ReadOnlyField(window.get());
        field->setGeometry(10, 10, 120, 25);
        field->setFont(widgetFont("Tahoma", 9, 700));
        field->setPalette(fieldPalette(QColor(245, 245, 245)));
        field->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        field->setText(QStringLiteral(".2489"));
        other = new QLineEdit(window.get());
        other->setGeometry(10, 50, 120, 25);
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override { window.reset(); }

    // x of the caret before character `position`, in the field's coordinates.
    int caretX(int position) const {
        return field->textTopLeft().x() +
               field->fontMetrics().horizontalAdvance(field->text().left(position));
    }
    void drag(int fromX, int toX) {
        const int y = field->height() / 2;
        QTest::mousePress(field, Qt::LeftButton, {}, QPoint(fromX, y));
        QMouseEvent move(QEvent::MouseMove, QPointF(toX, y), field->mapToGlobal(QPointF(toX, y)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &move);
        QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(toX, y));
    }

    std::unique_ptr<QWidget> window;
    ReadOnlyField* field = nullptr;
    QLineEdit* other = nullptr;
};

// Pixel for pixel, over the field sizes, fonts and texts of the main window and a text wider
// than its field.
TEST_F(ReadOnlyFieldTest, LooksLikeAReadOnlyLineEditWithTheSameTextColoursAndAlignment) {
    const QSize sizes[] = {{75, 25}, {69, 24}, {74, 25}, {470, 28}, {120, 25}, {30, 22}};
    const char* texts[] = {".2489", "--", ".00902", "EXTERNAL DATA          1/4 - 20  UNC",
                           "6.322", ""};
    for (const QSize& size : sizes) {
        for (int points : {9, 11}) {
            for (const char* text : texts) {
                for (Qt::Alignment horizontal : {Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignRight}) {
                    QLineEdit edit;
                    edit.setReadOnly(true);
                    edit.resize(size);
                    edit.setFont(widgetFont("Tahoma", points, 700));
                    edit.setPalette(field->palette());
                    edit.setAlignment(horizontal | Qt::AlignVCenter);
                    edit.setText(QString::fromLatin1(text));
                    edit.setCursorPosition(0);
                    field->resize(size);
                    field->setFont(edit.font());
                    field->setAlignment(horizontal | Qt::AlignVCenter);
                    field->setText(edit.text());
                    EXPECT_EQ(render(*field), render(edit))
                        << size.width() << "x" << size.height() << " " << points << " pt \"" << text
                        << "\" alignment " << horizontal;
                }
            }
        }
    }
}

TEST_F(ReadOnlyFieldTest, MouseAndKeysSelectAndCopyTheTextButNeverChangeIt) {
    const int size = static_cast<int>(field->text().size());
    EXPECT_EQ(field->positionAt(-100), 0);
    EXPECT_EQ(field->positionAt(1000), size);
    for (int position = 0; position <= size; ++position) {
        EXPECT_EQ(field->positionAt(caretX(position)), position);
    }

    drag(caretX(1), caretX(3));
    EXPECT_EQ(field->selectedText(), "24");
    EXPECT_TRUE(field->hasFocus()) << "a click gives the field the focus";
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "24");

    QTest::keyClick(field, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(field->selectedText(), "2489");
    QTest::keyClick(field, Qt::Key_Left);
    EXPECT_FALSE(field->hasSelectedText());
    QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(field->selectedText(), ".248");
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->selectedText(), ".2489");
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, "7");
    EXPECT_EQ(field->text(), ".2489") << "typing never changes a read-only field";

    QTest::mouseDClick(field, Qt::LeftButton, {}, QPoint(caretX(2), field->height() / 2));
    EXPECT_EQ(field->selectedText(), ".2489");
    const QImage selected = render(*field);
    const QColor highlight = field->palette().color(QPalette::Highlight);
    EXPECT_EQ(selected.pixelColor(caretX(2), field->height() / 2 - 4).rgb(), highlight.rgb())
        << "the selection is drawn in the highlight colour";

    other->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(field->hasSelectedText()) << "another control taking the focus deselects";

    field->setSelection(3, 99);
    EXPECT_EQ(field->selectedText(), "89");
    field->setText(QStringLiteral("6.322"));
    EXPECT_FALSE(field->hasSelectedText()) << "a new text comes without selection";
    EXPECT_EQ(field->accessibleName(), "6.322");
    field->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "24") << "nothing selected, nothing copied";
}

TEST(TextTableModelTest, ColumnsRowsAndCellsMoveTogetherAndOutOfRangeChangesNothing) {
    TextTableModel rows;
    rows.insertRow(0, QStringLiteral("before any column"));
    EXPECT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.columnCount(), 0);
    rows.insertColumn(0, QStringLiteral("DRILL"));
    EXPECT_EQ(rows.cell(0, 0), "before any column") << "the row's text becomes its first cell";
    rows.insertColumn(5, QStringLiteral("DIAMETER"));
    EXPECT_EQ(rows.columnCount(), 2);
    EXPECT_EQ(rows.headerData(1, Qt::Horizontal).toString(), "DIAMETER");
    EXPECT_FALSE(rows.headerData(2, Qt::Horizontal).isValid());
    EXPECT_FALSE(rows.headerData(0, Qt::Vertical).isValid());

    QSignalSpy inserted(&rows, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&rows, &QAbstractItemModel::dataChanged);
    rows.insertRow(0, QStringLiteral("#1"));
    rows.insertRow(99, QStringLiteral("#3"));
    rows.insertRow(1, QStringLiteral("#2"));
    EXPECT_EQ(inserted.size(), 3);
    EXPECT_EQ(rows.cell(0, 0), "#1");
    EXPECT_EQ(rows.cell(1, 0), "#2");
    EXPECT_EQ(rows.cell(3, 0), "#3");
    EXPECT_TRUE(rows.setCell(1, 1, QStringLiteral(".2280")));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(rows.index(1, 1).data().toString(), ".2280");
    EXPECT_FALSE(rows.index(1, 1).data(Qt::ToolTipRole).isValid());

    EXPECT_FALSE(rows.setCell(4, 0, QStringLiteral("x")));
    EXPECT_FALSE(rows.setCell(0, 2, QStringLiteral("x")));
    EXPECT_FALSE(rows.setCell(-1, 0, QStringLiteral("x")));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(rows.cell(9, 0), "");
    EXPECT_EQ(rows.rowCount(rows.index(0, 0)), 0) << "a table: no row has children";

    rows.insertColumn(1, QStringLiteral("NO."));
    EXPECT_EQ(rows.cell(1, 1), "");
    EXPECT_EQ(rows.cell(1, 2), ".2280");
    rows.clear();
    EXPECT_EQ(rows.rowCount(), 0);
    EXPECT_EQ(rows.columnCount(), 0);
}

TEST(TextTableModelTest, ManyRowsAndAColumnAreEachOneChangeForTheViews) {
    TextTableModel rows;
    rows.insertColumn(0, QStringLiteral("DRILL"));
    rows.insertColumn(1, QStringLiteral("DIAMETER"));
    rows.insertRow(0, QStringLiteral("end"));
    QSignalSpy inserted(&rows, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&rows, &QAbstractItemModel::dataChanged);
    rows.insertRows(0, {{QStringLiteral("1.35mm"), QStringLiteral(".0531")},
                        {QStringLiteral("54")},
                        {QStringLiteral("1.40mm"), QStringLiteral(".0551"), QStringLiteral("x")}});
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 2);
    EXPECT_EQ(rows.rowCount(), 4);
    EXPECT_EQ(rows.cell(1, 1), "") << "a row without a second cell has an empty one";
    EXPECT_EQ(rows.cell(2, 1), ".0551");
    EXPECT_EQ(rows.cell(2, 2), "") << "cells past the last column are dropped";
    EXPECT_EQ(rows.cell(3, 0), "end");

    rows.setColumn(1, 2, {QStringLiteral("1.400"), QStringLiteral("--"), QStringLiteral("none")});
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), rows.index(2, 1));
    EXPECT_EQ(changed[0][1].toModelIndex(), rows.index(3, 1));
    EXPECT_EQ(rows.cell(2, 1), "1.400");
    EXPECT_EQ(rows.cell(3, 1), "--");
    rows.setColumn(2, 0, {QStringLiteral("no such column")});
    rows.setColumn(1, 9, {QStringLiteral("no such row")});
    EXPECT_EQ(changed.size(), 1);
}

// A primitive drawn by the style under test and by plain Fusion, on the same background.
QImage drawPrimitive(const QStyle& style, QStyle::PrimitiveElement element,
                     const QStyleOption& option, QSize size, qreal scale = 1) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(180, 180, 180));
    QPainter painter(&image);
    painter.scale(scale, scale);
    style.drawPrimitive(element, &option, &painter, nullptr);
    return image;
}

// The largest difference of one colour channel between two images of one size.
int largestDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 255;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            largest = std::max({largest, std::abs(p.red() - q.red()),
                                std::abs(p.green() - q.green()), std::abs(p.blue() - q.blue())});
        }
    }
    return largest;
}

// Panels come out exactly as Fusion draws them; a radio's anti-aliased rim may differ by the
// rounding of laying a drawn pixmap over the background, at most 2 of 255 in a channel.
TEST(TorveldStyleTest, CachedPanelsAndRadioIndicatorsMatchFusionForEveryLook) {
    test::ensureApplication();
    TorveldStyle style;
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const QSize size(75, 25);

    std::size_t looks = 0;
    for (const QColor& base : {QColor(245, 245, 245), QColor(255, 255, 204)}) {
        QStyleOptionFrame panel;
        panel.rect = QRect(QPoint(0, 0), size);
        panel.palette = fieldPalette(base);
        panel.lineWidth = 1;
        panel.state = QStyle::State_Enabled | QStyle::State_Sunken | QStyle::State_ReadOnly;
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(drawPrimitive(style, QStyle::PE_PanelLineEdit, panel, size),
                      drawPrimitive(*fusion, QStyle::PE_PanelLineEdit, panel, size))
                << base.name().toStdString() << " round " << round;
        }
        EXPECT_EQ(style.cachedLooks(), ++looks) << "each look is drawn once";

        for (QStyle::State on : {QStyle::State_On, QStyle::State_Off}) {
            QStyleOptionButton radio;
            radio.rect = QRect(0, 0, 14, 14);
            radio.palette = panel.palette;
            radio.state = QStyle::State_Enabled | on;
            EXPECT_LE(largestDifference(
                          drawPrimitive(style, QStyle::PE_IndicatorRadioButton, radio, {14, 14}),
                          drawPrimitive(*fusion, QStyle::PE_IndicatorRadioButton, radio, {14, 14})),
                      2);
            ++looks;
        }
        EXPECT_EQ(style.cachedLooks(), looks);
    }

    // A scaled painter draws directly, not from a pixmap of the wrong size.
    QStyleOptionFrame panel;
    panel.rect = QRect(QPoint(0, 0), size);
    panel.palette = fieldPalette(Qt::white);
    panel.lineWidth = 1;
    panel.state = QStyle::State_Enabled | QStyle::State_Sunken;
    EXPECT_EQ(drawPrimitive(style, QStyle::PE_PanelLineEdit, panel, size * 2, 2),
              drawPrimitive(*fusion, QStyle::PE_PanelLineEdit, panel, size * 2, 2));
    EXPECT_EQ(style.cachedLooks(), looks);
}

TEST(QtWindowControlFontTest, ControlsStartWithTheWindowsFontAndKeepTheirOwn) {
    test::ensureApplication();
    QtWindowing windowing;
    const WindowHandle window = windowing.createWindow(
        {"Threads", {0, 0, 300, 200}, {180, 180, 180}, false, {"Tahoma", 9, 700}});
    windowing.createControl(window, {ControlKind::Label, "HEIGHT", {10, 10, 80, 20}, 0, 1});
    windowing.createControl(window,
                            {ControlKind::TextBox, ".0096", {10, 40, 80, 24}, style::kReadOnly, 2});
    for (int id : {1, 2}) {
        const QFont font = windowing.controlWidget(window, id)->font();
        EXPECT_EQ(font.pixelSize(), pixelsForPoints(9)) << id;
        EXPECT_EQ(font.weight(), QFont::Bold) << id;
    }
    windowing.setControlFont(window, 1, {"Tahoma", 9, 700});
    EXPECT_EQ(windowing.controlWidget(window, 1)->font().pixelSize(), pixelsForPoints(9));
    windowing.setControlFont(window, 1, {"Tahoma", 13, 400});
    EXPECT_EQ(windowing.controlWidget(window, 1)->font().pixelSize(), pixelsForPoints(13));
    EXPECT_EQ(windowing.controlWidget(window, 1)->font().weight(), QFont::Normal);
    EXPECT_EQ(windowing.controlWidget(window, 2)->font().pixelSize(), pixelsForPoints(9))
        << "one control's font leaves the others";
}

// The ink a control's text adds, per device-independent pixel, drawn at a scale: the control
// rendered with its text against the control rendered without it.
double textInk(QWidget& widget, qreal scale, const std::function<void(bool)>& showText) {
    const auto draw = [&](bool text) {
        showText(text);
        QImage image(widget.size() * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::white);
        widget.render(&image);
        return image;
    };
    const QImage with = draw(true);
    const QImage without = draw(false);
    double ink = 0;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            ink += std::abs(qGray(with.pixel(x, y)) - qGray(without.pixel(x, y))) / 255.0;
        }
    }
    return ink / (scale * scale);
}

// Bold Tahoma (the regular file emboldened) is as bold on a high-density screen as at 1x: the
// text of every kind of control carries the same ink per device-independent pixel at 1.5x and
// 2x, and far more than regular text does.
TEST(QtBoldTextTest, EveryControlsBoldTextKeepsItsInkAtEveryScale) {
    test::ensureApplication();
    QtWindowing windowing;
    const WindowHandle window =
        windowing.createWindow({"Threads", {0, 0, 400, 300}, {180, 180, 180}, false});
    struct Case {
        ControlKind kind;
        const char* text;
        Rect rect;
        unsigned styleWord;
    };
    const Case cases[] = {
        {ControlKind::Label, "MAJOR DIAMETER", {10, 10, 227, 18}, style::kCentred},
        {ControlKind::Radio, "STUB ACME", {10, 30, 100, 20}, 0},
        {ControlKind::Button, "PRINT", {10, 55, 62, 25}, 0},
        {ControlKind::TextBox, ".00902", {10, 85, 75, 25}, style::kCentred | style::kReadOnly},
        {ControlKind::ListView, "1.40mm", {10, 115, 172, 100}, style::kBorder},
        {ControlKind::DropDown, "  1/4 - 20", {200, 30, 140, 25}, 0},
    };
    int id = 0;
    for (const Case& c : cases) {
        ++id;
        windowing.createControl(window,
                                {c.kind, c.text, c.rect, c.styleWord | style::kVisible, id});
        windowing.setControlColours(window, id, {0, 0, 0}, {245, 245, 245});
        if (c.kind == ControlKind::ListView) {
            windowing.viewAddColumn(window, id, 0, "", 150);
            windowing.viewAddRow(window, id, 0, "");
        }
        if (c.kind == ControlKind::DropDown) windowing.listAppend(window, id, c.text);
        const auto showText = [&](bool on) {
            const std::string text = on ? c.text : "";
            if (c.kind == ControlKind::ListView) {
                windowing.viewSetCell(window, id, 0, 0, text);
            } else if (c.kind == ControlKind::DropDown) {
                windowing.listSelect(window, id, on ? 0 : -1);
            } else {
                windowing.setControlText(window, id, text);
            }
        };
        QWidget& widget = *windowing.controlWidget(window, id);
        for (const qreal scale : {1.5, 2.0}) {
            windowing.setControlFont(window, id, {"Tahoma", 9, 700});
            const double bold = textInk(widget, 1, showText);
            const double scaled = textInk(widget, scale, showText);
            windowing.setControlFont(window, id, {"Tahoma", 9, 400});
            const double regular = textInk(widget, scale, showText);
            EXPECT_NEAR(scaled / bold, 1.0, 0.08) << c.text << " at " << scale;
            EXPECT_GT(scaled / regular, 1.3) << c.text << " at " << scale;
        }
    }
}

TEST(QtApplicationSetUpTest, NamesAtOnceAndTheWindowIconOnlyAfterTheFirstFrame) {
    test::ensureApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString iconPath = folder.filePath(QStringLiteral("icon.png"));
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::darkBlue);
    ASSERT_TRUE(icon.save(iconPath));

    setUpApplication(QStringLiteral("9.9"), iconPath);
    EXPECT_EQ(QApplication::applicationName(), "Torveld");
    EXPECT_EQ(QApplication::applicationVersion(), "9.9");
    EXPECT_EQ(QGuiApplication::desktopFileName(), "torveld");
    QApplication::processEvents();
    EXPECT_TRUE(QApplication::windowIcon().isNull()) << "nothing painted yet";

    QWidget window;
    window.resize(100, 100);
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (QApplication::windowIcon().isNull() && waited.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_FALSE(QApplication::windowIcon().isNull());
}

}  // namespace
}  // namespace torveld::platform::qt
