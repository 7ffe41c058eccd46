// Finding the parts of a JSON text, and writing a value on one line.
#include "documents/culture/json_spans.h"

namespace orvanta {

namespace {

bool IsJsonBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

size_t SkipBlanks(std::string_view text, size_t at) {
    while (at < text.size() && IsJsonBlank(text[at])) ++at;
    return at;
}

size_t StringEnd(std::string_view text, size_t at) {
    for (size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] == '\\') ++i;
        else if (text[i] == '"') return i + 1;
    }
    return text.size();
}

}  // namespace

size_t JsonValueEnd(std::string_view text, size_t at) {
    at = SkipBlanks(text, at);
    if (at >= text.size()) return at;
    if (text[at] == '"') return StringEnd(text, at);
    if (text[at] != '{' && text[at] != '[') {
        while (at < text.size() && !IsJsonBlank(text[at]) && text[at] != ',' && text[at] != '}' && text[at] != ']') ++at;
        return at;
    }
    int depth = 0;
    for (size_t i = at; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            i = StringEnd(text, i) - 1;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            if (--depth == 0) return i + 1;
        }
    }
    return text.size();
}

std::vector<JsonMember> JsonObjectMembers(std::string_view text, size_t at) {
    std::vector<JsonMember> members;
    at = SkipBlanks(text, at);
    if (at >= text.size() || text[at] != '{') return members;
    size_t i = SkipBlanks(text, at + 1);
    while (i < text.size() && text[i] == '"') {
        JsonMember member;
        member.keySpan = {i, StringEnd(text, i)};
        member.key = OrderedJson::parse(text.substr(i, member.keySpan.end - i)).get<std::string>();
        i = SkipBlanks(text, member.keySpan.end);
        if (i >= text.size() || text[i] != ':') break;
        const size_t value = SkipBlanks(text, i + 1);
        member.valueSpan = {value, JsonValueEnd(text, value)};
        members.push_back(std::move(member));
        i = SkipBlanks(text, members.back().valueSpan.end);
        if (i < text.size() && text[i] == ',') i = SkipBlanks(text, i + 1);
    }
    return members;
}

std::vector<JsonSpan> JsonArrayElements(std::string_view text, size_t at) {
    std::vector<JsonSpan> elements;
    at = SkipBlanks(text, at);
    if (at >= text.size() || text[at] != '[') return elements;
    size_t i = SkipBlanks(text, at + 1);
    while (i < text.size() && text[i] != ']') {
        elements.push_back({i, JsonValueEnd(text, i)});
        i = SkipBlanks(text, elements.back().end);
        if (i < text.size() && text[i] == ',') i = SkipBlanks(text, i + 1);
        else break;
    }
    return elements;
}

std::string InlineJson(const OrderedJson& value) {
    if (value.is_array()) {
        std::string text = "[";
        for (size_t i = 0; i < value.size(); ++i) text += (i ? ", " : "") + InlineJson(value[i]);
        return text + "]";
    }
    if (value.is_object()) {
        std::string text = "{";
        bool first = true;
        for (const auto& [key, member] : value.items()) {
            text += (first ? "" : ", ") + OrderedJson(key).dump() + ": " + InlineJson(member);
            first = false;
        }
        return text + "}";
    }
    return value.dump();
}

std::string IndentationAt(std::string_view text, size_t at) {
    const size_t lineStart = text.rfind('\n', at == 0 ? 0 : at - 1);
    const size_t from = lineStart == std::string_view::npos ? 0 : lineStart + 1;
    size_t end = from;
    while (end < at && (text[end] == ' ' || text[end] == '\t')) ++end;
    return std::string(text.substr(from, end - from));
}

}  // namespace orvanta
