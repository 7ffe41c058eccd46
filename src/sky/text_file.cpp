#include "sky/text_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace orvanta {

ReadFailure ReadWholeFile(const std::string& path, std::string& text, size_t maxBytes) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return {true, 0, std::strerror(errno)};
    if (S_ISDIR(info.st_mode)) return {true, 0, "it is a folder, not a file"};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {true, 0, std::strerror(errno)};
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return {true, 0, "the file could not be read"};
    text = buffer.str();
    if (text.size() > maxBytes) {
        text.clear();
        return {true, 0, "the file is too large"};
    }
    return {};
}

}  // namespace orvanta
