#include "Exchange/WorkerCalls/ResidentWorker.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Exchange/WorkerCalls/WorkerLocation.h"
#include "Exchange/WorkerCalls/WorkerProcess.h"
#include "Internal/Protocol/WorkerProtocol.h"

namespace KorrCore::Xde {

namespace {

// The resident process answers a request within milliseconds, once it is
// ready; readying the translators takes a fraction of a second. One that
// has not answered in this long is stopped or stuck, and is replaced.
constexpr int kAnswerMilliseconds = 30000;
// The answer of a resident process that ended without taking the request.
constexpr pid_t kUntaken = -2;

bool Readable(const Descriptor& descriptor, int milliseconds)
{
    pollfd watched{descriptor.Get(), POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&watched, 1, milliseconds);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

} // namespace

std::shared_ptr<ResidentWorker> ResidentWorker::Shared()
{
    static std::mutex sharing;
    static std::weak_ptr<ResidentWorker> current;
    const std::lock_guard<std::mutex> lock(sharing);
    std::shared_ptr<ResidentWorker> shared = current.lock();
    if (!shared) {
        shared = std::make_shared<ResidentWorker>();
        current = shared;
    }
    return shared;
}

ResidentWorker::~ResidentWorker()
{
    if (owner == ::getpid())
        Stop();
}

pid_t ResidentWorker::StartCopy(const std::vector<std::string>& words, int input, int output, int progress)
{
    const std::lock_guard<std::mutex> lock(serving);
    if (owner != ::getpid())
        Forget();
    // A resident process that died before it took the request is replaced
    // once; one that took it and did not answer may have made the copy, so
    // the request is not sent twice.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!Running() && !Launch())
            return -1;
        const Sent sent = Send(words, input, output, progress);
        const pid_t copy = sent == Sent::Yes ? Answer() : sent == Sent::Untaken ? kUntaken : -1;
        if (copy != kUntaken)
            return copy;
        Stop();
    }
    return -1;
}

bool ResidentWorker::Running()
{
    if (process < 0)
        return false;
    if (!exited.Open() || !Readable(exited, 0))
        return true;
    Stop();
    return false;
}

bool ResidentWorker::Launch()
{
    owner = ::getpid();
    if (!aliveWrite.Open()) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return false;
        aliveRead = Descriptor(ends[0]);
        aliveWrite = Descriptor(ends[1]);
    }
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0)
        return false;
    requests = Descriptor(ends[0]);
    const Descriptor theirs(ends[1]);
    const std::string program = WorkerProgramPath();
    process = program.empty() ? -1
                              : SpawnWorker(program, {std::string(WorkerProtocol::kResidentCommand)}, -1, theirs.Get(),
                                            aliveRead.Get());
    if (process < 0) {
        requests.Close();
        return false;
    }
    exited = Descriptor(ProcessDescriptor(process));
    return true;
}

// Not the pipe that keeps the copies going: other threads' copies may still
// be at work.
void ResidentWorker::Stop()
{
    if (process < 0)
        return;
    // Through the process descriptor where there is one: it names this
    // process even once someone else has reaped it and its id is reused.
    if (exited.Open())
        ::syscall(SYS_pidfd_send_signal, exited.Get(), SIGKILL, nullptr, 0);
    else
        ::kill(process, SIGKILL);
    // A host that reaps every child may have taken it already.
    while (::waitpid(process, nullptr, 0) < 0 && errno == EINTR) {
    }
    Forget();
}

void ResidentWorker::Forget()
{
    process = -1;
    requests.Close();
    exited.Close();
    if (owner != ::getpid()) {
        aliveRead.Close();
        aliveWrite.Close();
    }
}

ResidentWorker::Sent ResidentWorker::Send(const std::vector<std::string>& words, int input, int output, int progress)
{
    std::string text;
    for (const std::string& word : words)
        text.append(word).push_back('\0');
    text.pop_back();
    if (text.size() > WorkerProtocol::kLongestRequest)
        return Sent::Failed;
    const int descriptors[] = {input, output, progress};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof descriptors)] = {};
    iovec part{text.data(), text.size()};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    cmsghdr* header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = SOL_SOCKET;
    header->cmsg_type = SCM_RIGHTS;
    header->cmsg_len = CMSG_LEN(sizeof descriptors);
    std::memcpy(CMSG_DATA(header), descriptors, sizeof descriptors);
    ssize_t sent;
    do {
        sent = ::sendmsg(requests.Get(), &message, MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    if (sent == static_cast<ssize_t>(text.size()))
        return Sent::Yes;
    return sent < 0 && (errno == EPIPE || errno == ECONNRESET) ? Sent::Untaken : Sent::Failed;
}

pid_t ResidentWorker::Answer()
{
    pid_t copy = -1;
    if (!Readable(requests, kAnswerMilliseconds)) {
        Stop();
        return -1;
    }
    const ssize_t got = ::recv(requests.Get(), &copy, sizeof copy, 0);
    if (got == static_cast<ssize_t>(sizeof copy))
        return copy;
    // The system resets the connection of a socket closed with messages
    // still unread in it, and only then.
    return got < 0 && errno == ECONNRESET ? kUntaken : -1;
}

} // namespace KorrCore::Xde
