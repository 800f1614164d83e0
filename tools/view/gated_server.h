// The library's server with every connection it accepts passed through a RequestGate before
// the library reads a byte of it. The library hands each accepted socket to its task queue,
// whose tasks call process_and_close_socket; this server overrides that (virtual, so that a TLS
// server can) to give the socket to the gate, and answers each request the gate passes with
// the library's own process_request, which is protected for such servers. One request per
// connection, so that every request passes the gate.
#pragma once

#include <httplib.h>

#include <string>

#include "tools/view/request_gate.h"

class GatedServer : public httplib::Server {
  public:
    explicit GatedServer(const std::string &token);

  private:
    bool process_and_close_socket(socket_t socket) override;
    void serve(int socket, std::string received);

    RequestGate gate;
};
