// A small HTTP server for tests on 127.0.0.1: a thread answers each
// connection with the raw response registered for the requested path,
// so a test decides exactly which bytes come back (normal, chunked,
// close-delimited, junk or malformed).
#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class HttpTestServer {
public:
    HttpTestServer();
    ~HttpTestServer();

    // Registers the raw response for a path ("/desc.xml"). Unknown paths
    // get a 404 page.
    void serve(const std::string &path, const std::string &raw);

    // Requests for path get no answer at all: the connection stays open
    // until the client gives up.
    void silence(const std::string &path);

    std::string url(const std::string &path) const;
    int port() const { return port_; }

    // The requests received so far, each as the raw request text.
    std::vector<std::string> requests();

private:
    void run();
    void answer(int client);
    void holdOpen(int client);

    int listener_ = -1;
    int port_ = 0;
    int wake_[2] = { -1, -1 };
    std::mutex mutex_;
    std::map<std::string, std::string> responses_;
    std::set<std::string> silent_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A raw HTTP/1.1 response with a Content-Length header.
std::string httpResponse(const std::string &body);

// The same body sent with chunked transfer encoding in pieces of at most
// chunkSize bytes.
std::string httpChunkedResponse(const std::string &body, size_t chunkSize);

// A port on 127.0.0.1 on which nothing listens.
int closedLocalPort();
