// The print-preview library on Qt 6 PrintSupport: dpStartDoc ... dpEndDoc record one landscape
// 11 x 8.5 in page, and dpEndDoc shows it in Qt's print preview, from which the user prints it
// on any installed printer or saves it as PDF.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "print_preview.h"

class QPainter;
class QWidget;

namespace torveld::platform::qt {

// One recorded drawing call; coordinates in inches from the page's top-left corner.
struct PageFont {
    int style = 1;  // 1 plain; the flag 4 emphasises (bold)
    float size = 10.0f;
    std::uint32_t colour = 0;  // 0x00BBGGRR
    std::string face;
};
struct PageText {
    float x = 0;
    float y = 0;        // top of the text line
    int alignment = 0;  // 0 begins at x, 1 centred on x
    std::string text;
};
struct PageRect {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    float lineWidth = 1;  // in pixels of 1/96 in
    std::uint32_t colour1 = 0;
    std::uint32_t colour2 = 0;
};
using PageCall = std::variant<PageFont, PageText, PageRect>;

struct PrintedPage {
    std::string title;
    std::vector<PageCall> calls;
};

inline constexpr double kPageWidthInches = 11.0;
inline constexpr double kPageHeightInches = 8.5;

// Paints the page on a painter whose origin is the paper's top-left corner; inches become
// device units through the device's resolution.
void paintPage(QPainter& painter, const PrintedPage& page);

// Writes the page as a one-page landscape letter PDF; false when the file cannot be written.
bool writePagePdf(const PrintedPage& page, const QString& path);

class QtPrintPreview final : public PrintPreview {
  public:
    // Receives each completed page instead of the preview dialog (tests, screenshots).
    using PageSink = std::function<void(const PrintedPage&)>;

    QtPrintPreview() = default;

    int dpStartDoc(int parent, std::string_view title, std::string_view file, int a, int b, int c,
                   int d, int e) override;
    int dpFont(int doc, int style, float size, std::uint32_t colour,
               std::string_view face) override;
    int dpText(int doc, float x, float y, int alignment, std::string_view text) override;
    int dpRect(int doc, float x1, float y1, float x2, float y2, float lineWidth,
               std::uint32_t colour1, std::uint32_t colour2) override;
    int dpEndDoc(int doc, int flags) override;

    void setPageSink(PageSink sink) { sink_ = std::move(sink); }
    // Documents started and not yet ended.
    std::size_t openDocuments() const { return documents_.size(); }

  private:
    void showPreview(const PrintedPage& page);

    std::map<int, PrintedPage> documents_;
    int nextHandle_ = 1;
    PageSink sink_;
};

}  // namespace torveld::platform::qt
