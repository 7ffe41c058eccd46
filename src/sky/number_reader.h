#pragma once
// Reads the comma- and line-separated decimal fields of the data files, with
// the line number for messages. Blanks before a field are skipped, and so is a
// UTF-8 byte-order mark at the start of the text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

class NumberReader {
public:
    explicit NumberReader(std::string_view text);

    // True once only blanks and line ends are left.
    bool AtEnd();
    // The next field as a whole number in [low, high]; nullopt with Error() set otherwise.
    std::optional<int64_t> NextInteger(int64_t low, int64_t high);
    // The next field as a decimal number (digits with an optional point and sign).
    std::optional<double> NextNumber();
    // The next field as text; a field starting with a double quote runs to the
    // closing one. After a comma, a line end gives an empty field.
    std::optional<std::string> NextText();

    int Line() const { return line_; }
    const std::string& Error() const { return error_; }

private:
    void SkipBlanks();
    void SkipSeparator();
    void PassLineEnd();
    void PassBlanksAndLineEnds();
    std::string_view TakeField();
    std::nullopt_t Incomplete();
    template <typename T>
    std::optional<T> NextParsed(const char* kind);

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
    int lastFieldLine_ = 1;
    bool afterComma_ = false;  // the last field ended at a comma, not a line end
    std::string error_;
};

}  // namespace orvanta
