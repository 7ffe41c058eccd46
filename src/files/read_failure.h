#pragma once
// Why a file could not be read: the line where reading stopped and what was wrong.
#include <string>

namespace orvanta {

struct ReadFailure {
    bool failed = false;
    int line = 0;  // 0 when the failure is not tied to a line
    std::string reason;
};

// Something read from a file in a way the files allow but a careful author
// would look at: a count of lines that disagrees with its numbers, a line
// no reader understands.
struct ReadNote {
    std::string file;
    int line = 0;  // 0 when not tied to one
    std::string what;
};

}  // namespace orvanta
