// Finding a thread by its designation, the find box, and the special sizes found.
#include <algorithm>

#include "control_ids.h"
#include "designation.h"
#include "main_window.h"

namespace torveld {

namespace {

// How many designations found the find box offers again.
constexpr std::size_t kHistorySize = 10;

// What the find box says of a size found, from the report of the classes the designation names:
// what the window shows, and which classes named it does not display (the query computes them).
std::string findNote(const ThreadReport& named) {
    std::vector<std::string_view> hidden;
    for (const ReportClass& c : named.classes) {
        if (!c.record && std::find(hidden.begin(), hidden.end(), c.name) == hidden.end()) {
            hidden.push_back(c.name);
        }
    }
    std::string text = "Shown: ";
    if (hidden.empty()) {
        text += named.identity.designation;
    } else {
        text += named.identity.sizeDesignation;
        text += "; ";
        for (std::size_t i = 0; i < hidden.size(); ++i) {
            if (i > 0) text += i + 1 == hidden.size() ? " and " : ", ";
            text += hidden[i];
        }
        text += hidden.size() == 1 ? " is not displayed here, the query computes it"
                                   : " are not displayed here, the query computes them";
    }
    for (const ReportNote& note : named.notes) {
        if (note.kind != ReportNote::Kind::Reading) continue;
        text += "; ";
        text += note.text;
    }
    return text;
}

}  // namespace

const std::vector<SpecialSizeShown>& MainWindow::specialSizes(SeriesId id) const {
    static const std::vector<SpecialSizeShown> none;
    return isValidSeries(id) ? specials_[static_cast<std::size_t>(id)] : none;
}

std::vector<std::string> MainWindow::specialEntries(SeriesId id) const {
    std::vector<std::string> entries;
    for (const SpecialSizeShown& s : specialSizes(id)) entries.push_back(specialListEntry(s));
    return entries;
}

std::vector<std::string> MainWindow::infoNote() const {
    return torveld::infoNote(report_);
}

void MainWindow::refreshInfoNote() {
    const std::vector<std::string> note = infoNote();
    if (info_.isOpen() && info_.note() != note) info_.refresh(selection_.series, mode_, note);
}

void MainWindow::openFindBox() {
    if (ended_ || window_ == 0 || !windowing_.isWindowOpen(window_)) return;
    findBox_.show(windowing_.windowRect(window_), findHistory_);
}

void MainWindow::openMeasureWindow() {
    if (ended_ || window_ == 0 || !windowing_.isWindowOpen(window_)) return;
    measure_.show(windowing_.windowRect(window_), report_, mode_);
}

void MainWindow::pickSize(int position) {
    // What the list shows and what a pick of it shows, without reading the list back: a
    // windowing that draws nothing has no list to read.
    windowing_.listSelect(window_, ids::kSizeList, position);
    showSize(position);
}

FindOutcome MainWindow::find(std::string_view text) {
    FindOutcome outcome = findDesignation(text);
    lastFind_ = LastFind{std::string(text), outcome};
    if (outcome.found) {
        findHistory_.erase(std::remove(findHistory_.begin(), findHistory_.end(), outcome.canonical),
                           findHistory_.end());
        findHistory_.insert(findHistory_.begin(), outcome.canonical);
        if (findHistory_.size() > kHistorySize) findHistory_.resize(kHistorySize);
        findBox_.showFound(outcome.shown, findHistory_);
    } else {
        findBox_.showError(outcome.message);
    }
    return outcome;
}

FindOutcome MainWindow::findDesignation(std::string_view text) {
    // Any windowing will do once started, also one that draws nothing (a program reading the
    // record of texts); after CLOSE nothing is found.
    if (ended_ || window_ == 0) return {false, {}, "the window is closed", {}};
    const designation::Result read = designation::read(text, {selection_.series});
    if (!read) return {false, {}, read.error().message, {}};
    const designation::Designation& d = read.designation();
    const std::string canonical(d.canonical.view());

    // A special size found before is selected again, as the designation now names it; a new
    // one is computed first, so that a refusal changes nothing. The window shows the usual
    // classes; the report of the classes named says what the find box tells of them.
    std::vector<SpecialSizeShown>* specials =
        d.isSpecial() ? &specials_[static_cast<std::size_t>(d.series)] : nullptr;
    const auto known =
        specials == nullptr
            ? std::vector<SpecialSizeShown>::iterator{}
            : std::find_if(specials->begin(), specials->end(),
                           [&](const SpecialSizeShown& s) { return sameSize(s, d); });
    const bool knownSpecial = specials != nullptr && known != specials->end();
    ReportOutcome usual = knownSpecial ? ReportOutcome{known->report} : usualReport(d);
    if (const auto* reason = std::get_if<std::string>(&usual)) return {false, {}, *reason, {}};
    const ReportOutcome named = withNamedClasses(std::get<ThreadReport>(usual), d);
    if (const auto* reason = std::get_if<std::string>(&named)) return {false, {}, *reason, {}};
    FindOutcome found{true, canonical, {}, findNote(std::get<ThreadReport>(named))};

    if (specials == nullptr) {
        showFound(d.series, d.sizeIndex);
        return found;
    }
    std::size_t index = static_cast<std::size_t>(known - specials->begin());
    if (knownSpecial) {
        known->designation = d;
    } else {
        specials->push_back({d, std::move(std::get<ThreadReport>(usual))});
        // The list of the series on show grows by the new entry; another series' list is
        // filled with it when the series is chosen.
        if (d.series == selection_.series) {
            windowing_.listAppend(window_, ids::kSizeList, specialListEntry(specials->back()));
        }
    }
    showFound(d.series, sizeCount(d.series) + static_cast<int>(index));
    return found;
}

void MainWindow::showFound(SeriesId id, int position) {
    // As a click on the series radio (the refresh cycle, the pipe arrangement entered or left)
    // and then a pick in the size list.
    seriesChosen(id);
    if (position != selection_.sizeIndex) {
        pickSize(position);
    } else if (special_) {
        // The special size on show again: its designation may name other classes now.
        special_ = specialSizes(id)[static_cast<std::size_t>(position - sizeCount(id))];
    }
    syncRadios();
}

}  // namespace torveld
