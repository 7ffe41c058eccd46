// The recovery file's text, and reading it back.
#include "documents/recovery_file.h"

#include <charconv>
#include <cstdlib>

#include "documents/figure_file.h"
#include "files/file_reading.h"

namespace orvanta {

namespace {

constexpr const char* kFirstLine = "Orvanta recovery 2";
constexpr const char* kPrefix = "recovery-";
constexpr const char* kSuffix = ".txt";
constexpr size_t kLongestFileName = 65536;

// Reads the text line by line, counting lines for messages.
class Lines {
public:
    explicit Lines(const std::string& text) : text_(text) {}
    bool Next(std::string& line) {
        const size_t end = text_.find('\n', position_);
        if (end == std::string::npos) return false;
        line = text_.substr(position_, end - position_);
        position_ = end + 1;
        ++number_;
        return true;
    }
    // count raw bytes and the line end after them.
    bool Bytes(size_t count, std::string& bytes) {
        if (position_ + count >= text_.size() || text_[position_ + count] != '\n') return false;
        bytes = text_.substr(position_, count);
        for (const char c : bytes) number_ += c == '\n';
        position_ += count + 1;
        ++number_;
        return true;
    }
    int Number() const { return number_; }
    std::string Rest() const { return text_.substr(position_); }

private:
    const std::string& text_;
    size_t position_ = 0;
    int number_ = 0;
};

bool Field(Lines& lines, const char* name, std::string& value) {
    std::string line;
    if (!lines.Next(line) || line.rfind(name, 0) != 0) return false;
    value = line.substr(std::string(name).size());
    return true;
}

}  // namespace

std::string RecoveryPathFor(const std::string& folder, int processId) {
    return folder + kPrefix + std::to_string(processId) + kSuffix;
}

int ProcessIdOfRecovery(const std::string& name) {
    const std::string prefix = kPrefix, suffix = kSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::atoi(digits.c_str());
}

std::string FormatRecovery(const Recovery& recovery) {
    return std::string(kFirstLine) + "\npid=" + std::to_string(recovery.processId) + "\ntime=" + recovery.time +
           "\nfile=" + std::to_string(recovery.documentFile.size()) + "\n" + recovery.documentFile + "\nlines=\n" +
           FormatFigureFile(recovery.records);
}

ReadFailure ReadRecovery(const std::string& path, Recovery& recovery) {
    std::string text;
    if (auto failure = ReadWholeFile(path, text, kFigureFileLimit + kLongestFileName + 8192); failure.failed)
        return failure;
    Recovery read;
    read.path = path;
    Lines lines(text);
    std::string header, processId, fileLength, linesMark;
    if (!lines.Next(header) || header != kFirstLine) return {true, 1, "this is not a recovery file of Orvanta"};
    if (!Field(lines, "pid=", processId)) return {true, lines.Number(), "no pid= line"};
    read.processId = std::atoi(processId.c_str());
    if (!Field(lines, "time=", read.time)) return {true, lines.Number(), "no time= line"};
    size_t length = 0;
    if (!Field(lines, "file=", fileLength) ||
        std::from_chars(fileLength.data(), fileLength.data() + fileLength.size(), length).ptr !=
            fileLength.data() + fileLength.size() ||
        length > kLongestFileName || !lines.Bytes(length, read.documentFile))
        return {true, lines.Number(), "the name of the figure's file is not whole"};
    if (!Field(lines, "lines=", linesMark) || !linesMark.empty()) return {true, lines.Number(), "no lines= line"};
    if (auto failure = ParseFigureFile(lines.Rest(), read.records); failure.failed) {
        failure.line += lines.Number();
        return failure;
    }
    recovery = std::move(read);
    return {};
}

}  // namespace orvanta
