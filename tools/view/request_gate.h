// The view's front door. The library reads a request's head with no bound on its number of
// header lines or its size, and a timeout on each read but none on the whole, on a fixed number
// of threads: a flood of header lines took a gigabyte, and a few clients sending a line a second
// held every thread. The gate reads each head itself, on one thread for them all, under the
// limits of request_head.h and a deadline for the whole head, and refuses what breaks them. A
// complete head goes to workers of its own kind: those that carry the token to workers that no
// request without it can occupy.
#pragma once

#include <httplib.h>

#include <atomic>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class RequestGate {
  public:
    // Answers the request on `socket`, whose first bytes, its head among them, the gate has
    // already received. The gate closes the socket afterwards.
    using Serve = std::function<void(int socket, std::string received)>;

    RequestGate(std::string token, Serve serve);
    ~RequestGate();
    RequestGate(const RequestGate &) = delete;
    RequestGate &operator=(const RequestGate &) = delete;

    // Takes a connection just accepted, and returns at once.
    void admit(int socket);
    // Closes the connections whose heads are still arriving and waits for the answers begun.
    void stop();

  private:
    struct Arriving;

    void watch();
    void takeAdmitted(std::list<Arriving> &arriving);
    void receive(Arriving &connection);
    void pass(Arriving &connection);
    // `waiting`, when given, counts the connections queued for `workers` until one begins.
    void handOn(Arriving &connection, httplib::ThreadPool &workers,
                std::atomic<int> *waiting = nullptr);
    void wake();

    std::string token;
    Serve serve;
    std::mutex admittedLock;
    std::vector<int> admitted;
    int wakePipe[2];
    std::atomic<bool> stopping{false};
    std::atomic<int> openWaiting{0};
    httplib::ThreadPool tokenWorkers, openWorkers;
    std::thread watcher;
};
