#pragma once
// The running system's processes and user, from the kernel.
#include "commands/processes.h"

namespace orvanta {

class SystemProcesses final : public Processes {
public:
    int Own() const override;
    bool OrvantaRuns(int processId) const override;
    std::string UserName() const override;
};

}  // namespace orvanta
