#pragma once
// What the commands ask of the system about programs and users, handed to
// them so that the model keeps no system calls of its own.
#include <string>

namespace orvanta {

class Processes {
public:
    virtual ~Processes() = default;
    // This program's process number.
    virtual int Own() const = 0;
    // Whether an Orvanta runs under that number: a number taken over by
    // another program does not count.
    virtual bool OrvantaRuns(int processId) const = 0;
    // The user's login name, for a command the user may run.
    virtual std::string UserName() const = 0;
};

}  // namespace orvanta
