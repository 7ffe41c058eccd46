#pragma once
// Why a file could not be read: the line where reading stopped and what was wrong.
#include <string>

namespace orvanta {

struct ReadFailure {
    bool failed = false;
    int line = 0;  // 0 when the failure is not tied to a line
    std::string reason;
};

}  // namespace orvanta
