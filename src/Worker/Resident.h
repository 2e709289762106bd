#pragma once

#include <string>
#include <vector>

namespace KorrCore::Worker {

// One command of the worker (its words, as on a command line), run with its
// descriptors in place; gives the exit status.
using Command = int (*)(const std::vector<std::string>& words);

// The resident worker's life (see Internal/Protocol/WorkerProtocol.h): for each request
// on the request descriptor, a copy of this process, made a child of the
// host, runs `command` on the descriptors that came with it; the host hears
// its process id. Returns when the host closes its end.
void ServeRequests(Command command);

} // namespace KorrCore::Worker
