// Headless platform: a print-preview library that records every call of every document.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "print_preview.h"

namespace torveld::platform {

class RecordingPrintPreview : public PrintPreview {
  public:
    using Argument = std::variant<long long, float, std::string>;
    struct Call {
        std::string operation;
        std::vector<Argument> arguments;  // in the order passed (the handle included)
    };
    using Document = std::vector<Call>;

    int dpStartDoc(int parent, std::string_view title, std::string_view file, int a, int b, int c,
                   int d, int e) override;
    int dpFont(int doc, int style, float size, std::uint32_t colour,
               std::string_view face) override;
    int dpText(int doc, float x, float y, int alignment, std::string_view text) override;
    int dpRect(int doc, float x1, float y1, float x2, float y2, float lineWidth,
               std::uint32_t colour1, std::uint32_t colour2) override;
    int dpEndDoc(int doc, int flags) override;

    // The next dpStartDoc fails (returns 0) and records nothing.
    void failNextStart() { failNext_ = true; }

    // Documents whose start succeeded, in order; the last may still be open.
    const std::vector<Document>& documents() const { return documents_; }
    bool documentOpen() const { return open_ != 0; }

  private:
    void record(int doc, Call call);

    std::vector<Document> documents_;
    int open_ = 0;
    int nextHandle_ = 1;
    bool failNext_ = false;
};

}  // namespace torveld::platform
