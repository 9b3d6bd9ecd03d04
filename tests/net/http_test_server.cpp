#include "tests/net/http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

static int listenOnLoopback(int *port)
{
    int sock = socket(AF_INET, SOCK_STREAM, 0);
    if (sock < 0)
        throw std::runtime_error("socket");
    sockaddr_in address;
    memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(sock, (sockaddr *)&address, sizeof address) != 0 || listen(sock, 8) != 0
        || getsockname(sock, (sockaddr *)&address, &length) != 0) {
        close(sock);
        throw std::runtime_error("bind");
    }
    *port = ntohs(address.sin_port);
    return sock;
}

HttpTestServer::HttpTestServer()
{
    listener_ = listenOnLoopback(&port_);
    if (pipe(wake_) != 0)
        throw std::runtime_error("pipe");
    thread_ = std::thread(&HttpTestServer::run, this);
}

HttpTestServer::~HttpTestServer()
{
    (void)!write(wake_[1], "x", 1);
    thread_.join();
    close(listener_);
    close(wake_[0]);
    close(wake_[1]);
}

void HttpTestServer::serve(const std::string &path, const std::string &raw)
{
    std::lock_guard<std::mutex> lock(mutex_);
    responses_[path] = raw;
}

void HttpTestServer::silence(const std::string &path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    silent_.insert(path);
}

std::string HttpTestServer::url(const std::string &path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> HttpTestServer::requests()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void HttpTestServer::run()
{
    for (;;) {
        pollfd fds[2] = { { listener_, POLLIN, 0 }, { wake_[0], POLLIN, 0 } };
        if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN))
            return;
        int client = accept(listener_, nullptr, nullptr);
        if (client >= 0) {
            answer(client);
            close(client);
        }
    }
}

static std::string readRequest(int client)
{
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
        ssize_t got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        request.append(buffer, (size_t)got);
    }
    return request;
}

static std::string requestedPath(const std::string &request)
{
    if (request.compare(0, 4, "GET ") != 0)
        return std::string();
    size_t end = request.find(' ', 4);
    return end == std::string::npos ? std::string() : request.substr(4, end - 4);
}

static void sendAll(int client, const std::string &data)
{
    size_t sent = 0;
    while (sent < data.size()) {
        ssize_t n = send(client, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += (size_t)n;
    }
}

// Waits until the client closes or the server stops.
void HttpTestServer::holdOpen(int client)
{
    pollfd fds[2] = { { client, POLLIN, 0 }, { wake_[0], POLLIN, 0 } };
    poll(fds, 2, -1);
}

void HttpTestServer::answer(int client)
{
    std::string request = readRequest(client);
    std::string path = requestedPath(request);
    bool silent;
    std::string raw = "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found";
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
        silent = silent_.count(path) != 0;
        auto found = responses_.find(path);
        if (found != responses_.end())
            raw = found->second;
    }
    if (silent)
        holdOpen(client);
    else
        sendAll(client, raw);
}

std::string httpResponse(const std::string &body)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size())
        + "\r\n\r\n" + body;
}

std::string httpChunkedResponse(const std::string &body, size_t chunkSize)
{
    std::string raw = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    for (size_t at = 0; at < body.size(); at += chunkSize) {
        std::string chunk = body.substr(at, chunkSize);
        char size[32];
        snprintf(size, sizeof size, "%zx\r\n", chunk.size());
        raw += size + chunk + "\r\n";
    }
    return raw + "0\r\n\r\n";
}

int closedLocalPort()
{
    int port = 0;
    int sock = listenOnLoopback(&port);
    close(sock);
    return port;
}
