#include "sim/connection_end.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <charconv>
#include <filesystem>
#include <string>
#include <system_error>

namespace parlumo::sim {
namespace {

int portOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    return -1;
}

bool connects(int fd, int localPort, int peerPort) {
    sockaddr_storage local{};
    sockaddr_storage peer{};
    socklen_t localLength = sizeof local;
    socklen_t peerLength = sizeof peer;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0)
        return false;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0)
        return false;
    return portOf(local) == localPort && portOf(peer) == peerPort;
}

// The server does not hand its socket to request handlers, so find it among this process's
// descriptors by the two ends of the connection; -1 when there is none.
int findConnection(int localPort, int peerPort) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const std::string name = entry.path().filename().string();
        int fd = -1;
        const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), fd);
        if (ec != std::errc() || end != name.data() + name.size())
            continue;
        if (connects(fd, localPort, peerPort))
            return fd;
    }
    return -1;
}

} // namespace

bool dropConnection(int localPort, int peerPort) {
    const int fd = findConnection(localPort, peerPort);
    return fd >= 0 && shutdown(fd, SHUT_RDWR) == 0;
}

bool resetConnection(int localPort, int peerPort) {
    const int fd = findConnection(localPort, peerPort);
    if (fd < 0)
        return false;
    // Connecting an established TCP socket to AF_UNSPEC disconnects it with a reset, as closing
    // it with SO_LINGER {1, 0} would, while the descriptor stays the server's to close.
    sockaddr unspecified{};
    unspecified.sa_family = AF_UNSPEC;
    return connect(fd, &unspecified, sizeof unspecified) == 0;
}

} // namespace parlumo::sim
