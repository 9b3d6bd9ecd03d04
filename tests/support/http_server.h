// A small HTTP server on 127.0.0.1 for tests: a thread answers each
// connection with the raw bytes registered for the requested path, so a
// test decides exactly what comes back (plain, chunked, malformed, or
// nothing at all).
#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class HttpServer {
public:
    HttpServer();
    ~HttpServer();

    // The raw response for path ("/desc.xml"); other paths get a 404 page.
    void serve(const std::string &path, const std::string &raw);

    // Requests for path get no answer: the connection stays open until the
    // client gives up.
    void silence(const std::string &path);

    std::string url(const std::string &path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

    // The requests received so far, each as the raw request text.
    std::vector<std::string> requests();

private:
    void run();
    void answer(int client);

    int listener_ = -1;
    int port_ = 0;
    int wake_[2] = {-1, -1};
    std::mutex mutex_;
    std::map<std::string, std::string> responses_;
    std::set<std::string> silent_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A 200 response with a Content-Length header.
std::string http_response(const std::string &body);

// A 200 response with the body in chunks of at most chunk_size bytes.
std::string http_chunked_response(const std::string &body, size_t chunk_size);

// A port on 127.0.0.1 on which nothing listens.
int closed_local_port();
