#include "headless_json.h"

#include <charconv>
#include <cstdlib>
#include <string>

namespace torveld::platform {

namespace {

using nlohmann::json;

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "label";
        case ControlKind::TextBox:
            return "textbox";
        case ControlKind::Button:
            return "button";
        case ControlKind::Radio:
            return "radio";
        case ControlKind::DropDown:
            return "dropdown";
        case ControlKind::ListBox:
            return "listbox";
        case ControlKind::ListView:
            return "listview";
        case ControlKind::HistoryEntry:
            return "historyentry";
    }
    return "label";
}

const char* iconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Warning:
            return "warning";
        case MessageIcon::Information:
            return "information";
        case MessageIcon::Error:
            return "error";
    }
    return "warning";
}

json rectJson(const Rect& r) {
    return json::array({r.left, r.top, r.width, r.height});
}

json rgbJson(const Rgb& c) {
    return json::array({c.red, c.green, c.blue});
}

json controlJson(const HeadlessControl& c) {
    json j;
    j["kind"] = kindName(c.kind);
    j["text"] = c.text;
    j["rect"] = rectJson(c.rect);
    j["visible"] = c.visible;
    j["font"] = c.font ? json::array({c.font->face, c.font->points, c.font->weight}) : json();
    j["colours"] =
        c.colours ? json::array({rgbJson(c.colours->first), rgbJson(c.colours->second)}) : json();
    switch (c.kind) {
        case ControlKind::Radio:
            j["checked"] = c.checked;
            break;
        case ControlKind::DropDown:
        case ControlKind::ListBox:
        case ControlKind::HistoryEntry:
            j["items"] = c.items;
            j["selected"] = c.selected;
            j["entryHeight"] = c.entryHeight;
            break;
        case ControlKind::ListView: {
            json columns = json::array();
            for (const auto& [caption, width] : c.columns) columns.push_back({caption, width});
            j["columns"] = std::move(columns);
            j["rows"] = c.rows;
            j["selected"] = c.selected;
            j["topRow"] = c.topRow;
            break;
        }
        default:
            break;
    }
    return j;
}

json infoJson(const HeadlessWindowing& windowing) {
    const HeadlessWindow* info = nullptr;
    for (const auto& w : windowing.windows()) {
        if (w.title == "Thread Info") info = &w;
    }
    json j;
    j["open"] = info && info->open;
    j["rect"] = rectJson(info ? info->rect : Rect{});
    json lines = json::array();
    if (info && info->open) {
        for (int id : info->creationOrder) {
            const HeadlessControl& c = info->controls.at(id);
            if (c.kind != ControlKind::ListView) continue;
            for (const auto& row : c.rows) lines.push_back(row.empty() ? std::string() : row[0]);
            break;
        }
    }
    j["lines"] = std::move(lines);
    return j;
}

json argumentJson(const RecordingPrintPreview::Argument& a) {
    if (const auto* i = std::get_if<long long>(&a)) return *i;
    if (const auto* f = std::get_if<float>(&a)) return shortestDecimal(*f);
    return std::get<std::string>(a);
}

}  // namespace

double shortestDecimal(float value) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    double shortest = 0.0;
    std::from_chars(buffer, written.ptr, shortest);
    return shortest;
}

json windowToJson(const HeadlessWindow& w) {
    json j;
    j["open"] = w.open;
    j["state"] = !w.open ? "closed" : w.state == ShowState::Minimised ? "minimised" : "normal";
    j["rect"] = rectJson(w.rect);
    j["title"] = w.title;
    json controls = json::object();
    for (int id : w.creationOrder) controls[std::to_string(id)] = controlJson(w.controls.at(id));
    j["controls"] = std::move(controls);
    return j;
}

json stateToJson(const HeadlessWindowing& windowing, const RecordingPrintPreview& printing) {
    json j;
    j["main"] = windowing.windows().empty() ? json() : windowToJson(windowing.windows().front());
    j["info"] = infoJson(windowing);
    json boxes = json::array();
    for (const auto& m : windowing.messageBoxes()) {
        boxes.push_back({{"caption", m.caption}, {"text", m.text}, {"icon", iconName(m.icon)}});
    }
    j["messageBoxes"] = std::move(boxes);
    json prints = json::array();
    for (const auto& document : printing.documents()) {
        json calls = json::array();
        for (const auto& call : document) {
            json entry = json::array({call.operation});
            for (const auto& a : call.arguments) entry.push_back(argumentJson(a));
            calls.push_back(std::move(entry));
        }
        prints.push_back(std::move(calls));
    }
    j["prints"] = std::move(prints);
    return j;
}

}  // namespace torveld::platform
