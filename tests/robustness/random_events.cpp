#include "random_events.h"

#include <algorithm>
#include <climits>
#include <sstream>
#include <vector>

#include "control_ids.h"
#include "control_table.h"
#include "drill_chart.h"

namespace torveld::robustness {

namespace {

using platform::HeadlessControl;
using platform::HeadlessWindow;

// Controls of the information window.
constexpr int kInfoList = 1;
constexpr int kInfoClose = 2;
constexpr const char* kInfoTitle = "Thread Info";
constexpr const char* kPrintFailure = "Error Creating ";

// Handles that never name a window.
constexpr int kNowhere[] = {0, -1, 9999, INT_MIN};

// Designations found: rows of the tables, special sizes (one of them twice, written otherwise),
// errors of every kind, and a size that the series shown decides.
struct FindCase {
    enum class Kind { Row, Special, Error, ShownSeries };
    const char* text;
    Kind kind;
    SeriesId series;        // of a row or a special size
    const char* entry;      // the size-list entry it selects
    const char* canonical;  // the designation found
};
using FK = FindCase::Kind;
const FindCase kFinds[] = {
    {"1/4-20 UNC-2A", FK::Row, series::UNC, "  1/4 - 20", "1/4-20 UNC-2A"},
    {"M10", FK::Row, series::ISO_COARSE, "  M10 - 1.5", "M10"},
    {"1/2 NPT", FK::Row, series::NPT, "  1/2 - 14", "1/2-14 NPT"},
    {"1-11.5 nptf", FK::Row, series::NPTF, "  1 - 11 1/2", "1-11 1/2 NPTF"},
    {"3/4-6 ACME", FK::Row, series::ACME, "  3/4 - 6", "3/4-6 ACME"},
    {"2 BA", FK::Row, series::BA, "  2 - 0.810", "2 BA"},
    {"#10-32 unf", FK::Row, series::UNF, "  10 - 32", "10-32 UNF"},
    {"M200x3", FK::Row, series::ISO_FINE, "  M200 - 3", "M200x3"},
    {"11/16-24 UNS", FK::Special, series::UNS, "  11/16 - 24  special", "11/16-24 UNS"},
    {".6875-24 uns-2a", FK::Special, series::UNS, "  11/16 - 24  special", "11/16-24 UNS-2A"},
    {"M42x1", FK::Special, series::ISO_FINE, "  M42 - 1  special", "M42x1"},
    {"M1.3x0.3", FK::Special, series::ISO_FINE, "  M1.3 - 0.3  special", "M1.3x0.3"},
    {".6875-20 UNJ", FK::Special, series::UNJ, "  .6875 - 20  special", ".6875-20 UNJ"},
    {"3/4-10 ACME", FK::Special, series::ACME, "  3/4 - 10  special", "3/4-10 ACME"},
    {"1-10 STUB ACME", FK::Special, series::STUB_ACME, "  1 - 10  special", "1-10 STUB ACME"},
    {"g1/2a", FK::Row, series::G, "  1/2 - 14", "G 1/2 A"},
    {"Rc 3/4", FK::Row, series::R, "  3/4 - 14", "Rc 3/4"},
    {"Tr20x4", FK::Row, series::TR, "  Tr20 - 4", "Tr20x4"},
    {"Tr21x4", FK::Special, series::TR, "  Tr21 - 4  special", "Tr21x4"},
    {"Tr40x14(P7)", FK::Special, series::TR, "  Tr40 - 14(P7)  special", "Tr40x14(P7)"},
    {"1/2-14", FK::ShownSeries, -1, "  1/2 - 14", ""},
    {"1/4-21 UNC", FK::Error, -1, "", ""},
    {"1/2-15 NPT", FK::Error, -1, "", ""},
    {"", FK::Error, -1, "", ""},
    {"M3210x5", FK::Error, -1, "", ""},
    {"M5x1", FK::Error, -1, "", ""},
    {"\xff\xfe 1/4", FK::Error, -1, "", ""},
    {"G1/2-11", FK::Error, -1, "", ""},
    {"Tr20x4-8e", FK::Error, -1, "", ""},
};
// The series that hold 1/2-14, of which the one shown decides.
constexpr SeriesId kHalfInch14[] = {series::UNS,  series::NPT, series::NPTF, series::NPSM,
                                    series::NPSL, series::G,   series::R};

// How the find box writes 1/2-14 of one of those series.
std::string halfInch14(SeriesId id) {
    if (id == series::G || id == series::R) return std::string(seriesById(id).name) + " 1/2";
    return std::string("1/2-14 ") + seriesById(id).name;
}

// Controls of the find box.
constexpr const char* kBoxTitle = FindBox::kTitle;
constexpr int kBoxEntry = FindBox::kEntryId;
constexpr int kBoxFind = FindBox::kFindId;
constexpr int kBoxClose = FindBox::kCloseId;

// The MEASURE window: entries typed into it (each then entered), those that can be read and
// those that cannot; the entries of its two parts in the order each part reads them.
using MW = MeasureWindow;
constexpr const char* kMeasureTitle = MW::kTitle;
struct TypedCase {
    int entry;
    const char* text;
    bool readable;
};
const TypedCase kTyped[] = {
    {MW::kWireEntryId, "0.0289 in", true},    {MW::kWireEntryId, "0.866 mm", true},
    {MW::kWireEntryId, "0,03", false},        {MW::kWireEntryId, "", true},
    {MW::kReadingEntryId, "0.2603 in", true}, {MW::kReadingEntryId, "10.229 mm", true},
    {MW::kReadingEntryId, "-1", false},       {MW::kReadingEntryId, "", true},
    {MW::kDiameterEntryId, "0.249 in", true}, {MW::kDiameterEntryId, "9.95 mm", true},
    {MW::kDiameterEntryId, "abc", false},     {MW::kPitchEntryId, "20 tpi", true},
    {MW::kPitchEntryId, "1.5 mm", true},      {MW::kPitchEntryId, "1.5 cm", false},
    {MW::kAngleEntryId, "60 deg", true},      {MW::kAngleEntryId, "", true},
    {MW::kAngleEntryId, "60 mm", false},
};
constexpr int kWireEntries[] = {MW::kWireEntryId, MW::kReadingEntryId};
constexpr int kIdentifyEntries[] = {MW::kDiameterEntryId, MW::kPitchEntryId, MW::kAngleEntryId};

bool isWireEntry(int id) {
    return std::find(std::begin(kWireEntries), std::end(kWireEntries), id) !=
           std::end(kWireEntries);
}
bool isIdentifyEntry(int id) {
    return std::find(std::begin(kIdentifyEntries), std::end(kIdentifyEntries), id) !=
           std::end(kIdentifyEntries);
}
// Whether an entry reads a text: those of the list as marked, and every text it took before
// (the drop-down's).
bool readableIn(int entry, const std::string& text) {
    for (const TypedCase& t : kTyped) {
        if (t.entry == entry && text == t.text) return t.readable;
    }
    return true;
}

bool isPipe(SeriesId id) {
    return id == series::NPT || id == series::NPTF || id == series::R;
}

// The size list of every series as it must read.
const std::vector<std::string>& sizeListOf(SeriesId id) {
    static const std::vector<std::vector<std::string>> lists = [] {
        std::vector<std::vector<std::string>> all(series::kCount);
        for (SeriesId s = 0; s < series::kCount; ++s) {
            const SizeTable& table = *seriesById(s).sizeTable;
            for (int row = 0; row < table.rowCount; ++row) {
                all[static_cast<std::size_t>(s)].push_back(sizeListEntry(table.rows[row]));
            }
        }
        return all;
    }();
    return lists[static_cast<std::size_t>(id)];
}

// Every id of the main window's controls.
const std::vector<int>& mainIds() {
    static const std::vector<int> ids = [] {
        std::vector<int> all;
        for (const ControlDef& def : mainControls()) all.push_back(def.id);
        return all;
    }();
    return ids;
}

const HeadlessControl& controlOf(const HeadlessWindow& w, int id) {
    return w.controls.at(id);
}

int selectedAfterSelect(int position, int count) {
    return position >= 0 && position < count ? position : -1;
}

// Keys a user presses: the first four and the last are bound (Ctrl+P, F1, Ctrl+Q and Ctrl+C in
// the main window, Escape in the information window), the others are not; Return presses no
// button while none has the focus.
struct KeyCase {
    platform::KeyChord chord;
    const char* name;
};
constexpr KeyCase kKeys[] = {
    {{'P', true}, "Ctrl+P"},
    {{platform::keys::kF1, false}, "F1"},
    {{'Q', true}, "Ctrl+Q"},
    {{platform::keys::kEscape, false}, "Escape"},
    {{'P', false}, "P"},
    {{platform::keys::kReturn, false}, "Return"},
    {{'X', true}, "Ctrl+X"},
    {{platform::keys::kF1 + 1, false}, "F2"},
    {{0, true}, "Ctrl+(none)"},
    {{INT_MAX, false}, "key INT_MAX"},
    {{'C', true}, "Ctrl+C"},
    {{'F', true}, "Ctrl+F"},
    {{platform::keys::kSlash, false}, "/"},
    {{'M', true}, "Ctrl+M"},
};
constexpr int kCtrlQ = 2;
constexpr int kEscapeKey = 3;
constexpr int kReturnKey = 5;
constexpr int kCtrlC = 10;
constexpr int kCtrlF = 11;
constexpr int kSlash = 12;
constexpr int kCtrlM = 13;

// The control a key clicks in the main window and in the information window; 0 for none.
int mainKeyControl(int key) {
    switch (key) {
        case 0:
            return ids::kPrint;
        case 1:
            return ids::kInfo;
        case kCtrlQ:
            return ids::kClose;
        case kCtrlC:
            return ids::kCopyDisplay;
        case kCtrlF:
        case kSlash:
            return ids::kFind;
        case kCtrlM:
            return ids::kMeasure;
        default:
            return 0;
    }
}
int infoKeyControl(int key) {
    return key == 3 ? kInfoClose : 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Events

std::string Event::describe() const {
    std::ostringstream out;
    switch (target) {
        case Target::Main:
            break;
        case Target::Info:
            out << "info ";
            break;
        case Target::Nowhere:
            out << "nowhere ";
            break;
        case Target::Box:
            out << "box ";
            break;
        case Target::Measure:
            out << "measure ";
            break;
    }
    switch (kind) {
        case Kind::Click:
            out << "click " << id;
            break;
        case Kind::Select:
            out << "select " << id << ' ' << value;
            break;
        case Kind::Notify:
            out << "notify " << id << ' ' << value;
            break;
        case Kind::Press:
            out << "press";
            break;
        case Kind::FailPrint:
            out << "print fail";
            break;
        case Kind::Key:
            out << "key " << kKeys[value].name;
            break;
        case Kind::Tip:
            out << "tip " << id << ' ' << value;
            break;
        case Kind::Menu:
            out << "menu " << id;
            break;
        case Kind::Find:
            out << "find '" << kFinds[value].text << "'";
            break;
        case Kind::Type:
            out << "type '" << kTyped[value].text << "' into " << kTyped[value].entry;
            break;
    }
    return out.str();
}

int EventGenerator::strayId() {
    static constexpr int kStray[] = {0,
                                     -1,
                                     1,
                                     2,
                                     3,
                                     300,
                                     301,
                                     427,
                                     428,
                                     431,
                                     436,
                                     441,
                                     443,
                                     1000,
                                     INT_MAX,
                                     INT_MIN,
                                     ids::kCopyDisplay};
    return kStray[pick(static_cast<int>(std::size(kStray)))];
}

int EventGenerator::position(int count) {
    const int roll = pick(20);
    if (roll < 12) return pick(count);       // mostly a real entry
    if (roll < 15) return count + pick(40);  // just past the end
    if (roll < 17) return -1 - pick(1000);   // before the start
    if (roll < 18) return pick(2) ? INT_MAX : INT_MIN;
    return pick(1000);
}

int EventGenerator::code() {
    static constexpr int kCodes[] = {0, 1, 2, 3, -1, 255, 256, 768, INT_MAX, INT_MIN};
    return pick(3) == 0 ? 1 : kCodes[pick(static_cast<int>(std::size(kCodes)))];
}

Event EventGenerator::next() {
    Event e;
    // A control event of any kind on `id`, as a click, a selection or a bare notification.
    const auto anyKind = [&](int id, int positions) {
        e.id = id;
        switch (pick(3)) {
            case 0:
                e.kind = Event::Kind::Click;
                break;
            case 1:
                e.kind = Event::Kind::Select;
                e.value = position(positions);
                break;
            default:
                e.kind = Event::Kind::Notify;
                e.value = code();
                break;
        }
    };
    const int roll = pick(1260);
    if (roll < 220) {  // a series radio, now and then by selection or bare notification
        const int id =
            ids::kFirstSeriesRadio + pick(ids::kLastSeriesRadio - ids::kFirstSeriesRadio + 1);
        if (pick(8) == 0) {
            anyKind(id, 30);
        } else {
            e.id = id;
        }
    } else if (roll < 380) {  // a size, out of range now and then
        e.kind = Event::Kind::Select;
        e.id = ids::kSizeList;
        e.value = position(pick(4) == 0 ? 110 : 30);
    } else if (roll < 410) {  // the size list with other notification codes
        e.kind = Event::Kind::Notify;
        e.id = ids::kSizeList;
        e.value = code();
    } else if (roll < 490) {
        e.id = pick(2) ? ids::kInches : ids::kMillimeters;
    } else if (roll < 515) {
        e.id = ids::kPipeExit;
    } else if (roll < 525) {
        e.id = ids::kHide;
    } else if (roll < 575) {
        e.id = ids::kInfo;
    } else if (roll < 605) {
        e.kind = Event::Kind::FailPrint;
    } else if (roll < 645) {
        e.id = ids::kPrint;
    } else if (roll < 765) {  // any control of the main window but CLOSE
        const std::vector<int>& all = mainIds();
        int id = ids::kClose;
        while (id == ids::kClose)
            id = all[static_cast<std::size_t>(pick(static_cast<int>(all.size())))];
        anyKind(id, id == ids::kDrillChart ? 747 : 20);
    } else if (roll < 800) {
        anyKind(strayId(), 20);
    } else if (roll < 820) {
        e.kind = Event::Kind::Press;
    } else if (roll < 930) {  // the information window, open or not
        e.target = Event::Target::Info;
        const int what = pick(10);
        if (what < 4) {
            e.id = kInfoClose;
        } else if (what < 6) {
            e.kind = Event::Kind::Select;
            e.id = kInfoList;
            e.value = position(40);
        } else if (what < 7) {
            e.kind = Event::Kind::Press;
        } else if (what < 8) {
            anyKind(pick(2) ? kInfoList : kInfoClose, 40);
        } else {
            anyKind(pick(2) ? strayId() : ids::kInfo, 20);
        }
    } else if (roll < 940) {
        e.target = Event::Target::Nowhere;
        if (pick(4) == 0) {
            e.kind = Event::Kind::Press;
        } else {
            anyKind(pick(2) ? strayId() : ids::kClose, 20);
        }
    } else if (roll < 1000) {  // more sizes and units: the most common reactions of a session
        if (pick(2)) {
            e.kind = Event::Kind::Select;
            e.id = ids::kSizeList;
            e.value = pick(30);
        } else {
            e.id = pick(2) ? ids::kInches : ids::kMillimeters;
        }
    } else if (roll < 1045) {  // keys, in either window or none; Ctrl+Q rarely
        e.kind = Event::Kind::Key;
        const int where = pick(20);
        e.target = where < 12   ? Event::Target::Main
                   : where < 19 ? Event::Target::Info
                                : Event::Target::Nowhere;
        e.value = kCtrlQ;
        while (e.value == kCtrlQ && pick(500) != 0) {
            e.value = pick(static_cast<int>(std::size(kKeys)));
        }
        // Escape is the information window's one key: often enough to come up in short runs.
        if (e.target == Event::Target::Info && pick(3) == 0) e.value = kEscapeKey;
    } else if (roll < 1100) {  // a designation found, from the main window or the find box
        e.kind = Event::Kind::Find;
        e.value = pick(static_cast<int>(std::size(kFinds)));
        if (pick(2) == 0) e.target = Event::Target::Box;
    } else if (roll < 1120) {  // the find box's own controls, open or not; Ctrl+F and "/"
        const int what = pick(10);
        if (what < 3) {
            e.kind = Event::Kind::Key;
            e.value = pick(2) ? kCtrlF : kSlash;
        } else {
            e.target = Event::Target::Box;
            if (what < 5) {
                e.kind = Event::Kind::Key;
                e.value = pick(3) == 0 ? kReturnKey : pick(3) == 0 ? kSlash : kEscapeKey;
            } else if (what < 6) {
                e.kind = Event::Kind::Press;
            } else {
                const int boxIds[] = {kBoxEntry, kBoxFind, kBoxClose, 1, 3, strayId()};
                anyKind(boxIds[pick(static_cast<int>(std::size(boxIds)))], 12);
            }
        }
    } else if (roll < 1140) {  // tips and menus of any control of the main window, or of none
        e.kind = pick(3) == 0 ? Event::Kind::Menu : Event::Kind::Tip;
        const std::vector<int>& all = mainIds();
        e.id = pick(8) == 0 ? strayId()
                            : all[static_cast<std::size_t>(pick(static_cast<int>(all.size())))];
        e.value = pick(2) ? position(747) : -1;
        if (pick(10) == 0) e.target = Event::Target::Info;
    } else {  // the MEASURE window, open or not (a tenth of the events)
        const int what = pick(20);
        if (what < 2) {
            e.kind = Event::Kind::Key;
            e.value = kCtrlM;
        } else if (what < 4) {
            e.id = ids::kMeasure;
        } else {
            e.target = Event::Target::Measure;
            if (what < 10) {
                e.kind = Event::Kind::Type;
                e.value = pick(static_cast<int>(std::size(kTyped)));
            } else if (what < 11) {
                e.kind = Event::Kind::Key;
                e.value = pick(2) ? kEscapeKey : kReturnKey;
            } else if (what < 12) {
                e.kind = Event::Kind::Press;
            } else if (what < 14) {
                e.id = pick(2) ? MW::kJudgeId : MW::kNameId;
            } else if (what < 15) {
                e.id = MW::kCloseId;
            } else if (what < 17) {
                e.kind = Event::Kind::Select;
                e.id = MW::kCandidatesId;
                e.value = position(8);
            } else {
                // Its radios and other controls by any kind of event; never one that shows a
                // candidate in the main window (SHOW, an activated entry): that is a find the
                // model would have to name, and the window's own tests cover it.
                const int others[] = {MW::kLeadOffId,
                                      MW::kLeadOnId,
                                      MW::kMajorId,
                                      MW::kMinorId,
                                      MW::kAnyFormId,
                                      MW::kParallelId,
                                      MW::kTaperId,
                                      MW::kWireEntryId,
                                      MW::kDiameterEntryId,
                                      MW::kHeaderId,
                                      MW::kWiresListId,
                                      MW::kCandidatesId,
                                      0,
                                      37,
                                      strayId()};
                anyKind(others[pick(static_cast<int>(std::size(others)))], 12);
                if (e.id == MW::kShowId || e.id == ids::kMeasure) e.id = MW::kHeaderId;
                if (e.kind == Event::Kind::Notify && e.value == platform::notify::kActivated) {
                    e.value = platform::notify::kSelectionChanged;
                }
            }
        }
    }
    // CLOSE of the main window ends a session now and then; the runner starts a new one.
    if (pick(20000) == 0) {
        e = Event{};
        anyKind(ids::kClose, 20);
    }
    return e;
}

// ---------------------------------------------------------------------------------------------
// Reference windows

ReferenceCache::System::System() {
    main.startUp();
    ui.attach(&main);
}

const HeadlessWindow& ReferenceCache::System::mainWindow() const {
    return *ui.window(main.window());
}

const HeadlessWindow* ReferenceCache::System::infoWindow() const {
    const HeadlessWindow* found = nullptr;
    for (const HeadlessWindow& w : ui.windows()) {
        if (w.open && w.title == kInfoTitle) found = &w;
    }
    return found;
}

const HeadlessWindow* ReferenceCache::System::measureWindow() const {
    const HeadlessWindow* found = nullptr;
    for (const HeadlessWindow& w : ui.windows()) {
        if (w.open && w.title == kMeasureTitle) found = &w;
    }
    return found;
}

const HeadlessWindow* ReferenceCache::System::findBox() const {
    const HeadlessWindow* found = nullptr;
    for (const HeadlessWindow& w : ui.windows()) {
        if (w.open && w.title == kBoxTitle) found = &w;
    }
    return found;
}

std::unique_ptr<ReferenceCache::System> ReferenceCache::build(const Key& key) const {
    auto s = std::make_unique<System>();
    const platform::WindowHandle w = s->main.window();
    // The arrangement history first: the exit button puts the screw arrangement back.
    if (key.screwRestored) s->ui.click(w, ids::kPipeExit);
    if (key.series != s->main.selection().series) s->ui.click(w, seriesRadioId(key.series));
    // The special sizes of the series, found in the order of its list.
    for (const std::string& text : key.specials) s->main.find(text);
    if (key.sizeIndex != s->main.selection().sizeIndex) {
        s->ui.select(w, ids::kSizeList, key.sizeIndex);
    }
    if (key.metricSeen) s->ui.click(w, ids::kMillimeters);
    if (!key.metric) s->ui.click(w, ids::kInches);
    return s;
}

const ReferenceCache::Entry& ReferenceCache::get(const Key& key) {
    const auto found = entries_.find(key);
    if (found != entries_.end()) return found->second;

    const std::unique_ptr<System> s = build(key);
    Entry entry;
    const HeadlessWindow& main = s->mainWindow();
    entry.mainDigest = windowDigest(main, mainDigestOptions());
    entry.drillChartRow = controlOf(main, ids::kDrillChart).selected;
    entry.engagementRow = controlOf(main, ids::kEngagementList).selected;

    s->ui.click(s->main.window(), ids::kInfo);
    if (const HeadlessWindow* info = s->infoWindow()) {
        entry.infoDigest = windowDigest(*info, infoDigestOptions());
        entry.infoRow = controlOf(*info, kInfoList).selected;
    }
    s->ui.click(s->main.window(), ids::kPrint);
    const auto& documents = s->printing.documents();
    if (!documents.empty()) entry.sheetDigest = documentDigest(documents.back());
    entry.table = s->main.displayTable();
    for (const int id : mainIds()) {
        std::vector<platform::MenuEntry> menu = s->ui.menu(s->main.window(), id);
        if (!menu.empty()) entry.menus.emplace(id, std::move(menu));
    }
    return entries_.emplace(key, entry).first->second;
}

const DigestOptions& ReferenceCache::mainDigestOptions() {
    static const DigestOptions options{{ids::kDrillChart, ids::kEngagementList}, {}};
    return options;
}

const DigestOptions& ReferenceCache::infoDigestOptions() {
    static const DigestOptions options{{kInfoList}, {}};
    return options;
}

const DigestOptions& ReferenceCache::measureDigestOptions() {
    // A pick in a list without an action (the tables, an entry's drop-down) is the user's.
    static const DigestOptions options{
        {MW::kWireEntryId, MW::kReadingEntryId, MW::kPlaneEntryId, MW::kDiameterEntryId,
         MW::kPitchEntryId, MW::kAngleEntryId, MW::kWiresListId, MW::kGaugesListId},
        {MW::kWireEntryId, MW::kReadingEntryId, MW::kPlaneEntryId, MW::kDiameterEntryId,
         MW::kPitchEntryId, MW::kAngleEntryId}};
    return options;
}

namespace {

// A fresh system in the state of `key`, its MEASURE window opened and brought to `m` by its
// own controls: the choices, what each part took, the text it last could not read entered into
// its entry (so that the part says why), what its entries hold now, and the candidate chosen.
std::unique_ptr<ReferenceCache::System> buildMeasure(const ReferenceCache& cache,
                                                     const ReferenceCache::Key& key,
                                                     const ReferenceCache::MeasureKey& m) {
    std::unique_ptr<ReferenceCache::System> s = cache.build(key);
    platform::HeadlessWindowing& ui = s->ui;
    ui.click(s->main.window(), ids::kMeasure);
    const platform::WindowHandle w = s->main.measureWindow().handle();
    if (m.lead != 0) ui.click(w, m.lead == 1 ? MW::kLeadOffId : MW::kLeadOnId);
    if (m.side != 0) ui.click(w, MW::kMinorId);
    if (m.form != 0) ui.click(w, m.form == 1 ? MW::kParallelId : MW::kTaperId);
    const auto part = [&](const int* entries, std::size_t count,
                          const std::vector<std::string>& taken,
                          const std::vector<std::string>& typed, int errorEntry,
                          const std::string& errorText, int button) {
        bool any = false;
        for (std::size_t i = 0; i < count; ++i) any = any || !taken[i].empty();
        if (any) {
            for (std::size_t i = 0; i < count; ++i) ui.type(w, entries[i], taken[i]);
            ui.click(w, button);
        }
        if (errorEntry != 0) {
            for (std::size_t i = 0; i < count; ++i) ui.type(w, entries[i], taken[i]);
            ui.type(w, errorEntry, errorText);
            ui.click(w, button);
        }
        for (std::size_t i = 0; i < count; ++i) ui.type(w, entries[i], typed[i]);
    };
    part(kWireEntries, std::size(kWireEntries), m.wireTaken, m.wireTyped, m.wireErrorEntry,
         m.wireErrorText, MW::kJudgeId);
    part(kIdentifyEntries, std::size(kIdentifyEntries), m.identifyTaken, m.identifyTyped,
         m.identifyErrorEntry, m.identifyErrorText, MW::kNameId);
    if (m.chosen != 0) ui.select(w, MW::kCandidatesId, m.chosen);
    return s;
}

}  // namespace

std::uint64_t ReferenceCache::measureDigest(const Key& key, const MeasureKey& m) {
    const auto found = measures_.find({key, m});
    if (found != measures_.end()) return found->second;
    const std::unique_ptr<System> s = buildMeasure(*this, key, m);
    const HeadlessWindow* w = s->measureWindow();
    const std::uint64_t digest = w != nullptr ? windowDigest(*w, measureDigestOptions()) : 0;
    return measures_.emplace(std::make_pair(key, m), digest).first->second;
}

// ---------------------------------------------------------------------------------------------
// The runner and its model

SequenceRunner::SequenceRunner(ReferenceCache& references) : references_(references) {
    restart();
    restarts_ = 0;
}

SequenceRunner::~SequenceRunner() = default;

void SequenceRunner::restart() {
    system_ = std::make_unique<ReferenceCache::System>();
    model_ = Model{};
    lastInfo_ = 0;
    lastBox_ = 0;
    lastMeasure_ = 0;
    ++restarts_;
}

int SequenceRunner::specialCount(SeriesId id) const {
    const auto found = model_.specials.find(id);
    return found == model_.specials.end() ? 0 : static_cast<int>(found->second.size());
}

platform::WindowHandle SequenceRunner::handleOf(Event::Target target) const {
    switch (target) {
        case Event::Target::Main:
            return system_->main.window();
        case Event::Target::Info:
            if (const HeadlessWindow* info = system_->infoWindow()) return info->handle;
            return lastInfo_;
        case Event::Target::Box:
            if (const HeadlessWindow* box = system_->findBox()) return box->handle;
            return lastBox_ != 0 ? lastBox_ : kNowhere[steps_ % std::size(kNowhere)];
        case Event::Target::Measure:
            if (const HeadlessWindow* w = system_->measureWindow()) return w->handle;
            return lastMeasure_ != 0 ? lastMeasure_ : kNowhere[steps_ % std::size(kNowhere)];
        case Event::Target::Nowhere:
            break;
    }
    return kNowhere[steps_ % std::size(kNowhere)];
}

void SequenceRunner::predict(const Event& e) {
    Model& m = model_;
    m.lastWasPrint = false;
    m.lastWasCopy = false;
    m.lastMenu.reset();
    const auto redisplay = [&] {
        m.drillPick.reset();
        m.engagementPick.reset();
    };
    const auto refillInfo = [&] {
        if (m.infoOpen) {
            m.infoPick.reset();
            m.infoOnTop = true;
        }
    };
    const auto chooseSeries = [&](SeriesId id) {
        if (id == m.series) {
            count("series radio of the series shown");
            return;
        }
        if (isPipe(m.series)) m.screwRestored = true;
        m.series = id;
        m.sizeIndex = 0;
        m.special.clear();
        redisplay();
        refillInfo();
        count("series change");
    };
    const auto setMetric = [&](bool metric) {
        if (m.metric == metric) {
            count("unit already shown");
            return;
        }
        m.metric = metric;
        if (metric) m.metricSeen = true;
        redisplay();
        refillInfo();
        // The open MEASURE window works its candidates out again in the new unit.
        if (m.measureOpen && m.identifiedMetric != metric) {
            m.identifiedMetric = metric;
            m.measure.chosen = 0;
        }
        count("unit switch");
    };

    // A size picked or found: the display pass, and the information window's note follows the
    // special size shown.
    const auto showSize = [&](int sizeIndex) {
        const std::string before = m.special;
        m.sizeIndex = sizeIndex;
        const int rows = sizeCount(m.series);
        m.special = sizeIndex >= rows
                        ? m.specials[m.series][static_cast<std::size_t>(sizeIndex - rows)]
                        : std::string();
        redisplay();
        if (m.special != before) refillInfo();
    };
    // Finding a designation of the list (`typed` as it was written: the list's text, or the
    // canonical text the find box offers again): as the radio and a pick, or nothing.
    const auto findDesignation = [&](const FindCase& f, const std::string& typed) {
        m.lastFind = typed;
        SeriesId series = f.series;
        std::string canonical = f.canonical;
        FK kind = f.kind;
        if (kind == FK::ShownSeries) {
            const bool held = std::find(std::begin(kHalfInch14), std::end(kHalfInch14), m.series) !=
                              std::end(kHalfInch14);
            kind = held ? FK::Row : FK::Error;
            series = m.series;
            canonical = halfInch14(m.series);
        }
        m.lastFound = kind != FK::Error;
        if (kind == FK::Error) {
            m.lastCanonical.clear();
            if (m.boxOpen) m.boxMessage.reset();
            count("find changing nothing");
            return;
        }
        if (canonical.empty()) canonical = halfInch14(series);
        m.lastCanonical = canonical;
        m.history.erase(std::remove(m.history.begin(), m.history.end(), canonical),
                        m.history.end());
        m.history.insert(m.history.begin(), canonical);
        if (m.history.size() > 10) m.history.resize(10);
        if (m.boxOpen) {
            m.boxText.clear();
            m.boxMessage = "Shown: " + canonical;
        }
        // The special size's place in its series' list, added when new.
        int position = -1;
        if (kind == FK::Special) {
            std::vector<std::string>& specials = m.specials[series];
            auto known = specials.end();
            for (auto it = specials.begin(); it != specials.end(); ++it) {
                for (const FindCase& other : kFinds) {
                    if (other.text == *it && std::string(other.entry) == f.entry) known = it;
                }
            }
            if (known == specials.end()) {
                specials.push_back(f.text);
                known = specials.end() - 1;
                count("special size added");
            } else {
                count("special size found again");
            }
            position = sizeCount(series) + static_cast<int>(known - specials.begin());
        } else {
            const std::vector<std::string>& list = sizeListOf(series);
            position =
                static_cast<int>(std::find(list.begin(), list.end(), f.entry) - list.begin());
            count("size found");
        }
        chooseSeries(series);
        if (position != m.sizeIndex) showSize(position);
    };

    if (e.target == Event::Target::Measure || e.kind == Event::Kind::Type) {
        predictMeasure(e);
        return;
    }
    if (e.kind == Event::Kind::Find) {
        const FindCase& f = kFinds[e.value];
        if (e.target == Event::Target::Main) {
            findDesignation(f, f.text);
            return;
        }
        // Typed into the open box and entered.
        if (!m.boxOpen) {
            count("find box closed");
            return;
        }
        m.boxText = f.text;
        m.boxFocused = true;
        findDesignation(f, f.text);
        return;
    }
    if (e.target == Event::Target::Box) {
        if (!m.boxOpen) {
            count("event to a closed find box");
            return;
        }
        // The text of the line, found as it stands: a designation of the list, or one found
        // before as the drop-down offers it (1/2-14 of the series that held it).
        const auto findBoxText = [&] {
            const std::string text = m.boxText;
            for (const FindCase& f : kFinds) {
                if (text == f.text) return findDesignation(f, text);
            }
            for (const FindCase& f : kFinds) {
                if (text == f.canonical && f.kind != FK::Error) return findDesignation(f, text);
            }
            for (SeriesId id : kHalfInch14) {
                if (text == halfInch14(id)) {
                    return findDesignation({"1/2-14", FK::Row, id, "  1/2 - 14", ""}, text);
                }
            }
            m.lastFind = text;
            m.lastFound = false;
            m.boxMessage.reset();
            count("find changing nothing");
        };
        if (e.kind == Event::Kind::Press) {
            ++m.boxMoves;
            count("find box moved");
        } else if (e.kind == Event::Kind::Key) {
            if (e.value == kEscapeKey) {
                m.boxOpen = false;
                count("find box closed by Escape");
            } else if (e.value == kReturnKey && m.boxFocused) {
                findBoxText();
            } else {
                count("key without action");
            }
        } else if (e.kind == Event::Kind::Tip) {
            count("tip asked");
        } else if (e.id == kBoxClose) {
            m.boxOpen = false;
            count("find box closed");
        } else if (e.id == kBoxFind) {
            findBoxText();
        } else if (e.id == kBoxEntry) {
            const int code = e.kind == Event::Kind::Click    ? platform::notify::kClicked
                             : e.kind == Event::Kind::Select ? platform::notify::kSelectionChanged
                                                             : e.value;
            // A choice from the drop-down becomes the text; Return in the line finds.
            if (e.kind == Event::Kind::Select && e.value >= 0 &&
                e.value < static_cast<int>(m.history.size())) {
                m.boxText = m.history[static_cast<std::size_t>(e.value)];
                count("designation chosen from the find box");
            }
            if (code == platform::notify::kEntered) findBoxText();
        } else {
            count("find box event without action");
        }
        return;
    }

    if (e.kind == Event::Kind::FailPrint) {
        m.failArmed = true;
        return;
    }
    if (e.kind == Event::Kind::Tip) {
        count("tip asked");
        return;
    }
    if (e.kind == Event::Kind::Menu) {
        if (e.target == Event::Target::Main) m.lastMenu = e.id;
        count("menu asked");
        return;
    }
    if (e.kind == Event::Kind::Key && e.target != Event::Target::Nowhere) {
        // A bound key acts as a click on its control, an unbound one not at all.
        const bool info = e.target == Event::Target::Info;
        const int id = info ? infoKeyControl(e.value) : mainKeyControl(e.value);
        if (id == 0 || (info && !m.infoOpen)) {
            count("key without action");
            return;
        }
        count(info ? "key in the information window" : "key in the main window");
        Event click = e;
        click.kind = Event::Kind::Click;
        click.id = id;
        predict(click);
        return;
    }
    if (e.target == Event::Target::Nowhere) {
        count("event to no window");
        return;
    }
    if (e.target == Event::Target::Info) {
        if (!m.infoOpen) {
            count("event to a closed information window");
            return;
        }
        if (e.kind == Event::Kind::Press) {
            ++m.infoMoves;
            m.infoOnTop = true;
            count("information window moved");
        } else if (e.id == kInfoClose) {
            m.infoOpen = false;
            m.infoPick.reset();
            count("information window closed");
        } else if (e.kind == Event::Kind::Select && e.id == kInfoList) {
            const HeadlessWindow* info = system_->infoWindow();
            const int rows = static_cast<int>(controlOf(*info, kInfoList).rows.size());
            m.infoPick = selectedAfterSelect(e.value, rows);
            count("information line picked");
        } else {
            count("information window event without action");
        }
        return;
    }

    // The main window.
    if (e.kind == Event::Kind::Press) {
        ++m.mainMoves;
        m.infoOnTop = false;
        count("main window moved");
        return;
    }
    const int code = e.kind == Event::Kind::Click    ? platform::notify::kClicked
                     : e.kind == Event::Kind::Select ? platform::notify::kSelectionChanged
                                                     : e.value;
    if (const auto id = seriesOfRadio(e.id)) {
        chooseSeries(*id);
        return;
    }
    switch (e.id) {
        case ids::kClose:
            m.closed = true;
            count("main window closed");
            return;
        case ids::kHide:
            m.minimised = true;
            count("main window minimised");
            return;
        case ids::kPrint:
            if (m.failArmed) {
                m.failArmed = false;
                ++m.messageBoxes;
                count("print start failed");
            } else {
                ++m.documents;
                m.lastWasPrint = true;
                count("data sheet printed");
            }
            return;
        case ids::kInfo:
            if (!m.infoOpen) {
                m.infoOpen = true;
                m.infoPick.reset();
                m.infoMoves = 0;
                count("information window opened");
            } else {
                count("information window raised");
            }
            m.infoOnTop = true;
            return;
        case ids::kFind:
            if (!m.boxOpen) {
                m.boxOpen = true;
                m.boxFocused = false;
                m.boxMoves = 0;
                m.boxText.clear();
                m.boxMessage = FindBox::kHint;
                count("find box opened");
            } else {
                count("find box raised");
            }
            return;
        case ids::kMeasure:
            if (!m.measureOpen) {
                m.measureOpen = true;
                m.measureMoves = 0;
                m.measureFocus = 0;
                // The entries show what they took; a refusal is not repeated.
                m.measure.wireTyped = m.measure.wireTaken;
                m.measure.identifyTyped = m.measure.identifyTaken;
                m.measure.wireErrorEntry = m.measure.identifyErrorEntry = 0;
                m.measure.wireErrorText.clear();
                m.measure.identifyErrorText.clear();
                if (m.identifiedMetric != m.metric) {
                    m.identifiedMetric = m.metric;
                    m.measure.chosen = 0;
                }
                count("MEASURE window opened");
            } else {
                count("MEASURE window raised");
            }
            return;
        case ids::kPipeExit: {
            // Acts in either arrangement; off the pipe arrangement the button cannot be seen,
            // but a stray event still reaches it.
            const bool wasPipe = isPipe(m.series);
            m.screwRestored = true;
            m.series = series::UNC;
            m.sizeIndex = 0;
            m.special.clear();
            redisplay();
            refillInfo();
            count(wasPipe ? "pipe arrangement left" : "exit button off the pipe arrangement");
            return;
        }
        case ids::kCopyDisplay:
            m.lastWasCopy = true;
            count("display copied");
            return;
        case ids::kInches:
            setMetric(false);
            return;
        case ids::kMillimeters:
            setMetric(true);
            return;
        case ids::kSizeList: {
            if (code != platform::notify::kSelectionChanged) {
                count("size list, other notification");
                return;
            }
            const int position = e.kind == Event::Kind::Select ? e.value : m.sizeIndex;
            const int entries = sizeCount(m.series) + specialCount(m.series);
            if (selectedAfterSelect(position, entries) < 0) {
                count("size position out of range");
                return;
            }
            showSize(position);
            count(position >= sizeCount(m.series) ? "special size picked" : "size change");
            return;
        }
        case ids::kDrillChart:
            if (e.kind == Event::Kind::Select) {
                m.drillPick = selectedAfterSelect(e.value, drill_chart::kEndRow + 1);
                count("drill picked by the user");
                return;
            }
            break;
        case ids::kEngagementList:
            if (e.kind == Event::Kind::Select) {
                const int items = static_cast<int>(
                    controlOf(system_->mainWindow(), ids::kEngagementList).items.size());
                m.engagementPick = selectedAfterSelect(e.value, items);
                count("engagement line picked by the user");
                return;
            }
            break;
        default:
            break;
    }
    count(findControl(e.id) ? "control without action" : "id of no control");
}

void SequenceRunner::predictMeasure(const Event& e) {
    Model& m = model_;
    ReferenceCache::MeasureKey& k = m.measure;
    if (!m.measureOpen) {
        count("event to a closed MEASURE window");
        return;
    }
    const auto identify = [&] {
        m.identifiedMetric = m.metric;
        k.chosen = 0;
    };
    // The entries of a part read at once: all taken, each remembered in its drop-down, or none
    // and the part says why.
    const auto readPart = [&](bool wires) {
        const int* entries = wires ? kWireEntries : kIdentifyEntries;
        const std::size_t count = wires ? std::size(kWireEntries) : std::size(kIdentifyEntries);
        std::vector<std::string>& typed = wires ? k.wireTyped : k.identifyTyped;
        int& errorEntry = wires ? k.wireErrorEntry : k.identifyErrorEntry;
        std::string& errorText = wires ? k.wireErrorText : k.identifyErrorText;
        for (std::size_t i = 0; i < count; ++i) {
            if (!readableIn(entries[i], typed[i])) {
                errorEntry = entries[i];
                errorText = typed[i];
                this->count("MEASURE entry refused");
                return;
            }
        }
        errorEntry = 0;
        errorText.clear();
        (wires ? k.wireTaken : k.identifyTaken) = typed;
        for (std::size_t i = 0; i < count; ++i) {
            if (typed[i].empty()) continue;
            std::vector<std::string>& earlier = m.measureHistory[entries[i]];
            earlier.erase(std::remove(earlier.begin(), earlier.end(), typed[i]), earlier.end());
            earlier.insert(earlier.begin(), typed[i]);
            if (earlier.size() > MW::kHistorySize) earlier.resize(MW::kHistorySize);
        }
        if (!wires) identify();
        this->count("MEASURE entries taken");
    };
    const auto typedOf = [&](int entry) -> std::string& {
        for (std::size_t i = 0; i < std::size(kWireEntries); ++i)
            if (kWireEntries[i] == entry) return k.wireTyped[i];
        for (std::size_t i = 0; i < std::size(kIdentifyEntries); ++i)
            if (kIdentifyEntries[i] == entry) return k.identifyTyped[i];
        static std::string none;
        return none;
    };
    const auto close = [&](const char* how) {
        m.measureOpen = false;
        count(how);
    };
    switch (e.kind) {
        case Event::Kind::Press:
            ++m.measureMoves;
            count("MEASURE window moved");
            return;
        case Event::Kind::Type: {
            const TypedCase& t = kTyped[e.value];
            typedOf(t.entry) = t.text;
            m.measureFocus = t.entry;
            readPart(isWireEntry(t.entry));
            return;
        }
        case Event::Kind::Key:
            if (e.value == kEscapeKey) {
                close("MEASURE window closed by Escape");
            } else if (e.value == kReturnKey && m.measureFocus != 0) {
                readPart(isWireEntry(m.measureFocus));
            } else {
                count("key without action");
            }
            return;
        case Event::Kind::Tip:
        case Event::Kind::Menu:
        case Event::Kind::Find:
        case Event::Kind::FailPrint:
            count("MEASURE window event without action");
            return;
        default:
            break;
    }
    const int code = e.kind == Event::Kind::Click    ? platform::notify::kClicked
                     : e.kind == Event::Kind::Select ? platform::notify::kSelectionChanged
                                                     : e.value;
    const auto choose = [&](int& into, int value) {
        if (into == value) {
            count("MEASURE choice already made");
            return;
        }
        into = value;
        identify();
        count("MEASURE choice changed");
    };
    switch (e.id) {
        case MW::kCloseId:
            close("MEASURE window closed");
            return;
        case MW::kJudgeId:
            readPart(true);
            return;
        case MW::kNameId:
            readPart(false);
            return;
        case MW::kLeadOffId:
        case MW::kLeadOnId:
            k.lead = e.id == MW::kLeadOffId ? 1 : 2;
            count("MEASURE lead angle chosen");
            return;
        case MW::kMajorId:
        case MW::kMinorId:
            choose(k.side, e.id == MW::kMinorId ? 1 : 0);
            return;
        case MW::kAnyFormId:
        case MW::kParallelId:
        case MW::kTaperId:
            choose(k.form, e.id == MW::kAnyFormId ? 0 : e.id == MW::kParallelId ? 1 : 2);
            return;
        case MW::kCandidatesId: {
            const int candidates = static_cast<int>(
                system_->main.measureWindow().identification().designations.size());
            if (code == platform::notify::kSelectionChanged && e.kind == Event::Kind::Select &&
                selectedAfterSelect(e.value, candidates) >= 0) {
                k.chosen = e.value;
                count("MEASURE candidate chosen");
            } else {
                count("MEASURE window event without action");
            }
            return;
        }
        default:
            break;
    }
    if (isWireEntry(e.id) || isIdentifyEntry(e.id)) {
        // A choice from the drop-down becomes the text; Return in the line reads the part.
        const std::vector<std::string>& earlier = m.measureHistory[e.id];
        if (e.kind == Event::Kind::Select && e.value >= 0 &&
            e.value < static_cast<int>(earlier.size())) {
            typedOf(e.id) = earlier[static_cast<std::size_t>(e.value)];
            count("MEASURE entry chosen from its drop-down");
        }
        if (code == platform::notify::kEntered) readPart(isWireEntry(e.id));
        return;
    }
    count("MEASURE window event without action");
}

void SequenceRunner::deliver(const Event& e) {
    platform::HeadlessWindowing& ui = system_->ui;
    const platform::WindowHandle handle = handleOf(e.target);
    switch (e.kind) {
        case Event::Kind::Click:
            ui.click(handle, e.id);
            break;
        case Event::Kind::Select:
            ui.select(handle, e.id, e.value);
            break;
        case Event::Kind::Notify:
            ui.notify(handle, e.id, e.value);
            break;
        case Event::Kind::Press:
            ui.press(handle);
            break;
        case Event::Kind::FailPrint:
            system_->printing.failNextStart();
            break;
        case Event::Kind::Key:
            ui.key(handle, kKeys[e.value].chord);
            break;
        case Event::Kind::Tip:
            ui.tip(handle, e.id, e.value);
            break;
        case Event::Kind::Menu:
            ui.chooseMenuEntry(handle, e.id, 0);
            break;
        case Event::Kind::Find:
            if (e.target == Event::Target::Main) {
                system_->main.find(kFinds[e.value].text);
            } else if (ui.type(handle, kBoxEntry, kFinds[e.value].text)) {
                ui.key(handle, kKeys[kReturnKey].chord);
            }
            break;
        case Event::Kind::Type:
            if (ui.type(handle, kTyped[e.value].entry, kTyped[e.value].text)) {
                ui.key(handle, kKeys[kReturnKey].chord);
            }
            break;
    }
}

std::string SequenceRunner::fail(const std::string& what) {
    std::ostringstream out;
    out << what << "\nafter event " << steps_ << " of this runner; the last events:\n";
    for (const std::string& line : recent_) out << "  " << line << '\n';
    return out.str();
}

std::string SequenceRunner::step(const Event& event) {
    ++steps_;
    recent_.push_back(std::to_string(steps_) + ": " + event.describe());
    if (recent_.size() > 24) recent_.pop_front();

    // Whatever the information window had when it closes, its handle stays for stray events.
    if (const HeadlessWindow* info = system_->infoWindow()) lastInfo_ = info->handle;
    if (const HeadlessWindow* box = system_->findBox()) lastBox_ = box->handle;
    if (const HeadlessWindow* w = system_->measureWindow()) lastMeasure_ = w->handle;
    predict(event);
    deliver(event);

    if (model_.closed) {
        // CLOSE ends the event loop; what start-up does after the loop closes every window.
        if (!system_->main.ended()) return fail("CLOSE did not end the event loop");
        if (!system_->ui.loopEnded()) return fail("CLOSE did not end the platform's event loop");
        system_->main.shutDown();
        for (const HeadlessWindow& w : system_->ui.windows()) {
            if (w.open) return fail("window " + std::to_string(w.handle) + " open after CLOSE");
        }
        restart();
    }
    return check();
}

std::string SequenceRunner::check() {
    const Model& m = model_;
    const ReferenceCache::System& s = *system_;
    const Selection& sel = s.main.selection();
    if (sel.series != m.series || sel.sizeIndex != m.sizeIndex ||
        s.main.unitMode().isMetric() != m.metric) {
        return fail("selection " + std::to_string(sel.series) + "/" +
                    std::to_string(sel.sizeIndex) + (s.main.unitMode().isMetric() ? " mm" : " in") +
                    " instead of " + std::to_string(m.series) + "/" + std::to_string(m.sizeIndex) +
                    (m.metric ? " mm" : " in"));
    }
    if (sel.sizeIndex < 0 || sel.sizeIndex >= sizeCount(sel.series) + specialCount(sel.series)) {
        return fail("size index outside the size list");
    }
    // The special sizes found, and the one shown.
    for (SeriesId id = 0; id < series::kCount; ++id) {
        if (static_cast<int>(s.main.specialSizes(id).size()) != specialCount(id)) {
            return fail(std::string("special sizes of ") + seriesById(id).name);
        }
    }
    const SpecialSizeShown* shown = s.main.specialSize() ? &*s.main.specialSize() : nullptr;
    if ((shown != nullptr) != !m.special.empty()) return fail("special size shown");
    const HeadlessWindow* mainWindow = s.ui.window(s.main.window());
    if (!mainWindow || !mainWindow->open) return fail("main window not open");
    const HeadlessWindow& main = *mainWindow;
    const platform::ShowState state =
        m.minimised ? platform::ShowState::Minimised : platform::ShowState::Normal;
    if (main.state != state) return fail("main window show state");
    if (main.moveStarts != m.mainMoves) return fail("main window moves");

    // Exactly one series radio on, the selected one; the unit radios say the unit.
    for (SeriesId id = 0; id < series::kCount; ++id) {
        const int radio = seriesRadioId(id);
        if (controlOf(main, radio).checked != (id == sel.series)) {
            return fail("series radio " + std::to_string(radio) + " is " +
                        (controlOf(main, radio).checked ? "on" : "off"));
        }
    }
    if (controlOf(main, ids::kInches).checked == m.metric ||
        controlOf(main, ids::kMillimeters).checked != m.metric) {
        return fail("unit radios");
    }
    // The size list holds exactly the sizes of the series and the special sizes found in it,
    // the selected one selected.
    const HeadlessControl& sizes = controlOf(main, ids::kSizeList);
    std::vector<std::string> entries = sizeListOf(sel.series);
    if (const auto found = m.specials.find(sel.series); found != m.specials.end()) {
        for (const std::string& text : found->second) {
            for (const FindCase& f : kFinds) {
                if (text == f.text) entries.push_back(f.entry);
            }
        }
    }
    if (sizes.items != entries) return fail("size list entries");
    if (sizes.selected != sel.sizeIndex) return fail("size list selection");
    // The pipe arrangement is in force exactly for NPT, NPTF and R.
    const bool pipe = isPipe(sel.series);
    if (isShown(controlOf(main, ids::kPipeExit)) != pipe ||
        isShown(controlOf(main, ids::kPipeTapDepth)) != pipe ||
        isShown(controlOf(main, ids::kUncRadio)) == pipe ||
        isShown(controlOf(main, ids::kExtNormalMajorMax)) == pipe) {
        return fail(std::string("arrangement: pipe controls ") +
                    (isShown(controlOf(main, ids::kPipeExit)) ? "shown" : "not shown") + " for " +
                    seriesById(sel.series).name);
    }

    const auto specials = m.specials.find(sel.series);
    const ReferenceCache::Key key{
        sel.series,   sel.sizeIndex,
        m.metric,     m.screwRestored,
        m.metricSeen, specials != m.specials.end() ? specials->second : std::vector<std::string>{}};
    const ReferenceCache::Entry& ref = references_.get(key);

    // The guide drill: a real row of the chart, selected and in view, unless the user has
    // picked a drill since the last display.
    const HeadlessControl& chart = controlOf(main, ids::kDrillChart);
    if (chart.rows.size() != static_cast<std::size_t>(drill_chart::kEndRow + 1)) {
        return fail("drill chart rows");
    }
    if (m.drillPick) {
        if (chart.selected != *m.drillPick) return fail("the user's drill pick");
    } else {
        if (chart.selected < 0 || chart.selected > drill_chart::kEndRow ||
            chart.selected != ref.drillChartRow) {
            return fail("guide drill row " + std::to_string(chart.selected) + " instead of " +
                        std::to_string(ref.drillChartRow));
        }
        const int shown = platform::HeadlessWindowing::visibleRows(chart);
        if (chart.selected < chart.topRow || chart.selected >= chart.topRow + shown) {
            return fail("guide drill out of view");
        }
    }
    const int engagementRow = m.engagementPick.value_or(ref.engagementRow);
    if (controlOf(main, ids::kEngagementList).selected != engagementRow) {
        return fail("engagement list selection");
    }

    // Every control shows what a fresh window shows for the same state.
    if (windowDigest(main, ReferenceCache::mainDigestOptions()) != ref.mainDigest) {
        const auto fresh = references_.build(key);
        return fail(
            "the main window differs from a fresh one of " +
            std::string(seriesById(sel.series).name) + " size " + std::to_string(sel.sizeIndex) +
            (m.metric ? " mm" : " in") + ":\n" +
            describeDifferences(main, fresh->mainWindow(), ReferenceCache::mainDigestOptions()));
    }

    // The window side's record of its texts, from which the data sheet is made, is what the
    // window shows: no text reached a control past the record.
    for (const auto& [id, control] : main.controls) {
        if (control.text != s.main.texts().text(id)) {
            return fail("control " + std::to_string(id) + " shows \"" + control.text +
                        "\" but the record holds \"" + s.main.texts().text(id) + "\"");
        }
    }
    if (controlOf(main, ids::kEngagementList).items != s.main.texts().engagement()) {
        return fail("the engagement list differs from the record of it");
    }

    // The information window: open when the model says so, with the description of the state.
    const HeadlessWindow* info = s.infoWindow();
    if ((info != nullptr) != m.infoOpen) {
        return fail(std::string("information window ") + (info ? "open" : "closed"));
    }
    if (info) {
        if (windowDigest(*info, ReferenceCache::infoDigestOptions()) != ref.infoDigest) {
            const auto fresh = references_.build(key);
            fresh->ui.click(fresh->main.window(), ids::kInfo);
            return fail("the information window differs from a fresh one:\n" +
                        describeDifferences(*info, *fresh->infoWindow(),
                                            ReferenceCache::infoDigestOptions()));
        }
        if (controlOf(*info, kInfoList).selected != m.infoPick.value_or(ref.infoRow)) {
            return fail("information list selection");
        }
        if (info->moveStarts != m.infoMoves) return fail("information window moves");
        if ((info->zOrder > main.zOrder) != m.infoOnTop) {
            return fail(std::string("the ") + (m.infoOnTop ? "main" : "information") +
                        " window is on top");
        }
    }
    // The find box: open when the model says so, its line, drop-down and message as the
    // finds left them.
    const HeadlessWindow* box = s.findBox();
    if ((box != nullptr) != m.boxOpen)
        return fail(std::string("find box ") + (box ? "open" : "closed"));
    if (s.main.findHistory() != m.history) return fail("the designations found");
    if (m.lastFind) {
        if (!s.main.lastFind() || s.main.lastFind()->text != *m.lastFind ||
            s.main.lastFind()->outcome.found != m.lastFound ||
            s.main.lastFind()->outcome.canonical != m.lastCanonical) {
            return fail("the last find: " + (s.main.lastFind()
                                                 ? s.main.lastFind()->outcome.canonical +
                                                       s.main.lastFind()->outcome.message
                                                 : std::string("none")));
        }
    }
    if (box) {
        const HeadlessControl& line = controlOf(*box, kBoxEntry);
        if (line.text != m.boxText) return fail("the find box's line: " + line.text);
        if (line.items != m.history) return fail("the find box's drop-down");
        const std::string expected =
            m.boxMessage ? *m.boxMessage : s.main.lastFind()->outcome.message;
        if (s.main.findBox().message() != expected || expected.empty()) {
            return fail("the find box's message: " + s.main.findBox().message());
        }
        if (box->moveStarts != m.boxMoves) return fail("find box moves");
    }
    // The MEASURE window: open when the model says so, showing what a fresh one brought to the
    // same state by its own controls shows, its drop-downs offering what its entries took.
    const HeadlessWindow* measure = s.measureWindow();
    if ((measure != nullptr) != m.measureOpen) {
        return fail(std::string("MEASURE window ") + (measure ? "open" : "closed"));
    }
    if (measure) {
        if (windowDigest(*measure, ReferenceCache::measureDigestOptions()) !=
            references_.measureDigest(key, m.measure)) {
            const auto fresh = buildMeasure(references_, key, m.measure);
            return fail("the MEASURE window differs from a fresh one:\n" +
                        describeDifferences(*measure, *fresh->measureWindow(),
                                            ReferenceCache::measureDigestOptions()));
        }
        for (const int id : {MW::kWireEntryId, MW::kReadingEntryId, MW::kDiameterEntryId,
                             MW::kPitchEntryId, MW::kAngleEntryId}) {
            const auto found = m.measureHistory.find(id);
            const std::vector<std::string> expected =
                found != m.measureHistory.end() ? found->second : std::vector<std::string>{};
            if (controlOf(*measure, id).items != expected) {
                return fail("the drop-down of MEASURE entry " + std::to_string(id));
            }
        }
        if (measure->moveStarts != m.measureMoves) return fail("MEASURE window moves");
    }
    for (const HeadlessWindow& w : s.ui.windows()) {
        if (w.open && w.handle != main.handle && (!info || w.handle != info->handle) &&
            (!box || w.handle != box->handle) && (!measure || w.handle != measure->handle)) {
            return fail("a stray window is open: " + w.title);
        }
    }

    // PRINT: a failed start says so in one message box and draws nothing; a good one draws
    // the sheet of the state shown.
    const auto& boxes = s.ui.messageBoxes();
    if (static_cast<int>(boxes.size()) != m.messageBoxes) {
        return fail("message boxes: " + std::to_string(boxes.size()) + " instead of " +
                    std::to_string(m.messageBoxes));
    }
    if (!boxes.empty() && boxes.back().text.rfind(kPrintFailure, 0) != 0 &&
        boxes.back().caption.rfind(kPrintFailure, 0) != 0) {
        return fail("message box " + boxes.back().caption + ": " + boxes.back().text);
    }
    const auto& documents = s.printing.documents();
    if (static_cast<int>(documents.size()) != m.documents) {
        return fail("printed documents: " + std::to_string(documents.size()) + " instead of " +
                    std::to_string(m.documents));
    }
    if (s.printing.documentOpen()) return fail("a document left open");
    if (m.lastWasPrint && documentDigest(documents.back()) != ref.sheetDigest) {
        const auto fresh = references_.build(key);
        fresh->ui.click(fresh->main.window(), ids::kPrint);
        return fail("the data sheet differs from that of a fresh window:\n" +
                    describeDifferences(documents.back(), fresh->printing.documents().back()));
    }

    // Copy: the table and the unit copies of a fresh window in the same state.
    if (m.lastWasCopy && s.ui.clipboard() != ref.table) {
        std::string what = "the copied table differs from that of a fresh window:\n";
        what += s.ui.clipboard();
        what += "instead of\n";
        what += ref.table;
        return fail(what);
    }
    if (m.lastMenu) {
        const auto found = ref.menus.find(*m.lastMenu);
        const std::vector<platform::MenuEntry> expected =
            found != ref.menus.end() ? found->second : std::vector<platform::MenuEntry>{};
        const std::vector<platform::MenuEntry> menu = system_->ui.menu(main.handle, *m.lastMenu);
        std::string what = "the menu of control ";
        what += std::to_string(*m.lastMenu);
        if (menu != expected) return fail(what + " differs from that of a fresh window");
        if (!menu.empty() && s.ui.clipboard() != menu.front().clipboardText) {
            return fail(what + ": its first entry was not copied");
        }
    }
    return {};
}

}  // namespace torveld::robustness
