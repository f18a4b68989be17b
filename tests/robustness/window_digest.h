// Fingerprints of what the headless platform shows, cheap enough to take after every event of a
// long random sequence: a 64-bit digest of every control of a window (texts, places, states,
// list items and cells), and of a printed document. Two windows with the same digest show the
// same thing; when they differ, `describeDifferences` says where.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "headless_windowing.h"
#include "recording_print_preview.h"

namespace torveld::robustness {

class Digest {
  public:
    void add(std::uint64_t value);
    void add(std::string_view text);
    std::uint64_t value() const { return state_; }

  private:
    std::uint64_t state_ = 0x9e3779b97f4a7c15ull;
};

// What a window's digest leaves out: the history of the session that no fresh window repeats.
// Always left out: the window's show state, stacking order and move count, and the scroll
// position of list views (each checked on its own by the sequence test). `ignoreSelection`
// names list controls whose selected position is left out as well, because a user's pick in a
// list without an action is the user's until the next display pass; `ignoreItems` those whose
// items are left out (the drop-downs of earlier entries, checked on their own).
struct DigestOptions {
    std::set<int> ignoreSelection;
    std::set<int> ignoreItems;
};

// A hidden control counts only as hidden: its texts and places are what no one can see.
// A control counts as shown when it is visible and its rectangle is not collapsed; a collapsed
// control can be neither seen nor clicked, whatever its visible flag says.
bool isShown(const platform::HeadlessControl& control);

std::uint64_t windowDigest(const platform::HeadlessWindow& window,
                           const DigestOptions& options = {});
// A document's digest leaves out the handle its calls name.
std::uint64_t documentDigest(const platform::RecordingPrintPreview::Document& document);

// Every difference between two windows that the digest covers, one per line, at most
// `maxLines` of them.
std::string describeDifferences(const platform::HeadlessWindow& actual,
                                const platform::HeadlessWindow& expected,
                                const DigestOptions& options = {}, int maxLines = 20);

// The calls in which two printed documents differ, one per line, at most `maxLines`.
std::string describeDifferences(const platform::RecordingPrintPreview::Document& actual,
                                const platform::RecordingPrintPreview::Document& expected,
                                int maxLines = 20);

}  // namespace torveld::robustness
