// Long seeded sequences of user events against the whole system on the headless platform, and
// the invariants that must hold after every one of them. Shared by the CI test (a few thousand
// events per seed) and the full run (a million events and more, `robustness-full`).
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "headless_windowing.h"
#include "main_window.h"
#include "recording_print_preview.h"
#include "window_digest.h"

namespace torveld::robustness {

// One event as the headless platform injects it.
struct Event {
    enum class Kind {
        Click,      // a click of control `id` (radios turn on), code 0
        Select,     // list control `id` set to position `value`, then code 1
        Notify,     // control event of `id` with code `value`, nothing else
        Press,      // a press on the window's background
        FailPrint,  // the next document start of the print preview fails
        Key,        // key number `value` of the runner's key list, pressed in the window
        Tip,        // the tip of control `id`, row `value`, asked as a resting pointer would
        Menu,       // the context menu of control `id`; its first entry, if any, chosen
        // Designation number `value` of the runner's list: found through MainWindow::find
        // (the main window), or typed into the find box's line and entered (the find box).
        Find,
        // Entry number `value` of the runner's list of MEASURE window entries: typed into its
        // entry, then Return there.
        Type,
    };
    // Which window the event goes to: the main window, the information window, the find box or
    // the MEASURE window (when it is not open, the handle of the last one, or a handle that
    // never named a window), or a handle that names no window at all.
    enum class Target { Main, Info, Nowhere, Box, Measure };

    Kind kind = Kind::Click;
    Target target = Target::Main;
    int id = 0;
    int value = 0;

    std::string describe() const;
};

// Draws events from the whole range a user, a stray message or a script can produce: every
// control id of the three windows (those that raise no action included), ids that name no
// control, list positions out of range, notification codes other than 1, PRINT with failing and
// succeeding starts, INFO and CLOSE of the information window, unit switches, background
// presses, HIDE and, rarely, CLOSE of the main window; keys bound and unbound, tips of any
// control and row, and context menus of any control; designations found, special, refused and
// broken, from the main window and the find box, and the find box's own controls.
class EventGenerator {
  public:
    explicit EventGenerator(std::uint64_t seed) : rng_(seed) {}
    Event next();

  private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(n)); }
    int strayId();
    int position(int count);
    int code();

    std::mt19937_64 rng_;
};

// What a fresh window must look like: the digest of a main window started from scratch and
// driven straight to one series, size and unit, along the shortest path that leaves the same
// history of arrangement and unit (see Key), together with the information window and the data
// sheet of that state. Built on first use and kept.
class ReferenceCache {
  public:
    struct Key {
        SeriesId series;
        int sizeIndex;
        bool metric;
        // The screw arrangement put back after the pipe arrangement (or by the exit button)
        // differs from the one of start-up in three caption places; the inch drill texts
        // after a metric display carry fewer leading spaces than those of start-up. The
        // reference goes the same way: the exit button, the series, the size, millimetres,
        // inches.
        bool screwRestored;
        bool metricSeen;
        // The designations that added the series' special sizes, in the order of its list:
        // found in turn after the series is chosen, before the size is picked.
        std::vector<std::string> specials;
        auto operator<=>(const Key&) const = default;
    };
    struct Entry {
        std::uint64_t mainDigest = 0;   // selections of the lists without an action left out
        int drillChartRow = -1;         // the guide drill selected in the drill chart
        int engagementRow = -1;         // the engagement list's selection
        std::uint64_t infoDigest = 0;   // the information window opened in that state
        int infoRow = -1;               // the information list's selection
        std::uint64_t sheetDigest = 0;  // the data sheet printed in that state
        std::string table;              // what Ctrl+C copies in that state
        // The context-menu entries of each main-window control that has any.
        std::map<int, std::vector<platform::MenuEntry>> menus;
    };
    // The list controls whose selection the digests leave out (the user's own picks).
    static const DigestOptions& mainDigestOptions();
    static const DigestOptions& infoDigestOptions();
    // The MEASURE window's digest leaves out its entries' drop-downs of earlier entries.
    static const DigestOptions& measureDigestOptions();

    // The MEASURE window of a state: its choices (lead angle, side, form: the index of the
    // radio on), what each part's entries took when last entered and what they hold now (a
    // text that could not be read stays, and its part says why), and the candidate chosen.
    struct MeasureKey {
        int lead = 0;  // 0 the form's choice, 1 off, 2 on
        int side = 0;  // 0 major, 1 minor
        int form = 0;  // 0 any, 1 parallel, 2 taper
        // Wire and reading; diameter, pitch and angle.
        std::vector<std::string> wireTaken = {"", ""}, wireTyped = {"", ""};
        std::vector<std::string> identifyTaken = {"", "", ""}, identifyTyped = {"", "", ""};
        // The entry and text a part could not read when last entered; 0 and "" when it could.
        int wireErrorEntry = 0;
        std::string wireErrorText;
        int identifyErrorEntry = 0;
        std::string identifyErrorText;
        int chosen = 0;
        auto operator<=>(const MeasureKey&) const = default;
    };
    // The digest of the MEASURE window opened in the state of `key` and brought to `measure`
    // by its own controls.
    std::uint64_t measureDigest(const Key& key, const MeasureKey& measure);

    const Entry& get(const Key& key);
    // Builds the reference system of `key` afresh, for a description of differences.
    struct System;
    std::unique_ptr<System> build(const Key& key) const;
    std::size_t size() const { return entries_.size(); }

  private:
    std::map<Key, Entry> entries_;
    std::map<std::pair<Key, MeasureKey>, std::uint64_t> measures_;
};

// The whole system on the headless platform.
struct ReferenceCache::System {
    platform::HeadlessWindowing ui;
    platform::RecordingPrintPreview printing;
    MainWindow main{ui, printing};
    System();
    const platform::HeadlessWindow& mainWindow() const;
    // The open information window, find box and MEASURE window, or nullptr.
    const platform::HeadlessWindow* infoWindow() const;
    const platform::HeadlessWindow* findBox() const;
    const platform::HeadlessWindow* measureWindow() const;
};

// Runs events against one system, predicts from a model of its own what each must change, and
// checks after every event that the system agrees with the model and that every window shows
// what a fresh one shows for the same state. A CLOSE of the main window starts a new system.
class SequenceRunner {
  public:
    explicit SequenceRunner(ReferenceCache& references);
    ~SequenceRunner();

    // Applies one event and checks every invariant; returns an empty string when all hold,
    // else what failed (with the last events that led there).
    std::string step(const Event& event);
    // The invariants alone, on the current state.
    std::string check();

    ReferenceCache::System& system() { return *system_; }
    std::uint64_t steps() const { return steps_; }
    int restarts() const { return restarts_; }
    // How often each kind of reaction was seen, for the report of a long run.
    const std::map<std::string, std::uint64_t>& reactions() const { return reactions_; }

  private:
    // The model: what the system's state must be, worked out from the events alone.
    struct Model {
        SeriesId series = series::UNC;
        int sizeIndex = 0;
        bool metric = false;
        bool screwRestored = false;
        bool metricSeen = false;
        bool minimised = false;
        bool infoOpen = false;
        bool failArmed = false;
        bool closed = false;
        bool infoOnTop = false;       // the information window stands above the main window
        bool lastWasPrint = false;    // the last event printed a sheet
        bool lastWasCopy = false;     // the last event copied the display
        std::optional<int> lastMenu;  // the control whose menu the last event asked
        // Special sizes found, per series: the designation that added each, in list order.
        std::map<SeriesId, std::vector<std::string>> specials;
        // The special shown (its designation), or none; what the information window notes.
        std::string special;
        std::vector<std::string> history;  // designations found, most recent first
        std::optional<std::string> lastFind;
        bool lastFound = false;
        std::string lastCanonical;
        bool boxOpen = false;
        bool boxFocused = false;  // the line has the keyboard focus (it was typed into)
        int boxMoves = 0;
        std::string boxText;
        // The box's message: the hint, "Shown: ...", or a reason (std::nullopt: the one of the
        // last find, which the model does not word).
        std::optional<std::string> boxMessage;
        int messageBoxes = 0;
        int documents = 0;
        int mainMoves = 0;
        int infoMoves = 0;
        // A user's pick in a list without an action (the drill chart, the engagement list,
        // the information list) stands until the next display pass refills or reselects it.
        std::optional<int> drillPick;
        std::optional<int> engagementPick;
        std::optional<int> infoPick;
        // The MEASURE window: open or not, its moves, the entry with the keyboard focus, its
        // state as a reference builds it, and each entry's drop-down of earlier entries.
        bool measureOpen = false;
        int measureMoves = 0;
        int measureFocus = 0;
        ReferenceCache::MeasureKey measure;
        std::map<int, std::vector<std::string>> measureHistory;
        // The unit the candidates were last worked out in; none before the first time.
        std::optional<bool> identifiedMetric;
    };

    void restart();
    void deliver(const Event& event);
    void predict(const Event& event);
    void count(const std::string& reaction) { ++reactions_[reaction]; }
    std::string fail(const std::string& what);
    platform::WindowHandle handleOf(Event::Target target) const;

    int specialCount(SeriesId id) const;

    ReferenceCache& references_;
    std::unique_ptr<ReferenceCache::System> system_;
    Model model_;
    void predictMeasure(const Event& event);
    platform::WindowHandle lastInfo_ = 0;
    platform::WindowHandle lastBox_ = 0;
    platform::WindowHandle lastMeasure_ = 0;
    std::deque<std::string> recent_;
    std::uint64_t steps_ = 0;
    int restarts_ = 0;
    std::map<std::string, std::uint64_t> reactions_;
};

}  // namespace torveld::robustness
