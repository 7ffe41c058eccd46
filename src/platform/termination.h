#pragma once
// SIGTERM and SIGHUP reach the program as an ordinary event, so that the
// window can ask its question about unsaved changes instead of vanishing.
#include <functional>

namespace orvanta {

// Calls onRequest on the GUI thread whenever the process is asked to end.
// Needs a running Qt application; call once.
void HandleTerminationRequests(std::function<void()> onRequest);

}  // namespace orvanta
