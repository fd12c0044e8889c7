#include "platform/x11/X11HotKeyHelper.h"

#include <QSocketNotifier>

#include <cerrno>
#include <chrono>
#include <csignal>

#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Where the helper finds its end of the socket.
constexpr int kHelperSocket = 3;
// The helper answers after one round trip to the X server.
constexpr std::chrono::milliseconds kAnswerPatience {2000};

using Reply = HotKeyMessages::Reply;
using Request = HotKeyMessages::Request;

pid_t spawn(const std::string& program, int socket)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, socket, kHelperSocket);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A process group of its own: Control-C or Control-Z typed for the program in a
    // terminal leaves the helper running.
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    char* arguments[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, &attributes, arguments, environ) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

} // namespace

X11HotKeyHelper::X11HotKeyHelper(const std::string& program, KeyHandler keys, std::function<void()> ended)
    : m_keys(std::move(keys))
    , m_ended(std::move(ended))
{
    int ends[2];
    // Messages stay whole: the helper drops one it cannot send rather than wait.
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0)
        return;
    m_pid = spawn(program, ends[1]);
    close(ends[1]);
    if (m_pid < 0) {
        close(ends[0]);
        return;
    }
    m_socket = ends[0];
    m_notifier = std::make_unique<QSocketNotifier>(m_socket, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] {
        if (receive())
            dispatch();
        else
            end();
    });
}

X11HotKeyHelper::~X11HotKeyHelper()
{
    m_ended = nullptr;
    end();
}


void X11HotKeyHelper::ungrab(std::uint8_t keycode, const std::vector<std::uint16_t>& masks)
{
    send(Request::Ungrab, keycode, masks);
}

void X11HotKeyHelper::handled()
{
    send(Request::Handled);
}

void X11HotKeyHelper::release()
{
    send(Request::Release);
}

std::optional<bool> X11HotKeyHelper::grab(std::uint8_t keycode, const std::vector<std::uint16_t>& masks)
{
    m_answer.reset();
    if (!send(Request::Grab, keycode, masks))
        return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + kAnswerPatience;
    while (receive() && !m_answer) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd readable {m_socket, POLLIN, 0};
        if (left.count() <= 0 || (poll(&readable, 1, static_cast<int>(left.count())) == 0))
            break;
    }
    if (!m_answer) {
        end();
        return std::nullopt;
    }
    // Reports read while waiting go out as they would have.
    if (!m_reports.empty())
        QMetaObject::invokeMethod(m_notifier.get(), [this] { dispatch(); }, Qt::QueuedConnection);
    return *m_answer == Reply::Granted;
}

bool X11HotKeyHelper::send(Request request, std::uint8_t keycode, const std::vector<std::uint16_t>& masks)
{
    if (m_socket < 0)
        return false;
    const std::string message = HotKeyMessages::encode(HotKeyMessages::Ask {request, keycode, masks});
    if (::send(m_socket, message.data(), message.size(), MSG_NOSIGNAL | MSG_DONTWAIT)
        == static_cast<ssize_t>(message.size()))
        return true;
    end();
    return false;
}

bool X11HotKeyHelper::receive()
{
    if (m_socket < 0)
        return false;
    char bytes[64];
    for (;;) {
        const ssize_t size = recv(m_socket, bytes, sizeof bytes, MSG_DONTWAIT);
        if (size > 0) {
            m_messages.append(bytes, static_cast<std::size_t>(size));
            continue;
        }
        if (size < 0 && errno == EINTR)
            continue;
        if (size == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            return false;
        break;
    }
    while (const auto tell = m_messages.nextTell()) {
        if (tell->reply == Reply::Granted || tell->reply == Reply::Refused)
            m_answer = tell->reply;
        else
            m_reports.push_back(*tell);
    }
    return !m_messages.corrupt();
}

void X11HotKeyHelper::dispatch()
{
    // A handler may ask the helper something, which reads further reports in.
    while (!m_reports.empty()) {
        const HotKeyMessages::Tell report = m_reports.front();
        m_reports.pop_front();
        m_keys(report);
    }
}

void X11HotKeyHelper::end()
{
    if (m_socket < 0)
        return;
    m_notifier->setEnabled(false);
    close(m_socket);
    m_socket = -1;
    // Its grabs, and any freeze, end with its X connection.
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_reports.clear();
    if (m_ended)
        QMetaObject::invokeMethod(m_notifier.get(), m_ended, Qt::QueuedConnection);
}
