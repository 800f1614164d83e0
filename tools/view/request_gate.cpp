#include "tools/view/request_gate.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <nlohmann/json.hpp>

#include "tools/view/request_head.h"

namespace {

using Clock = std::chrono::steady_clock;

// The whole head, from the connection's arrival: a browser sends it at once.
constexpr std::chrono::seconds HeadPatience{3};
// A refused client that is still sending is read, and what it sends dropped, this long before
// the connection closes: closing on unread bytes resets it, and the refusal is lost.
constexpr std::chrono::seconds RefusalLinger{1};
// The page's own files and the API's calls each come a few at a time.
constexpr std::size_t TokenWorkerCount = 4;
constexpr std::size_t OpenWorkerCount = 4;
// Bounds on the connections the gate holds, each with up to a head's worth of bytes: past them
// the oldest head still arriving is dropped, and a request without the token is refused rather
// than queued. The page opens a few connections at a time.
constexpr std::size_t MostArriving = 512;
constexpr int MostWaitingWithoutToken = 256;

void CloseConnection(int socket) {
    shutdown(socket, SHUT_RDWR);
    close(socket);
}

bool WouldBlock(ssize_t received) {
    return received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
}

std::string RefusalBytes(int status, const char *reason, const std::string &message) {
    std::string body = nlohmann::json{{"error", message}}.dump();
    return "HTTP/1.1 " + std::to_string(status) + " " + reason +
           "\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n"
           "Content-Type: application/json\r\nConnection: close\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

int MillisecondsUntil(Clock::time_point deadline) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

}  // namespace

// A connection whose head is still arriving, or, once refused, whose client is given until the
// deadline to stop sending. Its socket is -1 once it has been passed on or closed.
struct RequestGate::Arriving {
    explicit Arriving(int socket) : socket(socket) {}

    int socket;
    Clock::time_point deadline = Clock::now() + HeadPatience;
    std::string received;
    bool refused = false;

    void close() {
        CloseConnection(socket);
        socket = -1;
    }

    // The answer is small and the socket's buffer empty, so it goes out whole without waiting.
    void refuse(int status, const char *reason, const std::string &message) {
        std::string answer = RefusalBytes(status, reason, message);
        send(socket, answer.data(), answer.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        shutdown(socket, SHUT_WR);
        std::string().swap(received);
        refused = true;
        deadline = Clock::now() + RefusalLinger;
    }

    void drain() {
        char dropped[1 << 16];
        ssize_t got = recv(socket, dropped, sizeof dropped, MSG_DONTWAIT);
        if (got == 0 || (got < 0 && !WouldBlock(got))) close();
    }

    // A client that sent nothing is most likely a browser's connection opened ahead of need.
    void expire() {
        if (refused || received.empty()) return close();
        refuse(408, "Request Timeout",
               "the request's head did not arrive within " + std::to_string(HeadPatience.count()) +
                   " seconds");
    }
};

RequestGate::RequestGate(std::string token, Serve serve)
    : token(std::move(token)),
      serve(std::move(serve)),
      tokenWorkers(TokenWorkerCount),
      openWorkers(OpenWorkerCount) {
    if (pipe(wakePipe) != 0) throw std::runtime_error("cannot start the view's request gate");
    for (int end : wakePipe) fcntl(end, F_SETFL, O_NONBLOCK);
    watcher = std::thread([this] { watch(); });
}

RequestGate::~RequestGate() {
    stop();
}

void RequestGate::admit(int socket) {
    {
        std::lock_guard hold(admittedLock);
        admitted.push_back(socket);
    }
    wake();
}

void RequestGate::stop() {
    if (stopping.exchange(true)) return;
    wake();
    watcher.join();
    tokenWorkers.shutdown();
    openWorkers.shutdown();
    for (int end : wakePipe) close(end);
}

void RequestGate::wake() {
    char one = 1;
    // A full pipe already holds a wake-up that the watcher has yet to read.
    [[maybe_unused]] ssize_t written = write(wakePipe[1], &one, 1);
}

void RequestGate::takeAdmitted(std::list<Arriving> &arriving) {
    char wakeUps[64];
    while (read(wakePipe[0], wakeUps, sizeof wakeUps) > 0) {
    }
    std::lock_guard hold(admittedLock);
    for (int socket : admitted) {
        if (arriving.size() >= MostArriving) {
            arriving.front().close();
            arriving.pop_front();
        }
        arriving.emplace_back(socket);
    }
    admitted.clear();
}

void RequestGate::watch() {
    std::list<Arriving> arriving;
    while (!stopping) {
        takeAdmitted(arriving);
        std::vector<pollfd> watched{{wakePipe[0], POLLIN, 0}};
        Clock::time_point next = Clock::time_point::max();
        for (const Arriving &connection : arriving) {
            watched.push_back({connection.socket, POLLIN, 0});
            next = std::min(next, connection.deadline);
        }
        poll(watched.data(), watched.size(), arriving.empty() ? -1 : MillisecondsUntil(next));
        auto polled = watched.begin() + 1;
        for (Arriving &connection : arriving)
            if ((polled++)->revents) receive(connection);
        for (Arriving &connection : arriving)
            if (connection.socket >= 0 && connection.deadline <= Clock::now()) connection.expire();
        std::erase_if(arriving, [](const Arriving &connection) { return connection.socket < 0; });
    }
    for (Arriving &connection : arriving) connection.close();
}

void RequestGate::receive(Arriving &connection) {
    if (connection.refused) return connection.drain();
    char buffer[4096];
    std::size_t room = std::min(sizeof buffer, LargestRequestHead + 1 - connection.received.size());
    ssize_t got = recv(connection.socket, buffer, room, MSG_DONTWAIT);
    if (WouldBlock(got)) return;
    if (got <= 0) return connection.close();
    connection.received.append(buffer, static_cast<std::size_t>(got));
    switch (JudgeHead(connection.received)) {
        case HeadState::Arriving:
            return;
        case HeadState::Complete:
            return pass(connection);
        case HeadState::TooLarge:
            return connection.refuse(431, "Request Header Fields Too Large",
                                     "the request's headers are too many or too large");
        case HeadState::AddressTooLong:
            return connection.refuse(414, "URI Too Long", "the address is too long");
    }
}

void RequestGate::pass(Arriving &connection) {
    if (HeadCarriesToken(connection.received, token)) return handOn(connection, tokenWorkers);
    if (openWaiting >= MostWaitingWithoutToken)
        return connection.refuse(503, "Service Unavailable", "the view is busy: try again");
    ++openWaiting;
    handOn(connection, openWorkers, &openWaiting);
}

void RequestGate::handOn(Arriving &connection, httplib::ThreadPool &workers,
                         std::atomic<int> *waiting) {
    workers.enqueue([this, socket = connection.socket, received = std::move(connection.received),
                     waiting]() mutable {
        if (waiting) --*waiting;
        serve(socket, std::move(received));
        CloseConnection(socket);
    });
    connection.socket = -1;
}
