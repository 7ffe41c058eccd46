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
constexpr size_t kRecoveryLimit = 64u << 20;  // a culture's largest files, with room

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

bool Number(const std::string& text, size_t most, size_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value <= most;
}

// "name=<length>", then that many raw bytes and a line end.
bool Counted(Lines& lines, const char* name, size_t most, std::string& bytes) {
    std::string length;
    size_t count = 0;
    return Field(lines, name, length) && Number(length, most, count) && lines.Bytes(count, bytes);
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
    std::string text = std::string(kFirstLine) + "\npid=" + std::to_string(recovery.processId) + "\ntime=" +
                       recovery.time + "\nfile=" + std::to_string(recovery.documentFile.size()) + "\n" +
                       recovery.documentFile + "\n";
    // Each file as its length and its raw bytes: any name and any content come back whole.
    if (!recovery.cultureFiles.empty()) {
        text += "culture=" + std::to_string(recovery.cultureFiles.size()) + "\n";
        for (const FolderFile& file : recovery.cultureFiles)
            text += "name=" + std::to_string(file.name.size()) + "\n" + file.name + "\nbytes=" +
                    std::to_string(file.bytes.size()) + "\n" + file.bytes + "\n";
    }
    return text + "lines=\n" + FormatFigureFile(recovery.records);
}

ReadFailure ReadRecovery(const std::string& path, Recovery& recovery) {
    std::string text;
    if (auto failure = ReadWholeFile(path, text, kRecoveryLimit); failure.failed) return failure;
    Recovery read;
    read.path = path;
    Lines lines(text);
    std::string header, processId, linesMark;
    if (!lines.Next(header) || header != kFirstLine) return {true, 1, "this is not a recovery file of Orvanta"};
    if (!Field(lines, "pid=", processId)) return {true, lines.Number(), "no pid= line"};
    read.processId = std::atoi(processId.c_str());
    if (!Field(lines, "time=", read.time)) return {true, lines.Number(), "no time= line"};
    if (!Counted(lines, "file=", kLongestFileName, read.documentFile))
        return {true, lines.Number(), "the name of the figure's file is not whole"};
    if (!lines.Next(linesMark)) return {true, lines.Number(), "no lines= line"};
    if (linesMark.rfind("culture=", 0) == 0) {
        size_t count = 0;
        if (!Number(linesMark.substr(8), kRecoveryLimit, count)) return {true, lines.Number(), "the culture's files are not whole"};
        for (size_t i = 0; i < count; ++i) {
            FolderFile file;
            if (!Counted(lines, "name=", kLongestFileName, file.name) || !Counted(lines, "bytes=", kRecoveryLimit, file.bytes))
                return {true, lines.Number(), "the culture's files are not whole"};
            read.cultureFiles.push_back(std::move(file));
        }
        if (!lines.Next(linesMark)) return {true, lines.Number(), "no lines= line"};
    }
    if (linesMark != "lines=") return {true, lines.Number(), "no lines= line"};
    if (auto failure = ParseFigureFile(lines.Rest(), read.records); failure.failed) {
        failure.line += lines.Number();
        return failure;
    }
    recovery = std::move(read);
    return {};
}

}  // namespace orvanta
