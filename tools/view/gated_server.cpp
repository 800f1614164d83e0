#include "tools/view/gated_server.h"

#include <chrono>

#include "tools/view/head_first_stream.h"

namespace {

// Runs each task at once on the thread that accepts, where it only gives a socket to the gate.
class ThroughGate : public httplib::TaskQueue {
  public:
    explicit ThroughGate(RequestGate &gate) : gate(gate) {}
    void enqueue(std::function<void()> task) override { task(); }
    void shutdown() override { gate.stop(); }

  private:
    RequestGate &gate;
};

std::chrono::microseconds Timeout(time_t seconds, time_t microseconds) {
    return std::chrono::seconds(seconds) + std::chrono::microseconds(microseconds);
}

}  // namespace

GatedServer::GatedServer(const std::string &token)
    : gate(token,
           [this](int socket, std::string received) { serve(socket, std::move(received)); }) {
    new_task_queue = [this] { return new ThroughGate(gate); };
}

bool GatedServer::process_and_close_socket(socket_t socket) {
    gate.admit(socket);
    return true;
}

void GatedServer::serve(int socket, std::string received) {
    HeadFirstStream stream(socket, std::move(received),
                           Timeout(read_timeout_sec_, read_timeout_usec_),
                           Timeout(write_timeout_sec_, write_timeout_usec_));
    bool closed = false;
    process_request(stream, true, closed, nullptr);
}
