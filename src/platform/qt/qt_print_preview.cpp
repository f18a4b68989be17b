#include "qt_print_preview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>
#include <algorithm>

#include "qt_fonts.h"

namespace torveld::platform::qt {
namespace {

// Documents begun and not ended that one process keeps at most; a caller that never ends its
// documents gets a failed start instead of an ever growing record.
constexpr std::size_t kMaxOpenDocuments = 16;

QColor colourOf(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

double lightness(const QColor& colour) {
    return 0.299 * colour.red() + 0.587 * colour.green() + 0.114 * colour.blue();
}

QFont sheetFont(const PageFont& spec) {
    installFonts();
    QFont font;
    font.setFamilies({resolvedFamily(spec.face.empty() ? std::string_view("Verdana") : spec.face),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(spec.size > 0.0f ? spec.size : 10.0);
    font.setBold((spec.style & 4) != 0);
    return font;
}

QPageLayout landscapeLetter() {
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Inch);
}

}  // namespace

void paintPage(QPainter& painter, const PrintedPage& page) {
    QPaintDevice* device = painter.device();
    const double dpiX = device->logicalDpiX();
    const double dpiY = device->logicalDpiY();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QFont font = sheetFont(PageFont{1, 10.0f, 0, "Verdana"});
    QColor textColour(Qt::black);
    for (const PageCall& call : page.calls) {
        if (const auto* f = std::get_if<PageFont>(&call)) {
            font = sheetFont(*f);
            textColour = colourOf(f->colour);
        } else if (const auto* t = std::get_if<PageText>(&call)) {
            const QString text = fromText(t->text);
            if (text.isEmpty()) continue;
            const QFontMetricsF metrics(font, device);
            double x = t->x * dpiX;
            if (t->alignment == 1) x -= metrics.horizontalAdvance(text) / 2.0;
            painter.setFont(font);
            painter.setPen(textColour);
            painter.drawText(QPointF(x, t->y * dpiY + metrics.ascent()), text);
        } else if (const auto* r = std::get_if<PageRect>(&call)) {
            // A dark outline round a light interior, whichever order the two colours come in.
            QColor outline = colourOf(r->colour1);
            QColor fill = colourOf(r->colour2);
            if (lightness(outline) > lightness(fill)) std::swap(outline, fill);
            const double width = std::max(0.0f, r->lineWidth) / 96.0 * dpiX;
            QPen pen(outline, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
            painter.setPen(width > 0.0 ? pen : QPen(Qt::NoPen));
            painter.setBrush(fill);
            const QRectF box(QPointF(std::min(r->x1, r->x2) * dpiX, std::min(r->y1, r->y2) * dpiY),
                             QPointF(std::max(r->x1, r->x2) * dpiX, std::max(r->y1, r->y2) * dpiY));
            painter.drawRect(box);
        }
    }
    painter.restore();
}

bool writePagePdf(const PrintedPage& page, const QString& path) {
    QPdfWriter writer(path);
    writer.setTitle(fromText(page.title));
    writer.setCreator(QStringLiteral("Torveld"));
    writer.setResolution(1200);
    writer.setPageLayout(landscapeLetter());
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    paintPage(painter, page);
    return painter.end();
}

int QtPrintPreview::dpStartDoc(int /*parent*/, std::string_view title, std::string_view /*file*/,
                               int /*a*/, int /*b*/, int /*c*/, int /*d*/, int /*e*/) {
    if (QGuiApplication::instance() == nullptr || documents_.size() >= kMaxOpenDocuments) {
        return 0;
    }
    const int handle = nextHandle_++;
    documents_[handle].title = std::string(title);
    return handle;
}

int QtPrintPreview::dpFont(int doc, int style, float size, std::uint32_t colour,
                           std::string_view face) {
    auto it = documents_.find(doc);
    if (it == documents_.end()) return 0;
    it->second.calls.emplace_back(PageFont{style, size, colour, std::string(face)});
    return 1;
}

int QtPrintPreview::dpText(int doc, float x, float y, int alignment, std::string_view text) {
    auto it = documents_.find(doc);
    if (it == documents_.end()) return 0;
    it->second.calls.emplace_back(PageText{x, y, alignment, std::string(text)});
    return 1;
}

int QtPrintPreview::dpRect(int doc, float x1, float y1, float x2, float y2, float lineWidth,
                           std::uint32_t colour1, std::uint32_t colour2) {
    auto it = documents_.find(doc);
    if (it == documents_.end()) return 0;
    it->second.calls.emplace_back(PageRect{x1, y1, x2, y2, lineWidth, colour1, colour2});
    return 1;
}

int QtPrintPreview::dpEndDoc(int doc, int /*flags*/) {
    auto it = documents_.find(doc);
    if (it == documents_.end()) return 0;
    const PrintedPage page = std::move(it->second);
    documents_.erase(it);
    if (sink_) {
        sink_(page);
    } else {
        showPreview(page);
    }
    return 1;
}

void QtPrintPreview::showPreview(const PrintedPage& page) {
    const QString title = fromText(page.title);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setFullPage(true);
    printer.setPageLayout(landscapeLetter());

    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(title.isEmpty() ? QStringLiteral("Print Preview")
                                          : title + QStringLiteral(" - Print Preview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&page](QPrinter* target) {
                         QPainter painter(target);
                         paintPage(painter, page);
                     });

    auto* savePdf = new QAction(QStringLiteral("Save as PDF"), &dialog);
    savePdf->setToolTip(QStringLiteral("Save the page as a PDF file"));
    QObject::connect(savePdf, &QAction::triggered, &dialog, [&dialog, &page, title] {
        const QString suggested =
            QDir::home().filePath((title.isEmpty() ? QStringLiteral("page") : title) + ".pdf");
        QString path = QFileDialog::getSaveFileName(&dialog, QStringLiteral("Save as PDF"),
                                                    suggested, QStringLiteral("PDF (*.pdf)"));
        if (path.isEmpty()) return;
        if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += ".pdf";
        if (!writePagePdf(page, path)) {
            QMessageBox::warning(&dialog, QStringLiteral("Save as PDF"),
                                 QStringLiteral("Could not write %1").arg(path));
        }
    });
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        bar->addSeparator();
        bar->addAction(savePdf);
    } else {
        dialog.addAction(savePdf);
    }
    dialog.exec();
}

}  // namespace torveld::platform::qt
