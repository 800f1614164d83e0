// A connection as the view's server reads it once the request gate has read its head: first the
// bytes the gate received, then the socket itself, each read and write waiting at most its
// timeout, as the library's own stream does.
#pragma once

#include <httplib.h>

#include <chrono>
#include <string>

class HeadFirstStream : public httplib::Stream {
  public:
    HeadFirstStream(int socket, std::string received, std::chrono::microseconds readTimeout,
                    std::chrono::microseconds writeTimeout);

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char *into, size_t size) override;
    ssize_t write(const char *from, size_t size) override;
    void get_remote_ip_and_port(std::string &ip, int &port) const override;
    void get_local_ip_and_port(std::string &ip, int &port) const override;
    socket_t socket() const override { return connection; }

  private:
    int connection;
    std::string received;
    std::size_t readUpTo = 0;
    std::chrono::microseconds readTimeout, writeTimeout;
};

// Whether `socket` is ready for `events` (POLLIN, POLLOUT) within `patience`.
bool SocketReady(int socket, short events, std::chrono::microseconds patience);
