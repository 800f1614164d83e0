#include "tools/view/head_first_stream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>

namespace {

using GetName = int (*)(int, sockaddr *, socklen_t *);

void Endpoint(int socket, GetName getName, std::string &ip, int &port) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    char text[INET_ADDRSTRLEN] = "";
    if (getName(socket, reinterpret_cast<sockaddr *>(&address), &length) != 0 ||
        address.sin_family != AF_INET || !inet_ntop(AF_INET, &address.sin_addr, text, sizeof text))
        return;
    ip = text;
    port = ntohs(address.sin_port);
}

}  // namespace

bool SocketReady(int socket, short events, std::chrono::microseconds patience) {
    pollfd watched{socket, events, 0};
    auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(patience).count();
    return poll(&watched, 1, static_cast<int>(milliseconds)) > 0 && (watched.revents & events);
}

HeadFirstStream::HeadFirstStream(int socket, std::string received,
                                 std::chrono::microseconds readTimeout,
                                 std::chrono::microseconds writeTimeout)
    : connection(socket),
      received(std::move(received)),
      readTimeout(readTimeout),
      writeTimeout(writeTimeout) {}

bool HeadFirstStream::is_readable() const {
    return readUpTo < received.size() || SocketReady(connection, POLLIN, readTimeout);
}

bool HeadFirstStream::is_writable() const {
    return SocketReady(connection, POLLOUT, writeTimeout);
}

ssize_t HeadFirstStream::read(char *into, size_t size) {
    if (readUpTo < received.size()) {
        size = std::min(size, received.size() - readUpTo);
        std::memcpy(into, received.data() + readUpTo, size);
        readUpTo += size;
        return static_cast<ssize_t>(size);
    }
    if (!is_readable()) return -1;
    return recv(connection, into, size, MSG_DONTWAIT);
}

ssize_t HeadFirstStream::write(const char *from, size_t size) {
    if (!is_writable()) return -1;
    return send(connection, from, size, MSG_DONTWAIT | MSG_NOSIGNAL);
}

void HeadFirstStream::get_remote_ip_and_port(std::string &ip, int &port) const {
    Endpoint(connection, getpeername, ip, port);
}

void HeadFirstStream::get_local_ip_and_port(std::string &ip, int &port) const {
    Endpoint(connection, getsockname, ip, port);
}
