#include "window_digest.h"

#include <bit>
#include <functional>
#include <optional>
#include <sstream>
#include <type_traits>
#include <variant>
#include <vector>

namespace torveld::robustness {

namespace {

using platform::HeadlessControl;
using platform::HeadlessWindow;

std::uint64_t mix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

// Hands every field of a window and its controls, by name, to `sink`. The digest and the
// description of differences read the same fields, so neither can miss what the other covers.
template <typename Sink>
void windowFields(const HeadlessWindow& w, Sink& sink) {
    sink.field("title", w.title);
    sink.field("rect", w.rect);
    sink.field("background", w.background);
    sink.field("open", w.open);
    sink.field("popup", w.popup);
}

template <typename Sink>
void controlFields(const HeadlessControl& c, const DigestOptions& options, Sink& sink) {
    sink.field("kind", static_cast<int>(c.kind));
    sink.field("shown", isShown(c));
    // What a hidden or collapsed control holds cannot be seen; what of it reaches the data
    // sheet is compared on the printed sheet.
    if (!isShown(c)) return;
    sink.field("text", c.text);
    sink.field("rect", c.rect);
    sink.field("style", static_cast<int>(c.style));
    sink.field("font", c.font);
    sink.field("colours", c.colours);
    sink.field("checked", c.checked);
    if (!options.ignoreItems.count(c.id)) sink.field("items", c.items);
    if (!options.ignoreSelection.count(c.id)) sink.field("selected", c.selected);
    sink.field("entryHeight", c.entryHeight);
    sink.field("columns", c.columns);
    sink.field("rows", c.rows);
    sink.field("textBackground", c.textBackground);
}

class DigestSink {
  public:
    explicit DigestSink(Digest& digest) : d_(digest) {}
    void field(const char*, const std::string& text) { d_.add(text); }
    void field(const char*, int value) { d_.add(static_cast<std::uint64_t>(value)); }
    void field(const char*, bool value) { d_.add(value ? 1u : 2u); }
    void field(const char*, const platform::Rect& r) {
        for (int v : {r.left, r.top, r.width, r.height}) d_.add(static_cast<std::uint64_t>(v));
    }
    void field(const char*, const platform::Rgb& c) {
        d_.add(static_cast<std::uint64_t>(c.red) << 16 | static_cast<std::uint64_t>(c.green) << 8 |
               c.blue);
    }
    void field(const char*, const platform::FontSpec& f) {
        d_.add(f.face);
        d_.add(static_cast<std::uint64_t>(f.points) << 32 | static_cast<std::uint32_t>(f.weight));
    }
    template <typename A, typename B>
    void field(const char* name, const std::pair<A, B>& pair) {
        field(name, pair.first);
        field(name, pair.second);
    }
    template <typename T>
    void field(const char* name, const std::optional<T>& value) {
        d_.add(value ? 1u : 2u);
        if (value) field(name, *value);
    }
    template <typename T>
    void field(const char* name, const std::vector<T>& values) {
        d_.add(values.size());
        for (const T& v : values) field(name, v);
    }

  private:
    Digest& d_;
};

std::string show(const std::string& text) {
    return "\"" + text + "\"";
}
std::string show(int value) {
    return std::to_string(value);
}
std::string show(bool value) {
    return value ? "true" : "false";
}
std::string show(const platform::Rect& r) {
    std::string text = "(";
    text += std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) +
            "x" + std::to_string(r.height) + ")";
    return text;
}
std::string show(const platform::Rgb& c) {
    return "rgb(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," +
           std::to_string(c.blue) + ")";
}
std::string show(const platform::FontSpec& f) {
    return f.face + " " + std::to_string(f.points) + " " + std::to_string(f.weight);
}
template <typename T>
std::string show(const std::vector<T>& values);
template <typename A, typename B>
std::string show(const std::pair<A, B>& pair) {
    return show(pair.first) + "/" + show(pair.second);
}
template <typename T>
std::string show(const std::optional<T>& value) {
    return value ? show(*value) : std::string("none");
}
template <typename T>
std::string show(const std::vector<T>& values) {
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i) text += ", ";
        if (i == 8) return text + "... " + std::to_string(values.size()) + " in all]";
        text += show(values[i]);
    }
    return text + "]";
}

// Collects the fields of one window or control by name, as text.
struct TextSink {
    std::vector<std::pair<std::string, std::string>> fields;
    template <typename T>
    void field(const char* name, const T& value) {
        fields.emplace_back(name, show(value));
    }
};

// A list field that differs: the first differing entry says more than the whole list.
template <typename T>
std::string firstDifference(const std::vector<T>& a, const std::vector<T>& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (!(a[i] == b[i]))
            return " (first at " + std::to_string(i) + ": " + show(a[i]) + " instead of " +
                   show(b[i]) + ")";
    }
    return " (" + std::to_string(a.size()) + " entries instead of " + std::to_string(b.size()) +
           ")";
}

}  // namespace

void Digest::add(std::uint64_t value) {
    state_ = mix(state_ ^ mix(value));
}

void Digest::add(std::string_view text) {
    add(std::hash<std::string_view>{}(text) ^ (static_cast<std::uint64_t>(text.size()) << 48));
}

bool isShown(const HeadlessControl& control) {
    return control.visible && control.rect.width > 0 && control.rect.height > 0;
}

std::uint64_t windowDigest(const HeadlessWindow& window, const DigestOptions& options) {
    Digest digest;
    DigestSink sink(digest);
    windowFields(window, sink);
    digest.add(window.controls.size());
    for (const auto& [id, control] : window.controls) {
        digest.add(static_cast<std::uint64_t>(id));
        controlFields(control, options, sink);
    }
    return digest.value();
}

std::uint64_t documentDigest(const platform::RecordingPrintPreview::Document& document) {
    Digest digest;
    digest.add(document.size());
    for (const auto& call : document) {
        digest.add(call.operation);
        digest.add(call.arguments.size());
        // The handle that every call after dpStartDoc names differs from print to print (the
        // recorder keeps only the calls on the open document's handle).
        const std::size_t first = call.operation == "dpStartDoc" ? 0 : 1;
        for (std::size_t i = first; i < call.arguments.size(); ++i) {
            const auto& argument = call.arguments[i];
            digest.add(argument.index());
            if (const auto* i = std::get_if<long long>(&argument)) {
                digest.add(static_cast<std::uint64_t>(*i));
            } else if (const auto* f = std::get_if<float>(&argument)) {
                digest.add(std::bit_cast<std::uint32_t>(*f));
            } else {
                digest.add(std::get<std::string>(argument));
            }
        }
    }
    return digest.value();
}

std::string describeDifferences(const HeadlessWindow& actual, const HeadlessWindow& expected,
                                const DigestOptions& options, int maxLines) {
    std::ostringstream out;
    int lines = 0;
    const auto report = [&](const std::string& line) {
        if (lines++ < maxLines) out << line << '\n';
    };
    const auto compare = [&](const std::string& where, const auto& fieldsOf) {
        TextSink a, b;
        fieldsOf(a, true);
        fieldsOf(b, false);
        for (std::size_t i = 0; i < a.fields.size() && i < b.fields.size(); ++i) {
            if (a.fields[i].second != b.fields[i].second) {
                report(where + " " + a.fields[i].first + ": " + a.fields[i].second +
                       " instead of " + b.fields[i].second);
            }
        }
    };
    compare("window",
            [&](TextSink& sink, bool first) { windowFields(first ? actual : expected, sink); });
    std::set<int> ids;
    for (const auto& [id, c] : actual.controls) ids.insert(id);
    for (const auto& [id, c] : expected.controls) ids.insert(id);
    for (int id : ids) {
        const auto a = actual.controls.find(id);
        const auto b = expected.controls.find(id);
        const std::string where = "control " + std::to_string(id);
        if (a == actual.controls.end() || b == expected.controls.end()) {
            report(where + (a == actual.controls.end() ? " missing" : " not expected"));
            continue;
        }
        const HeadlessControl& ca = a->second;
        const HeadlessControl& cb = b->second;
        if (ca.items != cb.items && !options.ignoreItems.count(id)) {
            report(where + " items" + firstDifference(ca.items, cb.items));
        }
        if (ca.rows != cb.rows) {
            for (std::size_t r = 0; r < ca.rows.size() && r < cb.rows.size(); ++r) {
                if (ca.rows[r] != cb.rows[r]) {
                    report(where + " row " + std::to_string(r) +
                           firstDifference(ca.rows[r], cb.rows[r]));
                    break;
                }
            }
        }
        compare(where,
                [&](TextSink& sink, bool first) { controlFields(first ? ca : cb, options, sink); });
    }
    if (lines > maxLines) out << "... " << lines - maxLines << " more\n";
    return out.str();
}

namespace {

std::string callText(const platform::RecordingPrintPreview::Call& call) {
    std::ostringstream out;
    out << call.operation << '(';
    const std::size_t first = call.operation == "dpStartDoc" ? 0 : 1;  // not the handle
    for (std::size_t i = first; i < call.arguments.size(); ++i) {
        if (i > first) out << ", ";
        std::visit(
            [&](const auto& v) {
                if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>) {
                    out << '"' << v << '"';
                } else {
                    out << v;
                }
            },
            call.arguments[i]);
    }
    return out.str() + ")";
}

}  // namespace

std::string describeDifferences(const platform::RecordingPrintPreview::Document& actual,
                                const platform::RecordingPrintPreview::Document& expected,
                                int maxLines) {
    std::ostringstream out;
    int lines = 0;
    for (std::size_t i = 0; i < actual.size() || i < expected.size(); ++i) {
        const std::string a = i < actual.size() ? callText(actual[i]) : "nothing";
        const std::string b = i < expected.size() ? callText(expected[i]) : "nothing";
        if (a != b && lines++ < maxLines) {
            out << "call " << i << ": " << a << " instead of " << b << '\n';
        }
    }
    if (lines > maxLines) out << "... " << lines - maxLines << " more\n";
    return out.str();
}

}  // namespace torveld::robustness
