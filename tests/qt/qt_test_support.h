// Shared helpers of the Qt platform tests: the application, a recording event handler and the
// words of a PDF page read back with pdftotext.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "windowing.h"

namespace torveld::platform::qt::test {

// Starts the QApplication of the test process once.
void ensureApplication();

struct ControlEvent {
    WindowHandle window;
    int id;
    int code;
    friend bool operator==(const ControlEvent&, const ControlEvent&) = default;
};

class RecordingHandler : public EventHandler {
  public:
    void onBackgroundPress(WindowHandle window) override { presses.push_back(window); }
    void onControlEvent(WindowHandle window, int controlId, int code) override {
        events.push_back({window, controlId, code});
    }
    std::vector<WindowHandle> presses;
    std::vector<ControlEvent> events;
};

// One word of a PDF page in points (1/72 in) from the page's top-left corner.
struct PdfWord {
    std::string text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
};
struct PdfPage {
    double width = 0;
    double height = 0;
    std::vector<PdfWord> words;
};

// Reads the first page of a PDF with `pdftotext -bbox`; an empty page when it cannot be read.
PdfPage readPdf(const QString& path);
// Whether the build found pdftotext; the tests that read a PDF back skip without it.
inline bool havePdfToText() {
    return sizeof(TORVELD_PDFTOTEXT) > 1;
}

// A fresh empty folder for the files one test writes.
QString testFolder(const std::string& name);

}  // namespace torveld::platform::qt::test
