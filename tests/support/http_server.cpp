#include "tests/support/http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace {

int listen_on_loopback(int *port)
{
    int sock = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    sockaddr *any = reinterpret_cast<sockaddr *>(&address);
    if (sock < 0 || bind(sock, any, sizeof address) != 0 || listen(sock, 8) != 0 ||
        getsockname(sock, any, &length) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    *port = ntohs(address.sin_port);
    return sock;
}

std::string read_request(int client)
{
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
        ssize_t got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, static_cast<size_t>(got));
    }
    return request;
}

// Loopback sends may still come back short when a signal interrupts them,
// and a test's bytes must arrive whole.
void send_all(int client, const std::string &data)
{
    for (size_t sent = 0; sent < data.size();) {
        const ssize_t n = send(client, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += static_cast<size_t>(n);
    }
}

}  // namespace

HttpServer::HttpServer()
{
    listener_ = listen_on_loopback(&port_);
    if (pipe2(wake_, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    thread_ = std::thread(&HttpServer::run, this);
}

HttpServer::~HttpServer()
{
    (void)!write(wake_[1], "x", 1);
    thread_.join();
    close(listener_);
    close(wake_[0]);
    close(wake_[1]);
}

void HttpServer::serve(const std::string &path, const std::string &raw)
{
    std::lock_guard<std::mutex> lock(mutex_);
    responses_[path] = raw;
}

void HttpServer::silence(const std::string &path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    silent_.insert(path);
}

std::vector<std::string> HttpServer::requests()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void HttpServer::run()
{
    for (;;) {
        pollfd fds[2] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN))
            return;
        int client = accept(listener_, nullptr, nullptr);
        if (client >= 0) {
            answer(client);
            close(client);
        }
    }
}

// A silent answer waits until the client closes or the server stops.
void HttpServer::answer(int client)
{
    const std::string request = read_request(client);
    const size_t end = request.find(' ', 4);
    const std::string path = request.compare(0, 4, "GET ") == 0 && end != std::string::npos
                                 ? request.substr(4, end - 4) : std::string();
    std::unique_lock<std::mutex> lock(mutex_);
    requests_.push_back(request);
    const bool silent = silent_.count(path) != 0;
    const auto found = responses_.find(path);
    const std::string raw = found != responses_.end() ? found->second
                                                      : "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found";
    lock.unlock();
    pollfd fds[2] = {{client, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    if (silent)
        poll(fds, 2, -1);
    else
        send_all(client, raw);
}

std::string http_response(const std::string &body)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

std::string http_chunked_response(const std::string &body, size_t chunk_size)
{
    std::string raw = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    for (size_t at = 0; at < body.size(); at += chunk_size) {
        const std::string chunk = body.substr(at, chunk_size);
        char size[32];
        snprintf(size, sizeof size, "%zx\r\n", chunk.size());
        raw += size + chunk + "\r\n";
    }
    return raw + "0\r\n\r\n";
}

int closed_local_port()
{
    int port = 0;
    close(listen_on_loopback(&port));
    return port;
}
