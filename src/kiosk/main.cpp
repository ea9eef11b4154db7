// quorix-kiosk-relay COMMAND [ARGUMENT...]: runs the command and passes on to the service manager
// what its processes tell it (READY=1, WATCHDOG=1, STOPPING=1), for the quorix-kiosk service.
//
// The service opens a login session for cage (PAMName=), and systemd then moves the service's
// processes into the session's scope: of their notifications it takes only the main process's,
// and the presenter runs three processes further down. This program is that main process. It
// gives the command a notification socket of its own, sends on every message that comes there,
// hands the stop signals on to the command's whole process group, and ends with the command's
// exit status (128 + the signal's number when a signal ended it).

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#if QUORIX_HAVE_LIBSYSTEMD
#include <systemd/sd-daemon.h>
#endif

namespace {

volatile std::sig_atomic_t pendingSignal = 0;

void Remember(int signal) {
    pendingSignal = signal;
}

// An abstract socket (no file to leave behind) that only this service's processes are told of.
int OpenRelaySocket(std::string& name) {
    name = "quorix-kiosk-relay-" + std::to_string(getpid());
    const int relay = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    name.copy(address.sun_path + 1, name.size());
    const auto length = static_cast<socklen_t>(sizeof(sa_family_t) + 1 + name.size());
    if (relay < 0 || bind(relay, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        std::perror("quorix-kiosk-relay: the notification socket cannot be made");
        return -1;
    }
    return relay;
}

void Forward(int relay) {
    std::array<char, 4096> message{};
    for (ssize_t size; (size = recv(relay, message.data(), message.size() - 1, 0)) > 0;) {
        message[static_cast<std::size_t>(size)] = '\0';
#if QUORIX_HAVE_LIBSYSTEMD
        if (const int sent = sd_notify(0, message.data()); sent < 0) {
            std::fprintf(stderr, "quorix-kiosk-relay: the service manager cannot be told %s\n",
                         message.data());
        }
#endif
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quorix-kiosk-relay COMMAND [ARGUMENT...]\n");
        return 2;
    }
    std::string name;
    const int relay = std::getenv("NOTIFY_SOCKET") != nullptr ? OpenRelaySocket(name) : -1;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGABRT}) {
        std::signal(signal, Remember);
    }

    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        // The watchdog is the command's to feed, whatever its process.
        unsetenv("WATCHDOG_PID");
        if (relay >= 0) {
            setenv("NOTIFY_SOCKET", ("@" + name).c_str(), 1);
        } else {
            unsetenv("NOTIFY_SOCKET");
        }
        execvp(argv[1], argv + 1);
        std::perror("quorix-kiosk-relay: the command cannot be started");
        _exit(127);
    }
    if (child < 0) {
        std::perror("quorix-kiosk-relay: the command cannot be started");
        return 1;
    }
    setpgid(child, child); // either side may come first
    // The terminal (the service's tty7) stays with the command, as if this program were not there.
    if (isatty(STDIN_FILENO) != 0) {
        tcsetpgrp(STDIN_FILENO, child);
    }

    int status = 0;
    for (;;) {
        if (const int signal = pendingSignal; signal != 0) {
            pendingSignal = 0;
            kill(-child, signal);
        }
        pollfd watched{relay, POLLIN, 0};
        if (poll(&watched, relay >= 0 ? 1 : 0, 100) > 0) {
            Forward(relay);
        }
        const pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child || (ended < 0 && errno != EINTR)) {
            break;
        }
    }
    if (relay >= 0) {
        Forward(relay); // what was said last, STOPPING=1 among it
    }
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return WEXITSTATUS(status);
}
