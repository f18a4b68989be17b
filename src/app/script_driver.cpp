#include "script_driver.h"

#include <charconv>
#include <istream>
#include <optional>
#include <ostream>
#include <type_traits>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "control_ids.h"
#include "headless_json.h"
#include "headless_windowing.h"
#include "main_window.h"
#include "recording_print_preview.h"

namespace torveld::driver {

const MeasureEntryWord kMeasureEntries[6] = {
    {"wire", MeasureWindow::kWireEntryId},   {"reading", MeasureWindow::kReadingEntryId},
    {"plane", MeasureWindow::kPlaneEntryId}, {"diameter", MeasureWindow::kDiameterEntryId},
    {"pitch", MeasureWindow::kPitchEntryId}, {"angle", MeasureWindow::kAngleEntryId},
};

namespace {

constexpr int kMaxScreen = 65535;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// A word for an error message: printable ASCII only, at most 32 characters.
std::string quoted(std::string_view word) {
    std::string text = "'";
    for (std::size_t i = 0; i < word.size() && i < 32; ++i) {
        const auto c = static_cast<unsigned char>(word[i]);
        text += c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
    }
    if (word.size() > 32) text += "...";
    return text + "'";
}

std::optional<int> parseInt(std::string_view word) {
    int value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

// Parses the whole-number arguments of a command that takes exactly `count` of them.
std::variant<std::vector<int>, Malformed> numbers(const std::vector<std::string_view>& words,
                                                  std::size_t count, const char* usage) {
    if (words.size() != count + 1) return Malformed{std::string("usage: ") + usage};
    std::vector<int> values;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const auto value = parseInt(words[i]);
        if (!value) return Malformed{quoted(words[i]) + " is not a whole number in range"};
        values.push_back(*value);
    }
    return values;
}

// "find", then one blank and the designation as typed, or nothing.
std::optional<Find> parseFind(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isBlank(line[at])) ++at;
    constexpr std::string_view kVerb = "find";
    if (line.substr(at, kVerb.size()) != kVerb) return std::nullopt;
    at += kVerb.size();
    if (at == line.size()) return Find{};
    if (!isBlank(line[at])) return std::nullopt;
    return Find{std::string(line.substr(at + 1))};
}

constexpr const char* kMeasureUsage =
    "usage: measure open|close|click ID|choose N|wire|reading|plane|diameter|pitch|angle TEXT";

// "measure" and its action; an entry's text is the rest of the line after its word and one
// blank, as typed. None when the line is no measure command.
std::optional<Command> parseMeasure(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isBlank(line[at])) ++at;
    constexpr std::string_view kVerb = "measure";
    if (line.substr(at, kVerb.size()) != kVerb) return std::nullopt;
    at += kVerb.size();
    if (at < line.size() && !isBlank(line[at])) return std::nullopt;
    while (at < line.size() && isBlank(line[at])) ++at;
    std::size_t end = at;
    while (end < line.size() && !isBlank(line[end])) ++end;
    const std::string_view action = line.substr(at, end - at);
    for (const MeasureEntryWord& e : kMeasureEntries) {
        if (action != e.word) continue;
        Measure m{Measure::Action::Type, e.id, 0, {}};
        if (end < line.size()) m.text = std::string(line.substr(end + 1));
        return m;
    }
    const std::vector<std::string_view> words = splitWords(line.substr(at));
    if (words.empty()) return Malformed{kMeasureUsage};
    if ((words[0] == "open" || words[0] == "close") && words.size() == 1) {
        return Measure{
            words[0] == "open" ? Measure::Action::Open : Measure::Action::Close, 0, 0, {}};
    }
    if ((words[0] == "click" || words[0] == "choose") && words.size() == 2) {
        const auto value = parseInt(words[1]);
        if (!value) return Malformed{quoted(words[1]) + " is not a whole number in range"};
        if (words[0] == "click") return Measure{Measure::Action::Click, *value, 0, {}};
        return Measure{Measure::Action::Choose, 0, *value, {}};
    }
    return Malformed{kMeasureUsage};
}

}  // namespace

Command parseCommand(std::string_view line) {
    if (std::optional<Find> find = parseFind(line)) return *std::move(find);
    if (std::optional<Command> measure = parseMeasure(line)) return *std::move(measure);
    const std::vector<std::string_view> words = splitWords(line);
    if (words.empty()) return Blank{};
    const std::string_view verb = words[0];

    const auto withNumbers = [&](std::size_t count, const char* usage, auto make) -> Command {
        auto parsed = numbers(words, count, usage);
        if (auto* bad = std::get_if<Malformed>(&parsed)) return *bad;
        return make(std::get<std::vector<int>>(parsed));
    };
    const auto bare = [&](Command command, const char* usage) -> Command {
        if (words.size() != 1) return Malformed{std::string("usage: ") + usage};
        return command;
    };

    if (verb == "screen") {
        return withNumbers(2, "screen W H", [](const std::vector<int>& v) -> Command {
            if (v[0] < 1 || v[0] > kMaxScreen || v[1] < 1 || v[1] > kMaxScreen) {
                return Malformed{"screen width and height must be 1 to 65535"};
            }
            return Screen{v[0], v[1]};
        });
    }
    if (verb == "click") {
        return withNumbers(1, "click ID",
                           [](const std::vector<int>& v) -> Command { return Click{v[0]}; });
    }
    if (verb == "select") {
        return withNumbers(2, "select ID POS", [](const std::vector<int>& v) -> Command {
            return Select{v[0], v[1]};
        });
    }
    if (verb == "notify") {
        return withNumbers(2, "notify ID CODE", [](const std::vector<int>& v) -> Command {
            return Notify{v[0], v[1]};
        });
    }
    if (verb == "press") return bare(Press{}, "press");
    if (verb == "dump") return bare(Dump{}, "dump");
    if (verb == "info" || verb == "print") {
        const bool info = verb == "info";
        const std::string_view object = info ? "close" : "fail";
        if (words.size() != 2 || words[1] != object) {
            return Malformed{info ? "usage: info close" : "usage: print fail"};
        }
        if (info) return InfoClose{};
        return PrintFail{};
    }
    return Malformed{"unknown command " + quoted(verb)};
}

bool readLine(std::istream& in, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    std::streambuf* buffer = in.rdbuf();
    if (!buffer) return false;
    bool any = false;
    for (;;) {
        const auto c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            return any;
        }
        any = true;
        if (c == '\n') return true;
        if (line.size() < kMaxLineLength) {
            line.push_back(std::char_traits<char>::to_char_type(c));
        } else {
            tooLong = true;
        }
    }
}

namespace {

// One running system on the headless platform and the commands that act on it.
class Session {
  public:
    Session(platform::Size screen, std::ostream& out, std::ostream& err)
        : windowing_(screen), main_(windowing_, printing_), out_(out), err_(err) {}

    void startUp() {
        main_.startUp();
        windowing_.attach(&main_);
    }

    // Runs the event loop over `next`, which yields the commands one by one; then shuts down.
    template <typename Next>
    void runUntilClosed(Next next) {
        windowing_.setEventSource([&]() {
            std::optional<Command> command = next();
            if (!command) return false;
            execute(*command);
            return true;
        });
        windowing_.runEventLoop(main_);
        windowing_.setEventSource({});
        main_.shutDown();
    }

    // After the loop: only dump still answers.
    void afterClose(const Command& command) {
        if (std::holds_alternative<Blank>(command)) return;
        if (std::holds_alternative<Dump>(command)) {
            dump();
        } else {
            err_ << "error: closed\n";
        }
    }

    void error(const std::string& reason) { err_ << "error: " << reason << '\n'; }

  private:
    void execute(const Command& command) {
        const platform::WindowHandle window = main_.window();
        std::visit(
            [&](const auto& c) {
                using T = std::decay_t<decltype(c)>;
                if constexpr (std::is_same_v<T, Click>) {
                    windowing_.click(window, c.id);
                } else if constexpr (std::is_same_v<T, Select>) {
                    windowing_.select(window, c.id, c.position);
                } else if constexpr (std::is_same_v<T, Notify>) {
                    windowing_.notify(window, c.id, c.code);
                } else if constexpr (std::is_same_v<T, Press>) {
                    windowing_.press(window);
                } else if constexpr (std::is_same_v<T, InfoClose>) {
                    const platform::WindowHandle info = main_.infoWindow().handle();
                    if (info == 0) {
                        error("the information window is not open");
                    } else {
                        windowing_.click(info, InfoWindow::kCloseId);
                    }
                } else if constexpr (std::is_same_v<T, PrintFail>) {
                    printing_.failNextStart();
                } else if constexpr (std::is_same_v<T, Find>) {
                    find(c.text);
                } else if constexpr (std::is_same_v<T, Measure>) {
                    measure(c);
                } else if constexpr (std::is_same_v<T, Dump>) {
                    dump();
                } else if constexpr (std::is_same_v<T, Screen>) {
                    error("screen must come before every other command");
                } else if constexpr (std::is_same_v<T, Malformed>) {
                    error(c.reason);
                }
            },
            command);
    }

    // As Return in the find box: typed into its line when it is open.
    void find(const std::string& text) {
        const platform::WindowHandle box = main_.findBox().handle();
        if (box != 0 && windowing_.type(box, FindBox::kEntryId, text)) {
            windowing_.key(box, platform::KeyChord{platform::keys::kReturn, false});
        } else {
            main_.find(text);
        }
    }

    // The MEASURE window's commands; all but open need it open.
    void measure(const Measure& m) {
        if (m.action == Measure::Action::Open) {
            windowing_.click(main_.window(), ids::kMeasure);
            return;
        }
        const platform::WindowHandle w = main_.measureWindow().handle();
        if (w == 0) {
            error("the MEASURE window is not open");
            return;
        }
        switch (m.action) {
            case Measure::Action::Close:
                windowing_.click(w, MeasureWindow::kCloseId);
                return;
            case Measure::Action::Click:
                windowing_.click(w, m.id);
                return;
            case Measure::Action::Type:
                if (!windowing_.type(w, m.id, m.text)) {
                    error("that entry is not shown: the plane is for taper pipe threads");
                    return;
                }
                windowing_.key(w, platform::KeyChord{platform::keys::kReturn, false});
                return;
            case Measure::Action::Choose:
                if (!windowing_.activate(w, MeasureWindow::kCandidatesId, m.position)) {
                    error("the MEASURE window lists no such candidate");
                }
                return;
            case Measure::Action::Open:
                return;
        }
    }

    void dump() {
        nlohmann::json state = platform::stateToJson(windowing_, printing_);
        state["find"] = findJson();
        state["findBox"] = findBoxJson();
        state["measure"] = measureJson();
        // Texts that are not valid UTF-8 are replaced rather than refused.
        out_ << state.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        out_.flush();
    }

    // The last find: {"text", "found", "designation", "message"}; null before the first.
    nlohmann::json findJson() const {
        const std::optional<MainWindow::LastFind>& last = main_.lastFind();
        if (!last) return nullptr;
        return {{"text", last->text},
                {"found", last->outcome.found},
                {"designation", last->outcome.canonical},
                {"message", last->outcome.message}};
    }

    // The find box as the information window is dumped: {"open", "rect", "text", "history",
    // "message"}; the history is what its line's drop-down offers, the last ten designations
    // found (also while the box is closed).
    nlohmann::json findBoxJson() const {
        const FindBox& box = main_.findBox();
        const platform::HeadlessWindow* w = windowing_.window(box.handle());
        const platform::HeadlessControl* entry =
            w != nullptr ? windowing_.control(w->handle, FindBox::kEntryId) : nullptr;
        return {{"open", w != nullptr},
                {"rect", w != nullptr ? nlohmann::json::array({w->rect.left, w->rect.top,
                                                               w->rect.width, w->rect.height})
                                      : nlohmann::json::array({0, 0, 0, 0})},
                {"text", entry != nullptr ? entry->text : std::string()},
                {"history", main_.findHistory()},
                {"message", box.message()}};
    }

    // The MEASURE window: {"open", "rect", "header", "entries": {ENTRY: text}, "planeShown",
    // "leadAngle" ("on" or "off"), "side" ("major" or "minor"), "form" ("any", "parallel" or
    // "taper"), "wires" (rows of CLASS, WIRES MAX, WIRES MIN, VERDICT, FROM MAX, FROM MIN),
    // "wiresMessage", "gauges" (rows of CLASS, GAUGE, SIZE), "gaugesNote", "candidates" (the
    // list's entries), "designations" (what each shows), "chosen", "candidateNote"}; closed,
    // every text and list empty.
    nlohmann::json measureJson() const {
        using J = nlohmann::json;
        const MeasureWindow& m = main_.measureWindow();
        const platform::HeadlessWindow* w = windowing_.window(m.handle());
        const auto control = [&](int id) -> const platform::HeadlessControl* {
            return w != nullptr ? windowing_.control(w->handle, id) : nullptr;
        };
        const auto text = [&](int id) {
            const platform::HeadlessControl* c = control(id);
            return c != nullptr ? c->text : std::string();
        };
        const auto rows = [&](int id) {
            const platform::HeadlessControl* c = control(id);
            return c != nullptr ? J(c->rows) : J::array();
        };
        const auto on = [&](int id) {
            const platform::HeadlessControl* c = control(id);
            return c != nullptr && c->checked;
        };
        J entries = J::object();
        for (const MeasureEntryWord& e : kMeasureEntries) entries[std::string(e.word)] = text(e.id);
        const platform::HeadlessControl* list = control(MeasureWindow::kCandidatesId);
        const platform::HeadlessControl* plane = control(MeasureWindow::kPlaneEntryId);
        const bool open = w != nullptr;
        return {
            {"open", open},
            {"rect", open ? J::array({w->rect.left, w->rect.top, w->rect.width, w->rect.height})
                          : J::array({0, 0, 0, 0})},
            {"header", text(MeasureWindow::kHeaderId)},
            {"entries", entries},
            {"planeShown", plane != nullptr && plane->visible},
            {"leadAngle", on(MeasureWindow::kLeadOnId) ? "on" : "off"},
            {"side", on(MeasureWindow::kMinorId) ? "minor" : "major"},
            {"form", on(MeasureWindow::kTaperId)      ? "taper"
                     : on(MeasureWindow::kParallelId) ? "parallel"
                                                      : "any"},
            {"wires", rows(MeasureWindow::kWiresListId)},
            {"wiresMessage", text(MeasureWindow::kWiresMessageId)},
            {"gauges", rows(MeasureWindow::kGaugesListId)},
            {"gaugesNote", text(MeasureWindow::kGaugesNoteId)},
            {"candidates", list != nullptr ? J(list->items) : J::array()},
            {"designations", open ? J(m.identification().designations) : J::array()},
            {"chosen", open ? m.chosenCandidate() : -1},
            {"candidateNote", text(MeasureWindow::kCandidateNoteId)},
        };
    }

    platform::HeadlessWindowing windowing_;
    platform::RecordingPrintPreview printing_;
    MainWindow main_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace

void ScriptDriver::run(std::istream& in) {
    std::string line;
    bool tooLong = false;
    const auto next = [&]() -> std::optional<Command> {
        if (!readLine(in, line, tooLong)) return std::nullopt;
        if (tooLong) return Command{Malformed{"line too long"}};
        return parseCommand(line);
    };

    // Screen commands come first; the first other command waits for the system to start.
    platform::Size screen{1024, 768};
    std::optional<Command> pending;
    while (const auto command = next()) {
        if (const auto* s = std::get_if<Screen>(&*command)) {
            screen = {s->width, s->height};
        } else if (const auto* bad = std::get_if<Malformed>(&*command)) {
            err_ << "error: " << bad->reason << '\n';
        } else if (!std::holds_alternative<Blank>(*command)) {
            pending = *command;
            break;
        }
    }

    Session session(screen, out_, err_);
    session.startUp();
    session.runUntilClosed([&]() -> std::optional<Command> {
        if (pending) return std::exchange(pending, std::nullopt);
        return next();
    });
    while (const auto command = next()) session.afterClose(*command);
}

}  // namespace torveld::driver
