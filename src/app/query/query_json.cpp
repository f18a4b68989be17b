// The query's JSON line, written in one pass by RapidJSON's writer: no document is built, so
// that one answer costs microseconds. Numbers are written without the process locale.
#include <charconv>
#include <ostream>

#include <rapidjson/encodings.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "query_output.h"
#include "query_values.h"

namespace torveld::query {

namespace {

class JsonLine {
  public:
    JsonLine() : writer_(buffer_) {}

    void key(std::string_view name) {
        writer_.Key(name.data(), static_cast<rapidjson::SizeType>(name.size()));
    }
    // A text; bytes that are not UTF-8 are replaced by U+FFFD rather than refused.
    void string(std::string_view text) {
        if (valid(text)) {
            writer_.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
            return;
        }
        const std::string replaced = withReplacements(text);
        writer_.String(replaced.data(), static_cast<rapidjson::SizeType>(replaced.size()));
    }
    void number(double value) { writer_.Double(value); }
    void integer(long long value) { writer_.Int64(value); }
    void boolean(bool value) { writer_.Bool(value); }
    void null() { writer_.Null(); }
    void startObject() { writer_.StartObject(); }
    void endObject() { writer_.EndObject(); }
    void startArray() { writer_.StartArray(); }
    void endArray() { writer_.EndArray(); }

    std::string_view text() const { return {buffer_.GetString(), buffer_.GetSize()}; }

  private:
    using Stream = rapidjson::GenericStringStream<rapidjson::UTF8<>>;

    static bool valid(std::string_view text) {
        for (const char c : text) {
            if (static_cast<unsigned char>(c) >= 0x80) return validUtf8(text);
        }
        return true;
    }
    static bool validUtf8(std::string_view text) {
        const std::string copy(text);  // the stream reads up to a terminating NUL
        Stream in(copy.c_str());
        unsigned codepoint = 0;
        while (static_cast<std::size_t>(in.Tell()) < copy.size()) {
            if (!rapidjson::UTF8<>::Decode(in, &codepoint)) return false;
        }
        return true;
    }
    static std::string withReplacements(std::string_view text) {
        const std::string copy(text);
        std::string out;
        std::size_t at = 0;
        while (at < copy.size()) {
            Stream in(copy.c_str() + at);
            unsigned codepoint = 0;
            const bool ok = rapidjson::UTF8<>::Decode(in, &codepoint);
            const std::size_t used = static_cast<std::size_t>(in.Tell());
            if (ok && used > 0 && at + used <= copy.size()) {
                out.append(copy, at, used);
                at += used;
            } else {
                out += "\xEF\xBF\xBD";
                ++at;
            }
        }
        return out;
    }

    rapidjson::StringBuffer buffer_;
    rapidjson::Writer<rapidjson::StringBuffer> writer_;
};

void writeClasses(JsonLine& j, const std::vector<ClassLimits>& classes) {
    j.startObject();
    for (const ClassLimits& c : classes) {
        j.key(c.name);
        j.startObject();
        for (std::size_t i = 0; i < kLimitNames.size(); ++i) {
            if (!c.values[i]) continue;
            j.key(kLimitNames[i]);
            j.number(c.values[i]->value);
        }
        if (c.unrMinorMax) {
            j.key("unrMinorMax");
            j.number(c.unrMinorMax->value);
        }
        j.endObject();
    }
    j.endObject();
}

void writeValue(JsonLine& j, const AnswerValue& v, const Answer& a) {
    switch (v.kind) {
        case AnswerValue::Kind::Number:
            // A whole number of threads per inch, or a count written without a point, is
            // written as a whole number.
            if ((v.head() == "tpi" || v.number.text.find('.') == std::string::npos) &&
                v.number.value == static_cast<double>(static_cast<long long>(v.number.value))) {
                j.integer(static_cast<long long>(v.number.value));
            } else {
                j.number(v.number.value);
            }
            return;
        case AnswerValue::Kind::Text:
            j.string(v.text);
            return;
        case AnswerValue::Kind::Bool:
            j.boolean(v.flag);
            return;
        case AnswerValue::Kind::Null:
            j.null();
            return;
        case AnswerValue::Kind::Engagement:
            j.startArray();
            for (const EngagementEntry& e : a.report.tapDrill.engagement) {
                j.startObject();
                j.key("percent");
                j.integer(e.percent);
                j.key("diameter");
                j.number(a.length(e.diameter).value);
                j.endObject();
            }
            j.endArray();
            return;
        case AnswerValue::Kind::Notes:
            j.startArray();
            for (const ReportNote& n : a.report.notes) j.string(noteText(n, a.report));
            j.endArray();
            return;
    }
}

// The values under the top keys, nested objects opened and closed as their paths change.
void writeValues(JsonLine& j, const Answer& a) {
    const std::vector<AnswerValue> values = valuesOf(a);
    std::size_t at = 0;
    for (const TopKey& top : kTopKeys) {
        std::size_t end = at;
        while (end < values.size() && values[end].head() == top.name) ++end;
        if (end == at) {
            if (top.alwaysObject) {
                j.key(top.name);
                j.startObject();
                j.endObject();
            }
            continue;
        }
        j.key(top.name);
        if (values[at].depth == 1) {
            writeValue(j, values[at], a);
            at = end;
            continue;
        }
        j.startObject();
        std::vector<std::string_view> open;  // the keys of the objects open below the top key
        for (; at < end; ++at) {
            const AnswerValue& v = values[at];
            std::size_t shared = 0;
            while (shared < open.size() && shared + 2 < v.depth &&
                   open[shared] == v.path[shared + 1]) {
                ++shared;
            }
            for (std::size_t k = open.size(); k > shared; --k) j.endObject();
            open.resize(shared);
            for (std::size_t k = shared + 1; k + 1 < v.depth; ++k) {
                j.key(v.path[k]);
                j.startObject();
                open.push_back(v.path[k]);
            }
            j.key(v.last());
            writeValue(j, v, a);
        }
        for (std::size_t k = 0; k < open.size(); ++k) j.endObject();
        j.endObject();
    }
}

}  // namespace

std::string jsonText(const Answer& a) {
    JsonLine j;
    j.startObject();
    j.key("input");
    j.string(a.input);
    j.key("designation");
    j.string(a.designation);
    j.key("series");
    j.string(a.series);
    j.key("size");
    j.string(a.size);
    j.key("sizeIndex");
    if (a.sizeIndex) {
        j.integer(*a.sizeIndex);
    } else {
        j.null();
    }
    j.key("tabulated");
    j.boolean(a.tabulated);
    j.key("unit");
    j.string(unitName(a.unit));
    j.key("fields");
    j.startObject();
    for (const auto& [id, text] : a.fields) {
        char digits[16];
        const auto written = std::to_chars(digits, digits + sizeof digits, id);
        j.key(std::string_view(digits, static_cast<std::size_t>(written.ptr - digits)));
        j.string(text);
    }
    j.endObject();
    j.key("limits");
    j.startObject();
    j.key("external");
    writeClasses(j, a.external);
    j.key("internal");
    writeClasses(j, a.internal);
    j.endObject();
    j.key("provenance");
    j.startArray();
    for (const Provenance& p : a.provenance) {
        j.startObject();
        j.key("classes");
        j.startArray();
        for (const std::string& name : p.classes) j.string(name);
        j.endArray();
        j.key("table");
        if (p.table) {
            j.string(*p.table);
        } else {
            j.null();
        }
        j.key("source");
        j.string(p.source);
        j.endObject();
    }
    j.endArray();
    writeValues(j, a);
    j.endObject();
    return std::string(j.text());
}

nlohmann::ordered_json toJson(const Answer& answer) {
    return nlohmann::ordered_json::parse(jsonText(answer));
}

void writeJson(std::ostream& out, const Answer& answer) {
    out << jsonText(answer) << '\n';
}

}  // namespace torveld::query
