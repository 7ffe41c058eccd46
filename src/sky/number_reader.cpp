// Reading the comma- and line-separated fields of the data files.
#include "sky/number_reader.h"

#include <cctype>
#include <charconv>
#include <type_traits>

#include "files/quoted_field.h"

namespace orvanta {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string_view SkipByteOrderMark(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return text;
}
}  // namespace

NumberReader::NumberReader(std::string_view text) : text_(SkipByteOrderMark(text)) {}

// CR LF, CR alone and LF alone each end one line, so that a file counts the
// same lines whichever convention wrote it.
void NumberReader::PassLineEnd() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
}

void NumberReader::PassBlanksAndLineEnds() {
    while (pos_ < text_.size() && (IsBlank(text_[pos_]) || IsLineEnd(text_[pos_]))) {
        if (IsLineEnd(text_[pos_])) PassLineEnd();
        else ++pos_;
    }
}

void NumberReader::SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
}

bool NumberReader::AtEnd() {
    PassBlanksAndLineEnds();
    return pos_ >= text_.size();
}

// A field ends at a comma or a line end; the separator is consumed so that a
// record may be split over lines or share one with the next.
void NumberReader::SkipSeparator() {
    SkipBlanks();
    afterComma_ = false;
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == ',') {
        ++pos_;
        afterComma_ = true;
    } else if (IsLineEnd(text_[pos_])) {
        PassLineEnd();
    }
}

std::nullopt_t NumberReader::Incomplete() {
    // The record ended with the file: the line to name is that of its last field.
    line_ = lastFieldLine_;
    error_ = "the record is incomplete";
    return std::nullopt;
}

std::string_view NumberReader::TakeField() {
    // Line ends before a field are passed over, as the sequential reader does.
    PassBlanksAndLineEnds();
    const size_t start = pos_;
    lastFieldLine_ = line_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_]) && !IsBlank(text_[pos_])) ++pos_;
    std::string_view field = text_.substr(start, pos_ - start);
    // A blank ends a number too; a comma or line end after the blanks belongs to it.
    SkipSeparator();
    return field;
}

template <typename T>
std::optional<T> NumberReader::NextParsed(const char* kind) {
    if (AtEnd()) return Incomplete();
    const int fieldLine = line_;
    std::string_view field = TakeField();
    if (!field.empty() && field[0] == '+') field.remove_prefix(1);
    T value = 0;
    std::from_chars_result result;
    if constexpr (std::is_floating_point_v<T>)
        result = std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
    else
        result = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || result.ec != std::errc() || result.ptr != field.data() + field.size()) {
        line_ = fieldLine;
        error_ = field.empty() ? "a number is missing" : QuoteField(field) + " is not " + kind;
        return std::nullopt;
    }
    return value;
}

std::optional<int64_t> NumberReader::NextInteger(int64_t low, int64_t high) {
    const auto value = NextParsed<int64_t>("a whole number");
    if (value && (*value < low || *value > high)) {
        line_ = lastFieldLine_;  // the line the number stood on, not the one after it
        error_ = std::to_string(*value) + " is outside " + std::to_string(low) + " to " + std::to_string(high);
        return std::nullopt;
    }
    return value;
}

std::optional<double> NumberReader::NextNumber() { return NextParsed<double>("a number"); }

std::optional<std::string> NumberReader::NextText() {
    SkipBlanks();
    // After a comma a line end ends the field: "Ab," at the end of a line is
    // followed by an empty field, not by the next line's first one.
    const bool emptyAfterComma = afterComma_ && (pos_ >= text_.size() || IsLineEnd(text_[pos_]));
    if (emptyAfterComma) {
        lastFieldLine_ = line_;
        SkipSeparator();
        return std::string();
    }
    if (AtEnd()) return Incomplete();
    lastFieldLine_ = line_;
    if (pos_ < text_.size() && text_[pos_] == '"') {
        const size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos) {
            error_ = "a quoted field has no closing quote";
            return std::nullopt;
        }
        std::string value(text_.substr(pos_ + 1, close - pos_ - 1));
        for (++pos_; pos_ < close;) {
            if (IsLineEnd(text_[pos_])) PassLineEnd();
            else ++pos_;
        }
        pos_ = close + 1;
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) {
            error_ = "unexpected text after a quoted field";
            return std::nullopt;
        }
        SkipSeparator();
        return value;
    }
    const size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    std::string_view field = text_.substr(start, pos_ - start);
    while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
    SkipSeparator();
    return std::string(field);
}

}  // namespace orvanta
