#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

#include "Internal/Platform/Descriptor.h"

namespace KorrCore::Xde {

// The resident translation worker (see WorkerProtocol.h): one process that
// starts at the first read or write and then makes a fresh copy of itself
// for each one, so that a file costs a copy instead of a start. Shared by
// whoever holds it; the last holder gone, the process is killed and reaped.
class ResidentWorker {
public:
    // The one the live holders share; a new one (its process not started)
    // when none lives.
    static std::shared_ptr<ResidentWorker> Shared();

    ResidentWorker() = default;
    ~ResidentWorker();
    ResidentWorker(const ResidentWorker&) = delete;
    ResidentWorker& operator=(const ResidentWorker&) = delete;

    // Has a copy, a child of this process, run the command `words` with
    // these descriptors as its standard input, output and progress; gives
    // its process id, or -1. A resident process found dead is replaced.
    pid_t StartCopy(const std::vector<std::string>& words, int input, int output, int progress);

private:
    bool Running();
    bool Launch();
    void Stop();
    void Forget();
    enum class Sent { Yes, Untaken, Failed };
    Sent Send(const std::vector<std::string>& words, int input, int output, int progress);
    // The copy's id, -1, or (the request not taken) kUntaken.
    pid_t Answer();

    std::mutex serving;
    pid_t process = -1;
    // The process a host that forks has inherited this from: its child
    // starts a resident process of its own.
    pid_t owner = -1;
    Descriptor exited, requests;
    // Held only here, for the life of this object: its end ends every copy.
    Descriptor aliveRead, aliveWrite;
};

} // namespace KorrCore::Xde
