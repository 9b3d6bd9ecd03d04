// The simulated set's description documents and the small HTTP server that
// serves them: a non-blocking listener and one state machine per
// connection, driven by the event loop.
#include "tools/tvsim/tvsim_http.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "net/ssdp.h"
#include "tools/tvsim/tvsim_socket.h"

const char TVSIM_DESCRIPTION_PATH[] = "/description.xml";
const char TVSIM_SERVICE_TYPE[] = "urn:tavrel-com:service:RemoteControl:1";

namespace {

enum {
    MAX_REQUEST = 8192,  // a GET with its headers is far smaller
    CHUNK_SIZE = 256,    // small, so a description takes several chunks
};

const char SERVER_HEADER[] = "Linux/4.0 UPnP/1.0 kanvio-tvsim/1.0";
const char SERVICE_PATH[] = "/RemoteControl.xml";

std::string xml_escaped(const std::string &text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string chunked_body(const std::string &body)
{
    std::string out;
    for (size_t at = 0; at < body.size(); at += CHUNK_SIZE) {
        size_t length = std::min<size_t>(body.size() - at, CHUNK_SIZE);
        char size_line[32];
        snprintf(size_line, sizeof size_line, "%zx\r\n", length);
        out += size_line;
        out.append(body, at, length);
        out += "\r\n";
    }
    return out + "0\r\n\r\n";
}

std::string response(const char *status, const std::string &body, bool chunked)
{
    std::string head = std::string("HTTP/1.1 ") + status + "\r\nContent-Type: text/xml; charset=\"utf-8\"\r\n" +
                       "Server: " + SERVER_HEADER + "\r\nConnection: close\r\n";
    if (chunked)
        return head + "Transfer-Encoding: chunked\r\n\r\n" + chunked_body(body);
    return head + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string device_description(const tvsim_identity &identity)
{
    return std::string("<?xml version=\"1.0\"?>\n"
                       "<root xmlns=\"urn:schemas-upnp-org:device-1-0\">\n"
                       "<specVersion><major>1</major><minor>0</minor></specVersion>\n"
                       "<device>\n"
                       "<deviceType>") +
           SSDP_TV_DEVICE_TYPE + "</deviceType>\n<friendlyName>" + xml_escaped(identity.name) +
           "</friendlyName>\n"
           "<manufacturer>Tavrel</manufacturer>\n"
           "<modelDescription>Simulated Tavrel TV set</modelDescription>\n"
           "<modelName>kanvio-tvsim</modelName>\n"
           "<modelNumber>1</modelNumber>\n"
           "<UDN>" + identity.udn + "</UDN>\n"
           "<serviceList>\n<service>\n"
           "<serviceType>" + TVSIM_SERVICE_TYPE + "</serviceType>\n"
           "<serviceId>urn:tavrel-com:serviceId:RemoteControl</serviceId>\n"
           "<SCPDURL>" + SERVICE_PATH + "</SCPDURL>\n"
           "<controlURL>/control/RemoteControl</controlURL>\n"
           "<eventSubURL>/event/RemoteControl</eventSubURL>\n"
           "</service>\n</serviceList>\n"
           "</device>\n"
           "</root>\n";
}

std::string service_description()
{
    return "<?xml version=\"1.0\"?>\n"
           "<scpd xmlns=\"urn:schemas-upnp-org:service-1-0\">\n"
           "<specVersion><major>1</major><minor>0</minor></specVersion>\n"
           "<actionList>\n<action>\n<name>SendKeyCode</name>\n<argumentList>\n"
           "<argument><name>KeyCode</name><direction>in</direction>"
           "<relatedStateVariable>A_ARG_TYPE_KeyCode</relatedStateVariable></argument>\n"
           "</argumentList>\n</action>\n</actionList>\n"
           "<serviceStateTable>\n"
           "<stateVariable sendEvents=\"no\"><name>A_ARG_TYPE_KeyCode</name><dataType>ui2</dataType>"
           "<allowedValueRange><minimum>0</minimum><maximum>255</maximum><step>1</step></allowedValueRange>"
           "</stateVariable>\n"
           "</serviceStateTable>\n"
           "</scpd>\n";
}

// The whole response to a request line's method and path: 200 with the
// document, 404 for another path, 405 for another method.
std::string document_response(const std::string &method, const std::string &path,
                              const tvsim_identity &identity, bool chunked)
{
    if (method != "GET")
        return response("405 Method Not Allowed", "", false);
    if (path == TVSIM_DESCRIPTION_PATH)
        return response("200 OK", device_description(identity), chunked);
    if (path == SERVICE_PATH)
        return response("200 OK", service_description(), chunked);
    return response("404 Not Found", "", false);
}

enum class phase { reading, writing, draining };

struct connection {
    explicit connection(int socket) : fd(socket) {}
    int fd;
    phase state = phase::reading;
    std::string request;
    std::string answer;
    size_t sent = 0;
};

}  // namespace

struct tvsim_http {
    tvsim_loop *loop;
    tvsim_identity identity;
    bool chunked;
    bool mute;
    int listener;
    uint16_t port;
    std::map<int, std::unique_ptr<connection>> connections;
};

std::string tvsim_udn_for(const std::string &name)
{
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : name) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char udn[64];
    snprintf(udn, sizeof udn, "uuid:6b616e76-696f-4000-8000-%012llx",
             static_cast<unsigned long long>(hash & 0xffffffffffffull));
    return udn;
}

static void drop(tvsim_http *http, int fd)
{
    tvsim_loop_unwatch(http->loop, fd);
    close(fd);
    http->connections.erase(fd);
}

// The answer to a complete request head; a head without a request line of
// method, path and version gets 400.
static std::string answer_request(const tvsim_http *http, const std::string &head)
{
    char method[16], path[1024], version[16];
    if (sscanf(head.c_str(), "%15s %1023s %15s", method, path, version) != 3 ||
        strncmp(version, "HTTP/1.", 7) != 0)
        return response("400 Bad Request", "", false);
    return document_response(method, path, http->identity, http->chunked);
}

// -1 when the connection must be dropped.
static int read_request(tvsim_http *http, connection *c)
{
    char buffer[2048];
    ssize_t n = recv(c->fd, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
        return -1;
    if (n < 0)
        return 0;
    c->request.append(buffer, static_cast<size_t>(n));
    size_t end = c->request.find("\r\n\r\n");
    if (end == std::string::npos && c->request.size() < MAX_REQUEST)
        return 0;
    c->answer = end == std::string::npos ? response("431 Request Header Fields Too Large", "", false)
                                         : answer_request(http, c->request.substr(0, end));
    c->state = phase::writing;
    tvsim_loop_set_events(http->loop, c->fd, POLLOUT);
    return 0;
}

// Half-closes once the answer is out: a chunked body ends with the close.
static int write_answer(tvsim_http *http, connection *c)
{
    ssize_t n = send(c->fd, c->answer.data() + c->sent, c->answer.size() - c->sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0)
        return errno == EAGAIN || errno == EINTR ? 0 : -1;
    c->sent += static_cast<size_t>(n);
    if (c->sent == c->answer.size()) {
        shutdown(c->fd, SHUT_WR);
        c->state = phase::draining;
        tvsim_loop_set_events(http->loop, c->fd, POLLIN);
    }
    return 0;
}

static void on_connection(tvsim_http *http, int fd, short revents)
{
    auto found = http->connections.find(fd);
    if (found == http->connections.end())
        return;
    connection *c = found->second.get();
    int result = -1;
    if ((revents & (POLLERR | POLLNVAL)) == 0) {
        if (http->mute)
            result = tvsim_discard_input(fd);
        else if (c->state == phase::reading)
            result = read_request(http, c);
        else if (c->state == phase::writing)
            result = write_answer(http, c);
        else
            result = tvsim_discard_input(fd);
    }
    if (result < 0)
        drop(http, fd);
}

static void on_listener(tvsim_http *http)
{
    int fd = accept4(http->listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0)
        return;
    http->connections[fd] = std::unique_ptr<connection>(new connection(fd));
    tvsim_loop_watch(http->loop, fd, POLLIN, [http](int ready, short revents) { on_connection(http, ready, revents); });
}

// A listening socket; -1 with the reason on standard error.
static int listen_on(const char *address, uint16_t port, uint16_t *bound_port)
{
    int fd = tvsim_bind_tcp(address, port, "HTTP", bound_port);
    if (fd >= 0 && listen(fd, 16) != 0) {
        fprintf(stderr, "kanvio-tvsim: HTTP on %s:%u: %s\n", address, port, strerror(errno));
        close(fd);
        return -1;
    }
    return fd;
}

tvsim_http *tvsim_http_start(tvsim_loop *loop, const char *address, uint16_t port,
                             const tvsim_identity &identity, bool chunked, bool mute)
{
    uint16_t bound_port = 0;
    int fd = listen_on(address, port, &bound_port);
    if (fd < 0)
        return nullptr;
    tvsim_http *http = new tvsim_http{loop, identity, chunked, mute, fd, bound_port, {}};
    tvsim_loop_watch(loop, fd, POLLIN, [http](int, short) { on_listener(http); });
    return http;
}

uint16_t tvsim_http_port(const tvsim_http *http)
{
    return http->port;
}

void tvsim_http_stop(tvsim_http *http)
{
    if (!http)
        return;
    while (!http->connections.empty())
        drop(http, http->connections.begin()->first);
    tvsim_loop_unwatch(http->loop, http->listener);
    close(http->listener);
    delete http;
}
