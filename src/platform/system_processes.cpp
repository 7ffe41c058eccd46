// The system's processes and user, from the kernel.
#include "platform/system_processes.h"

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

namespace orvanta {

int SystemProcesses::Own() const { return static_cast<int>(::getpid()); }

bool SystemProcesses::OrvantaRuns(int processId) const {
    if (processId <= 0) return false;
    if (::kill(processId, 0) != 0 && errno == ESRCH) return false;
    std::ifstream comm("/proc/" + std::to_string(processId) + "/comm");
    std::string name;
    if (!std::getline(comm, name)) return true;  // no /proc: trust the number
    return name == "orvanta";
}

std::string SystemProcesses::UserName() const {
    const passwd* user = ::getpwuid(::geteuid());
    return user ? user->pw_name : std::to_string(::geteuid());
}

}  // namespace orvanta
