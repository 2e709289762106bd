#include "Worker/Resident.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

#include "Internal/Protocol/WorkerProtocol.h"

namespace KorrCore::Worker {

namespace {

namespace Protocol = Xde::WorkerProtocol;

// The descriptors a request brings, in the order the copy places them:
// standard input, output, progress.
constexpr int kRequestDescriptors = 3;
// Above every descriptor the copy places, so that placing one never
// overwrites another still to be placed.
constexpr int kAbovePlaced = Protocol::kHostAliveDescriptor + 1;
// A copy whose host has gone ends with this status; nobody reads it.
constexpr int kHostGone = 70;

struct Request {
    std::vector<std::string> words;
    std::vector<int> descriptors;

    ~Request() { CloseDescriptors(); }
    void CloseDescriptors()
    {
        for (int fd : descriptors)
            ::close(fd);
        descriptors.clear();
    }
};

// False once the host has closed its end (or the socket fails).
bool Receive(Request& request)
{
    char payload[Protocol::kLongestRequest];
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * kRequestDescriptors)];
    iovec part{payload, sizeof payload};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    ssize_t got;
    do {
        got = ::recvmsg(Protocol::kRequestDescriptor, &message, MSG_CMSG_CLOEXEC);
    } while (got < 0 && errno == EINTR);
    if (got <= 0)
        return false;
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header; header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_RIGHTS)
            continue;
        const auto* data = reinterpret_cast<const int*>(CMSG_DATA(header));
        for (std::size_t i = 0; i < (header->cmsg_len - CMSG_LEN(0)) / sizeof(int); ++i)
            request.descriptors.push_back(data[i]);
    }
    const std::string text(payload, static_cast<std::size_t>(got));
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\0', start), text.size());
        request.words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

void Answer(pid_t pid)
{
    // A host that has gone hears nothing, and the next receive ends the loop.
    ::send(Protocol::kRequestDescriptor, &pid, sizeof pid, MSG_NOSIGNAL);
}

// The copy ends as soon as the host does, even in the middle of a
// translation: the host holds the only writing end of the pipe, and the
// kernel closes it however the host ends. (A parent-death signal would not
// do: it follows the thread that started the resident worker, and a host's
// worker threads come and go.)
void EndWithHost()
{
    std::thread([] {
        pollfd watched{Protocol::kHostAliveDescriptor, POLLIN, 0};
        while (::poll(&watched, 1, -1) < 0 && errno == EINTR) {
        }
        std::_Exit(kHostGone);
    }).detach();
}

// In the copy: the request's descriptors in their places, nothing else of
// the resident worker's (its request socket least of all), then the command.
[[noreturn]] void RunCopy(const Request& request, Command command)
{
    const int places[] = {STDIN_FILENO, Protocol::kOutputDescriptor, Protocol::kProgressDescriptor,
                          Protocol::kHostAliveDescriptor};
    const int sources[] = {request.descriptors[0], request.descriptors[1], request.descriptors[2],
                           Protocol::kResidentAliveDescriptor};
    int raised[4];
    for (int i = 0; i < 4; ++i)
        if ((raised[i] = ::fcntl(sources[i], F_DUPFD, kAbovePlaced)) < 0)
            std::_Exit(kHostGone);
    for (int i = 0; i < 4; ++i)
        if (::dup2(raised[i], places[i]) < 0)
            std::_Exit(kHostGone);
    ::close_range(kAbovePlaced, ~0u, 0);
    EndWithHost();
    std::_Exit(command(request.words));
}

} // namespace

void ServeRequests(Command command)
{
    for (;;) {
        Request request;
        if (!Receive(request))
            return;
        if (request.descriptors.size() != kRequestDescriptors) {
            Answer(-1);
            continue;
        }
        // A copy of this process whose parent is the host: the host waits
        // for it, signals it and takes its status as for any child of its
        // own, and a crash in it touches neither this process nor the host.
        // Without a new stack it returns here, on a copy of this one.
        const long pid = ::syscall(SYS_clone, CLONE_PARENT, nullptr, nullptr, nullptr, nullptr);
        if (pid == 0)
            RunCopy(request, command);
        // Before the answer, so that once the host has closed its own ends
        // only the copy holds the pipes' writing ends.
        request.CloseDescriptors();
        Answer(pid > 0 ? static_cast<pid_t>(pid) : -1);
    }
}

} // namespace KorrCore::Worker
