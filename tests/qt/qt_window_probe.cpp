// The desktop program's windows, started as the program starts them (QApplication takes the
// locale and the scale factor from the environment), driven through a few sizes whose values
// have decimals in both units, and written to a folder for the tests to compare:
//
//   qt_window_probe FOLDER [--start-only]
//
// FOLDER/locale.txt   the C library's locale and how it writes 1.5
// FOLDER/texts.txt    every text of both windows in every state: captions, fields, lists
// FOLDER/main_N.png   the main window in state N (0 is the window as it starts)
// FOLDER/info_N.png   the information window
// FOLDER/sheet_N.pdf  the data sheet printed in that state, and sheet_N.png drawn at 100 dpi
//
// With --start-only only the main window as it starts is written. Exits 0 when everything was
// written, 1 otherwise.
#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "control_ids.h"
#include "control_table.h"
#include "main_window.h"
#include "qt_fonts.h"
#include "qt_print_preview.h"
#include "qt_windowing.h"
#include "series.h"

namespace torveld {
namespace {

using platform::qt::PrintedPage;
using platform::qt::QtPrintPreview;
using platform::qt::QtWindowing;

struct State {
    const char* name;
    SeriesId series;
    int size;
    int unit;
};

// UNC 1/4-20, ISO COARSE M10 and NPT 1/2 in inches and in millimetres.
const State kStates[] = {
    {"UNC 1/4-20 inch", series::UNC, 9, ids::kInches},
    {"UNC 1/4-20 mm", series::UNC, 9, ids::kMillimeters},
    {"ISO COARSE M10 inch", series::ISO_COARSE, 18, ids::kInches},
    {"ISO COARSE M10 mm", series::ISO_COARSE, 18, ids::kMillimeters},
    {"NPT 1/2 inch", series::NPT, 4, ids::kInches},
    {"NPT 1/2 mm", series::NPT, 4, ids::kMillimeters},
};

class Probe {
  public:
    explicit Probe(QString folder) : folder_(std::move(folder)) {
        printing_.setPageSink([this](const PrintedPage& page) { pages_.push_back(page); });
        window_.startUp();
        windowing_.setEventHandler(&window_);
        QApplication::processEvents();
    }
    ~Probe() { window_.shutDown(); }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    bool writeMain(int state) {
        return shot(windowing_.windowWidget(window_.window()), "main", state);
    }

    // The window as it starts and then every state, with the information window open and a
    // sheet printed in each.
    bool writeStates() {
        click(ids::kInfo);
        bool written = true;
        int state = 0;
        record(state, "start");
        written = writeAll(state) && written;
        for (const State& target : kStates) {
            const SeriesId now = window_.selection().series;
            if ((now == series::NPT || now == series::NPTF || now == series::R) &&
                target.series != now) {
                click(ids::kPipeExit);
            }
            if (window_.selection().series != target.series) click(seriesRadioId(target.series));
            windowing_.listSelect(window_.window(), ids::kSizeList, target.size);
            window_.onControlEvent(window_.window(), ids::kSizeList,
                                   platform::notify::kSelectionChanged);
            click(target.unit);
            record(++state, target.name);
            written = writeAll(state) && written;
        }
        return saveTexts() && written && !clickFailed_;
    }

  private:
    void click(int id) {
        QWidget* widget = windowing_.controlWidget(window_.window(), id);
        if (widget == nullptr || !widget->isVisible()) {
            std::fprintf(stderr, "qt_window_probe: control %d cannot be clicked\n", id);
            clickFailed_ = true;
            return;
        }
        const QPoint at = qobject_cast<QRadioButton*>(widget) != nullptr
                              ? QPoint(8, widget->height() / 2)
                              : widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }

    QString path(const char* what, int state, const char* extension) const {
        return QStringLiteral("%1/%2_%3.%4")
            .arg(folder_, QLatin1String(what))
            .arg(state)
            .arg(QLatin1String(extension));
    }

    bool shot(QWidget* window, const char* what, int state) const {
        return window != nullptr && window->grab().toImage().save(path(what, state, "png"));
    }

    bool writeAll(int state) {
        bool written = writeMain(state);
        QWidget* info = windowing_.windowWidget(window_.infoWindow().handle());
        written = shot(info, "info", state) && written;
        const std::size_t before = pages_.size();
        click(ids::kPrint);
        if (pages_.size() != before + 1) return false;
        const PrintedPage& page = pages_.back();
        written = platform::qt::writePagePdf(page, path("sheet", state, "pdf")) && written;
        constexpr int kDpi = 100;
        QImage sheet(static_cast<int>(platform::qt::kPageWidthInches * kDpi),
                     static_cast<int>(platform::qt::kPageHeightInches * kDpi),
                     QImage::Format_RGB32);
        sheet.setDotsPerMeterX(static_cast<int>(kDpi / 0.0254 + 0.5));
        sheet.setDotsPerMeterY(static_cast<int>(kDpi / 0.0254 + 0.5));
        sheet.fill(Qt::white);
        {
            QPainter painter(&sheet);
            platform::qt::paintPage(painter, page);
        }
        return sheet.save(path("sheet", state, "png")) && written;
    }

    // The texts of both windows, one line each: the control's id, then its text or its rows.
    void record(int state, const char* name) {
        const platform::WindowHandle main = window_.window();
        texts_ += QStringLiteral("== %1 %2\n").arg(state).arg(QLatin1String(name));
        for (const ControlDef& def : mainControls()) {
            const QString id = QString::number(def.id);
            texts_ += id + QStringLiteral(": ") +
                      QString::fromStdString(windowing_.controlText(main, def.id)) + u'\n';
            for (int item = 0; item < windowing_.listCount(main, def.id); ++item) {
                texts_ += id + QStringLiteral(" item: ") +
                          QString::fromStdString(windowing_.listItem(main, def.id, item)) + u'\n';
            }
            recordRows(id, windowing_.controlWidget(main, def.id));
        }
        recordRows(QStringLiteral("info"),
                   windowing_.controlWidget(window_.infoWindow().handle(), InfoWindow::kListId));
    }

    void recordRows(const QString& id, QWidget* widget) {
        const auto* view = qobject_cast<QTreeView*>(widget);
        if (view == nullptr) return;
        const QAbstractItemModel& rows = *view->model();
        for (int row = 0; row < rows.rowCount(); ++row) {
            QString line = id + QStringLiteral(" row:");
            for (int column = 0; column < rows.columnCount(); ++column) {
                line += u'|' + rows.index(row, column).data().toString();
            }
            texts_ += line + u'\n';
        }
    }

    bool saveTexts() const {
        QFile file(folder_ + QStringLiteral("/texts.txt"));
        return file.open(QIODevice::WriteOnly) &&
               file.write(texts_.toUtf8()) == texts_.toUtf8().size();
    }

    QString folder_;
    QtWindowing windowing_;
    QtPrintPreview printing_;
    MainWindow window_{windowing_, printing_};
    std::vector<PrintedPage> pages_;
    QString texts_;
    bool clickFailed_ = false;
};

bool writeLocale(const QString& folder) {
    // The C library's locale, which QApplication has set from the environment, and how it
    // writes a number.
    char number[16];
    std::snprintf(number, sizeof number, "%.1f", 1.5);
    const char* name = std::setlocale(LC_ALL, nullptr);
    const QString text =
        QStringLiteral("%1\n%2\n")
            .arg(QLatin1String(name != nullptr ? name : "?"), QLatin1String(number));
    QFile file(folder + QStringLiteral("/locale.txt"));
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0;
}

}  // namespace
}  // namespace torveld

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: qt_window_probe FOLDER [--start-only]\n");
        return 2;
    }
    const QString folder = arguments[1];
    const bool startOnly = arguments.contains(QStringLiteral("--start-only"));
    if (!QDir().mkpath(folder)) return 1;
    bool written = torveld::writeLocale(folder);
    {
        torveld::Probe probe(folder);
        written = (startOnly ? probe.writeMain(0) : probe.writeStates()) && written;
    }
    return written ? 0 : 1;
}
