#include "recording_print_preview.h"

namespace torveld::platform {

int RecordingPrintPreview::dpStartDoc(int parent, std::string_view title, std::string_view file,
                                      int a, int b, int c, int d, int e) {
    if (failNext_) {
        failNext_ = false;
        return 0;
    }
    open_ = nextHandle_++;
    documents_.emplace_back();
    documents_.back().push_back(
        Call{"dpStartDoc",
             {static_cast<long long>(parent), std::string(title), std::string(file),
              static_cast<long long>(a), static_cast<long long>(b), static_cast<long long>(c),
              static_cast<long long>(d), static_cast<long long>(e)}});
    return open_;
}

void RecordingPrintPreview::record(int doc, Call call) {
    // Calls on a handle that is not the open document are ignored, as the library would.
    if (doc != open_ || open_ == 0 || documents_.empty()) return;
    documents_.back().push_back(std::move(call));
}

int RecordingPrintPreview::dpFont(int doc, int style, float size, std::uint32_t colour,
                                  std::string_view face) {
    record(doc, Call{"dpFont",
                     {static_cast<long long>(doc), static_cast<long long>(style), size,
                      static_cast<long long>(colour), std::string(face)}});
    return 1;
}

int RecordingPrintPreview::dpText(int doc, float x, float y, int alignment, std::string_view text) {
    record(doc, Call{"dpText",
                     {static_cast<long long>(doc), x, y, static_cast<long long>(alignment),
                      std::string(text)}});
    return 1;
}

int RecordingPrintPreview::dpRect(int doc, float x1, float y1, float x2, float y2, float lineWidth,
                                  std::uint32_t colour1, std::uint32_t colour2) {
    record(doc, Call{"dpRect",
                     {static_cast<long long>(doc), x1, y1, x2, y2, lineWidth,
                      static_cast<long long>(colour1), static_cast<long long>(colour2)}});
    return 1;
}

int RecordingPrintPreview::dpEndDoc(int doc, int flags) {
    record(doc, Call{"dpEndDoc", {static_cast<long long>(doc), static_cast<long long>(flags)}});
    if (doc == open_) open_ = 0;
    return 1;
}

}  // namespace torveld::platform
