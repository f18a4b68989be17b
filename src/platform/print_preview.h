// Platform interfaces: the print-preview library that draws and shows the data sheet.
#pragma once

#include <cstdint>
#include <string_view>

namespace torveld::platform {

// The fixed arguments of dpStartDoc and dpEndDoc. The system passes the same words with every
// document and relies on none of them: what they select is the library's business (the Qt
// preview draws one landscape letter page whatever they say), and the recording preview keeps
// them, so that a change to them shows in the call-by-call comparison of the sheet.
namespace start_doc {
inline constexpr int kNoParent = 0;              // the preview is owned by no window
inline constexpr std::string_view kNoFile = "";  // the document is shown, not written to a file
// The library's five document options, as the system has always passed them (136 = 8 + 128,
// two flag bits).
inline constexpr int kOptionA = 0;
inline constexpr int kOptionB = 1;
inline constexpr int kOptionC = 1;
inline constexpr int kOptionD = 7;
inline constexpr int kOptionE = 136;
}  // namespace start_doc
// dpEndDoc: complete the document and hand it to the preview for the user to see and print.
inline constexpr int kEndDocShowPreview = 4;

// A page of 11 x 8.5 in (landscape), coordinates in inches from the top-left corner.
// One dpStartDoc, any number of dpFont / dpRect / dpText on its handle, one dpEndDoc.
class PrintPreview {
  public:
    virtual ~PrintPreview() = default;
    // Returns a handle of 1 or more, or 0 or less when no document could be created.
    virtual int dpStartDoc(int parent, std::string_view title, std::string_view file, int a, int b,
                           int c, int d, int e) = 0;
    // style 1 plain, 5 emphasised; size in points; colour 0x00BBGGRR.
    virtual int dpFont(int doc, int style, float size, std::uint32_t colour,
                       std::string_view face) = 0;
    // y is the top of the text line; alignment 0 begins at x, 1 centres on x.
    virtual int dpText(int doc, float x, float y, int alignment, std::string_view text) = 0;
    // Opposite corners; a black outline with a white interior.
    virtual int dpRect(int doc, float x1, float y1, float x2, float y2, float lineWidth,
                       std::uint32_t colour1, std::uint32_t colour2) = 0;
    // Completes the document and hands it to the user to see and print.
    virtual int dpEndDoc(int doc, int flags) = 0;
};

}  // namespace torveld::platform
