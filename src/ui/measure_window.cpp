#include "measure_window.h"

#include <algorithm>

#include "control_table.h"
#include "find_box.h"
#include "info_window.h"
#include "window_place.h"

namespace torveld {

namespace {

using namespace platform;
using W = MeasureWindow;

constexpr int kBold = 700;
constexpr int kBasePoints = 8;
// The dropped list of an entry: its earlier entries, 16 pixels each, under the line.
constexpr int kEntryHeight = 24 + static_cast<int>(W::kHistorySize) * 16;

FontSpec font(int points) {
    return FontSpec{main_window::kFontFace, points, kBold};
}

struct Column {
    const char* caption;
    int width;
};
constexpr Column kWireColumns[] = {{"CLASS", 42},   {"MAX", 53},      {"MIN", 53},
                                   {"VERDICT", 90}, {"FROM MAX", 64}, {"FROM MIN", 64}};
constexpr Column kGaugeColumns[] = {{"CLASS", 70}, {"GAUGE", 190}, {"SIZE", 106}};

// The entries of each part, with the word a message names them by.
struct Entry {
    int id;
    const char* name;
};
constexpr Entry kWireEntries[] = {
    {W::kWireEntryId, "Wire"}, {W::kReadingEntryId, "Reading"}, {W::kPlaneEntryId, "Plane"}};
constexpr Entry kIdentifyEntries[] = {
    {W::kDiameterEntryId, "Diameter"}, {W::kPitchEntryId, "Pitch"}, {W::kAngleEntryId, "Angle"}};

bool isWireEntry(int id) {
    return id == W::kWireEntryId || id == W::kReadingEntryId || id == W::kPlaneEntryId;
}

bool isIdentifyEntry(int id) {
    return id == W::kDiameterEntryId || id == W::kPitchEntryId || id == W::kAngleEntryId;
}

}  // namespace

bool MeasureWindow::isOpen() const {
    return open_ && windowing_.isWindowOpen(handle_);
}

Rect MeasureWindow::place(Rect mainWindow, Size screen) {
    return besideMainWindow(mainWindow, screen, kWidth, kHeight);
}

void MeasureWindow::show(Rect mainWindow, const ThreadReport& report, const UnitMode& mode) {
    if (isOpen()) {
        windowing_.showWindow(handle_, ShowState::Normal);
        windowing_.bringToTop(handle_);
        return;
    }
    open(mainWindow);
    // The entries show what they took when last entered: a refusal of a text no longer there
    // is not repeated.
    inputs_.wireError.clear();
    inputs_.identifyError.clear();
    if (!identifiedIn_ || identifiedIn_->isMetric() != mode.isMetric()) identify(mode);
    fillCandidates(mode);
    apply(report, mode);
}

void MeasureWindow::refresh(const ThreadReport& report, const UnitMode& mode) {
    if (!isOpen()) return;
    if (!identifiedIn_ || identifiedIn_->isMetric() != mode.isMetric()) {
        identify(mode);
        fillCandidates(mode);
    }
    apply(report, mode);
}

void MeasureWindow::close() {
    if (isOpen()) windowing_.closeWindow(handle_);
    open_ = false;
    handle_ = 0;
}

void MeasureWindow::onBackgroundPress(WindowHandle window) {
    if (!owns(window)) return;
    windowing_.bringToTop(handle_);
    windowing_.beginMove(handle_);
}

std::optional<std::string> MeasureWindow::onControlEvent(WindowHandle window, int controlId,
                                                         int code, const ThreadReport& report,
                                                         const UnitMode& mode) {
    if (!owns(window)) return std::nullopt;
    switch (controlId) {
        case kCloseId:
            close();
            return std::nullopt;
        case kJudgeId:
            readWires(report, mode);
            return std::nullopt;
        case kNameId:
            readIdentify(mode);
            return std::nullopt;
        case kShowId:
            return chosenDesignation();
        case kLeadOffId:
        case kLeadOnId:
            inputs_.leadAngle = controlId == kLeadOnId ? measure::LeadAngle::Included
                                                       : measure::LeadAngle::Neglected;
            apply(report, mode);
            return std::nullopt;
        case kMajorId:
        case kMinorId:
        case kAnyFormId:
        case kParallelId:
        case kTaperId: {
            const MeasureInputs before = inputs_;
            if (controlId == kMajorId) inputs_.side = measure::Side::External;
            if (controlId == kMinorId) inputs_.side = measure::Side::Internal;
            if (controlId == kAnyFormId) inputs_.taper.reset();
            if (controlId == kParallelId) inputs_.taper = measure::FormKind::Parallel;
            if (controlId == kTaperId) inputs_.taper = measure::FormKind::Taper;
            if (inputs_ != before) {
                identify(mode);
                fillCandidates(mode);
            }
            syncRadios();
            return std::nullopt;
        }
        case kCandidatesId:
            if (code == notify::kSelectionChanged) {
                const int at = windowing_.listSelected(handle_, kCandidatesId);
                const int count = static_cast<int>(identified_.designations.size());
                if (at >= 0 && at < count) {
                    chosen_ = at;
                    candidateMessage_.clear();
                    writeCandidateNote();
                } else if (count > 0) {
                    // A cleared or impossible selection names no candidate: keep the chosen one.
                    windowing_.listSelect(handle_, kCandidatesId, chosen_);
                }
            } else if (code == notify::kActivated) {
                return chosenDesignation();
            }
            return std::nullopt;
        default:
            break;
    }
    // Return in an entry reads its part; a choice from its drop-down only becomes its text.
    if (code == notify::kEntered && isWireEntry(controlId)) readWires(report, mode);
    if (code == notify::kEntered && isIdentifyEntry(controlId)) readIdentify(mode);
    return std::nullopt;
}

void MeasureWindow::showError(const std::string& message) {
    if (!isOpen()) return;
    candidateMessage_ = message;
    writeCandidateNote();
}

int MeasureWindow::chosenCandidate() const {
    return identified_.designations.empty() ? -1 : chosen_;
}

std::optional<std::string> MeasureWindow::chosenDesignation() const {
    const int at = chosenCandidate();
    if (at < 0) return std::nullopt;
    const std::string& d = identified_.designations[static_cast<std::size_t>(at)];
    if (d.empty()) return std::nullopt;
    return d;
}

std::string MeasureWindow::entryText(int id) const {
    return isOpen() ? windowing_.controlText(handle_, id) : std::string();
}

void MeasureWindow::remember(int entryId, const std::string& shown) {
    entered_[entryId] = shown;
    windowing_.setControlText(handle_, entryId, shown);
    if (shown.empty()) return;
    std::vector<std::string>& earlier = history_[entryId];
    earlier.erase(std::remove(earlier.begin(), earlier.end(), shown), earlier.end());
    earlier.insert(earlier.begin(), shown);
    if (earlier.size() > kHistorySize) earlier.resize(kHistorySize);
    windowing_.listClear(handle_, entryId);
    for (const std::string& e : earlier) windowing_.listAppend(handle_, entryId, e);
}

void MeasureWindow::readWires(const ThreadReport& report, const UnitMode& mode) {
    // Every entry of the part is read before any is taken: one that cannot be read changes
    // nothing.
    EnteredLength read[3];
    for (std::size_t i = 0; i < std::size(kWireEntries); ++i) {
        const Entry& e = kWireEntries[i];
        // The plane is read where the thread is taper; elsewhere its entry is hidden.
        if (e.id == kPlaneEntryId && !view_.taper) {
            read[i].inches = inputs_.plane;
            read[i].shown = entered_[e.id];
            continue;
        }
        read[i] = enterLength(entryText(e.id), mode);
        if (!read[i].error.empty()) {
            inputs_.wireError = std::string(e.name) + ": " + read[i].error;
            apply(report, mode);
            return;
        }
    }
    inputs_.wireError.clear();
    inputs_.wire = read[0].inches;
    inputs_.reading = read[1].inches;
    inputs_.plane = read[2].inches;
    for (std::size_t i = 0; i < std::size(kWireEntries); ++i)
        remember(kWireEntries[i].id, read[i].shown);
    apply(report, mode);
}

void MeasureWindow::readIdentify(const UnitMode& mode) {
    const EnteredLength diameter = enterLength(entryText(kDiameterEntryId), mode);
    const EnteredPitchText pitch = enterPitch(entryText(kPitchEntryId), mode);
    const EnteredAngle angle = enterAngle(entryText(kAngleEntryId));
    const std::string* error = !diameter.error.empty() ? &diameter.error
                               : !pitch.error.empty()  ? &pitch.error
                               : !angle.error.empty()  ? &angle.error
                                                       : nullptr;
    if (error != nullptr) {
        const char* name = error == &diameter.error ? kIdentifyEntries[0].name
                           : error == &pitch.error  ? kIdentifyEntries[1].name
                                                    : kIdentifyEntries[2].name;
        inputs_.identifyError = std::string(name) + ": " + *error;
        candidateMessage_.clear();
        writeCandidateNote();
        return;
    }
    inputs_.identifyError.clear();
    inputs_.diameter = diameter.inches;
    inputs_.pitch = pitch.pitch;
    inputs_.angle = angle.degrees;
    remember(kDiameterEntryId, diameter.shown);
    remember(kPitchEntryId, pitch.shown);
    remember(kAngleEntryId, angle.shown);
    identify(mode);
    fillCandidates(mode);
}

void MeasureWindow::identify(const UnitMode& mode) {
    identified_ = identifyEntered(inputs_, mode);
    identifiedIn_ = mode;
    chosen_ = 0;
    candidateMessage_.clear();
}

void MeasureWindow::fillCandidates(const UnitMode& mode) {
    if (!isOpen()) return;
    windowing_.listClear(handle_, kCandidatesId);
    for (const std::string& entry : candidateEntries(identified_, mode)) {
        windowing_.listAppend(handle_, kCandidatesId, entry);
    }
    if (chosenCandidate() >= 0) windowing_.listSelect(handle_, kCandidatesId, chosen_);
    writeCandidateNote();
}

void MeasureWindow::writeCandidateNote() {
    const std::string note = candidateMessage_.empty()
                                 ? candidateNote(identified_, inputs_, chosen_)
                                 : wrapLines(candidateMessage_, kMeasureColumns);
    windowing_.setControlText(handle_, kCandidateNoteId, note);
}

void MeasureWindow::apply(const ThreadReport& report, const UnitMode& mode) {
    if (!isOpen()) return;
    view_ = measureView(report, mode, inputs_);
    windowing_.setControlText(handle_, kHeaderId, view_.header);
    windowing_.showControl(handle_, kPlaneCaptionId, view_.taper);
    windowing_.showControl(handle_, kPlaneEntryId, view_.taper);

    windowing_.viewClear(handle_, kWiresListId);
    for (std::size_t i = 0; i < std::size(kWireColumns); ++i) {
        windowing_.viewAddColumn(handle_, kWiresListId, static_cast<int>(i),
                                 kWireColumns[i].caption, kWireColumns[i].width);
    }
    windowing_.viewAddRows(handle_, kWiresListId, 0, view_.wireRows);
    windowing_.setControlText(handle_, kWiresMessageId, view_.wireMessage);

    windowing_.viewClear(handle_, kGaugesListId);
    for (std::size_t i = 0; i < std::size(kGaugeColumns); ++i) {
        windowing_.viewAddColumn(handle_, kGaugesListId, static_cast<int>(i),
                                 kGaugeColumns[i].caption, kGaugeColumns[i].width);
    }
    windowing_.viewAddRows(handle_, kGaugesListId, 0, view_.gaugeRows);
    windowing_.setControlText(handle_, kGaugesNoteId, view_.gaugeNote);
    syncRadios();
}

void MeasureWindow::syncRadios() {
    // Exactly the radio of each choice is on, whatever was clicked.
    const auto set = [&](int id, bool on) {
        if (windowing_.radioChecked(handle_, id) != on) windowing_.setRadio(handle_, id, on);
    };
    set(kLeadOffId, !view_.leadAngleOn);
    set(kLeadOnId, view_.leadAngleOn);
    set(kMajorId, inputs_.side == measure::Side::External);
    set(kMinorId, inputs_.side == measure::Side::Internal);
    set(kAnyFormId, !inputs_.taper);
    set(kParallelId, inputs_.taper == measure::FormKind::Parallel);
    set(kTaperId, inputs_.taper == measure::FormKind::Taper);
}

void MeasureWindow::open(Rect mainWindow) {
    const Rect rect = place(mainWindow, windowing_.screenSize());
    // Built hidden, without a title bar, in the information window's colours and Tahoma bold.
    handle_ = windowing_.createWindow(
        WindowSpec{kTitle, rect, InfoWindow::kBackground, true, font(kBasePoints)});
    windowing_.setWindowBackground(handle_, InfoWindow::kBackground);
    const auto add = [&](ControlKind kind, const char* caption, Rect r, unsigned styleWord, int id,
                         bool field, int points) {
        windowing_.createControl(handle_, ControlSpec{kind, caption, r, styleWord, id});
        windowing_.setControlColours(handle_, id, colours::kText,
                                     field ? colours::kField : InfoWindow::kBackground);
        if (points != kBasePoints) windowing_.setControlFont(handle_, id, font(points));
    };
    const unsigned shown = style::kVisible;
    const unsigned centred = style::kVisible | style::kCentred;
    const unsigned list =
        style::kVisible | style::kBorder | style::kReportView | style::kSingleSelect;
    const unsigned entry = style::kVisible | style::kVScroll;
    using K = ControlKind;
    add(K::Label, "", {10, 8, 720, 20}, centred, kHeaderId, false, kBasePoints + 2);

    // Over wires, left.
    add(K::Label, "OVER WIRES", {10, 34, 370, 18}, centred, kWiresCaptionId, false,
        kBasePoints + 1);
    add(K::Label, "WIRE", {10, 58, 60, 18}, shown, kWireCaptionId, false, kBasePoints);
    add(K::HistoryEntry, "", {70, 54, 105, kEntryHeight}, entry, kWireEntryId, true,
        kBasePoints + 1);
    add(K::Label, "READING", {185, 58, 70, 18}, shown, kReadingCaptionId, false, kBasePoints);
    add(K::HistoryEntry, "", {255, 54, 125, kEntryHeight}, entry, kReadingEntryId, true,
        kBasePoints + 1);
    add(K::Label, "PLANE", {10, 86, 60, 18}, 0, kPlaneCaptionId, false, kBasePoints);
    add(K::HistoryEntry, "", {70, 82, 105, kEntryHeight}, style::kVScroll, kPlaneEntryId, true,
        kBasePoints + 1);
    add(K::Button, "JUDGE", {300, 82, 80, 24}, shown, kJudgeId, true, kBasePoints + 1);
    add(K::Label, "LEAD ANGLE TERM", {10, 114, 130, 18}, shown, kLeadCaptionId, false, kBasePoints);
    add(K::Radio, "OFF", {140, 112, 55, 20}, shown | style::kGroupStart, kLeadOffId, false,
        kBasePoints);
    add(K::Radio, "ON", {200, 112, 55, 20}, shown, kLeadOnId, false, kBasePoints);
    add(K::ListView, "", {10, 138, 370, 88}, list, kWiresListId, true, kBasePoints);
    add(K::Label, "", {10, 230, 370, 104}, shown, kWiresMessageId, false, kBasePoints);
    add(K::Label, "GAUGES", {10, 338, 370, 18}, centred, kGaugesCaptionId, false, kBasePoints + 1);
    add(K::ListView, "", {10, 356, 370, 104}, list, kGaugesListId, true, kBasePoints);
    add(K::Label, "", {10, 464, 370, 130}, shown, kGaugesNoteId, false, kBasePoints);

    // Naming a thread, right.
    add(K::Label, "NAME A THREAD", {390, 34, 340, 18}, centred, kIdentifyCaptionId, false,
        kBasePoints + 1);
    add(K::Radio, "MAJOR (EXTERNAL)", {390, 54, 165, 20}, shown | style::kGroupStart, kMajorId,
        false, kBasePoints);
    add(K::Radio, "MINOR (INTERNAL)", {560, 54, 165, 20}, shown, kMinorId, false, kBasePoints);
    add(K::Label, "DIAMETER", {390, 82, 75, 18}, shown, kDiameterCaptionId, false, kBasePoints);
    add(K::HistoryEntry, "", {465, 78, 100, kEntryHeight}, entry, kDiameterEntryId, true,
        kBasePoints + 1);
    add(K::Label, "PITCH", {575, 82, 50, 18}, shown, kPitchCaptionId, false, kBasePoints);
    add(K::HistoryEntry, "", {625, 78, 105, kEntryHeight}, entry, kPitchEntryId, true,
        kBasePoints + 1);
    add(K::Radio, "ANY FORM", {390, 108, 95, 20}, shown | style::kGroupStart, kAnyFormId, false,
        kBasePoints);
    add(K::Radio, "PARALLEL", {485, 108, 90, 20}, shown, kParallelId, false, kBasePoints);
    add(K::Radio, "TAPER", {575, 108, 70, 20}, shown, kTaperId, false, kBasePoints);
    add(K::Label, "ANGLE", {390, 138, 60, 18}, shown, kAngleCaptionId, false, kBasePoints);
    add(K::HistoryEntry, "", {450, 134, 80, kEntryHeight}, entry, kAngleEntryId, true,
        kBasePoints + 1);
    add(K::Button, "NAME", {650, 134, 80, 24}, shown, kNameId, true, kBasePoints + 1);
    add(K::ListBox, "", {390, 164, 340, 164}, shown | style::kNotify | style::kVScroll,
        kCandidatesId, true, kBasePoints + 1);
    add(K::Label, "", {390, 332, 340, 226}, shown, kCandidateNoteId, false, kBasePoints);
    add(K::Button, "SHOW", {390, 566, 80, 24}, shown, kShowId, true, kBasePoints + 1);
    add(K::Button, "CLOSE", {650, 566, 80, 24}, shown, kCloseId, true, kBasePoints + 1);
    for (const int id : {kWireEntryId, kReadingEntryId, kPlaneEntryId, kDiameterEntryId,
                         kPitchEntryId, kAngleEntryId}) {
        windowing_.listSetEntryHeight(handle_, id, 16);
        windowing_.setControlText(handle_, id, entered_[id]);
        for (const std::string& e : history_[id]) windowing_.listAppend(handle_, id, e);
    }
    windowing_.listSetEntryHeight(handle_, kCandidatesId, 16);
    windowing_.setWindowText(handle_, kTitle);
    // Escape closes the window as its CLOSE button does.
    windowing_.bindKey(handle_, KeyChord{keys::kEscape, false}, kCloseId);
    windowing_.showWindow(handle_, ShowState::Normal);
    windowing_.bringToTop(handle_);
    open_ = true;
}

}  // namespace torveld
