// The simulated set's transfer service: a non-blocking listener and one
// small state machine per connection, driven by the event loop.
#include "tools/tvsim/tvsim_transfer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "svl/svl_sockets.h"
#include "svl/svl_tv.h"
#include "tools/tvsim/tvsim_socket.h"

enum { TRICKLE_PAUSE_MS = 1 };

namespace {

enum class phase {
    reading,   // the request, header first
    writing,   // the answer
    stalled,   // request read, never answered; wait for the client to leave
    draining,  // answer sent and our side shut; wait for the client to close
};

struct connection {
    explicit connection(int socket) : fd(socket) {}
    int fd;
    phase state = phase::reading;
    std::vector<uint8_t> header = std::vector<uint8_t>(TV_REQUEST_HEADER_SIZE);
    size_t header_read = 0;
    tvsim_request request{};
    size_t payload_read = 0;
    tvsim_answer answer;
    size_t sent = 0;
};

}  // namespace

struct tvsim_transfer {
    tvsim_loop *loop;
    tvsim_store *store;
    tvsim_fault fault;
    int listener;
    int queue_filler;  // no-answer: the connection that fills the listener's queue
    uint16_t port;
    FILE *log;
    std::map<int, std::unique_ptr<connection>> connections;
};

static void drop(tvsim_transfer *transfer, int fd)
{
    tvsim_loop_unwatch(transfer->loop, fd);
    close(fd);
    transfer->connections.erase(fd);
}

static void log_line(const tvsim_transfer *transfer, const std::string &line)
{
    if (transfer->log)
        fprintf(transfer->log, "kanvio-tvsim: %s\n", line.c_str());
}

// Receives into [buffer + *done, buffer + size). 1 when complete, 0 for more
// to come, -1 when the client closed or failed.
static int receive_part(int fd, uint8_t *buffer, size_t size, size_t *done)
{
    ssize_t n = recv(fd, buffer + *done, size - *done, MSG_DONTWAIT);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
        return -1;
    if (n > 0)
        *done += static_cast<size_t>(n);
    return *done == size ? 1 : 0;
}

static void start_answer(tvsim_transfer *transfer, connection *c)
{
    c->answer = tvsim_answer_request(transfer->store, c->request, transfer->fault);
    log_line(transfer, c->answer.log);
    c->request.payload = std::vector<uint8_t>();
    c->state = c->answer.stall ? phase::stalled : phase::writing;
    tvsim_loop_set_events(transfer->loop, c->fd, c->answer.stall ? POLLIN : POLLOUT);
}

// -1 when the connection must be dropped.
static int read_request(tvsim_transfer *transfer, connection *c)
{
    if (c->header_read < c->header.size()) {
        int got = receive_part(c->fd, c->header.data(), c->header.size(), &c->header_read);
        if (got <= 0)
            return got;
        size_t payload_length = 0;
        if (tvsim_decode_request_header(c->header.data(), &c->request, &payload_length) != 0) {
            log_line(transfer, "malformed request header");
            return -1;
        }
        c->request.payload.resize(payload_length);
    }
    if (c->payload_read < c->request.payload.size() &&
        receive_part(c->fd, c->request.payload.data(), c->request.payload.size(),
                     &c->payload_read) < 0)
        return -1;
    if (c->payload_read == c->request.payload.size())
        start_answer(transfer, c);
    return 0;
}

// Half-closes once everything is out, so the client reads all of it before
// the connection ends, and the client's close then releases it.
static void finish_writing(tvsim_transfer *transfer, connection *c)
{
    shutdown(c->fd, SHUT_WR);
    c->state = phase::draining;
    tvsim_loop_set_events(transfer->loop, c->fd, POLLIN);
}

// -1 when the connection must be dropped.
static int write_answer(tvsim_transfer *transfer, connection *c, short revents)
{
    if (revents == 0) {  // a trickle pause is over
        tvsim_loop_set_events(transfer->loop, c->fd, POLLOUT);
        return 0;
    }
    const std::vector<uint8_t> &bytes = c->answer.bytes;
    size_t chunk = c->answer.trickle ? 1 : bytes.size() - c->sent;
    if (chunk > 0) {
        ssize_t n = send(c->fd, bytes.data() + c->sent, chunk, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0)
            return errno == EAGAIN || errno == EINTR ? 0 : -1;
        c->sent += static_cast<size_t>(n);
    }
    if (c->sent == bytes.size()) {
        finish_writing(transfer, c);
    } else if (c->answer.trickle) {
        tvsim_loop_set_events(transfer->loop, c->fd, 0);
        tvsim_loop_wake_after(transfer->loop, c->fd, TRICKLE_PAUSE_MS);
    }
    return 0;
}

static void on_connection(tvsim_transfer *transfer, int fd, short revents)
{
    auto found = transfer->connections.find(fd);
    if (found == transfer->connections.end())
        return;
    connection *c = found->second.get();
    int result = 0;
    if ((revents & (POLLERR | POLLNVAL)) != 0)
        result = -1;
    else if (c->state == phase::reading)
        result = read_request(transfer, c);
    else if (c->state == phase::writing)
        result = write_answer(transfer, c, revents);
    else  // stalled and draining connections only wait for the client to go away
        result = tvsim_discard_input(fd);
    if (result < 0)
        drop(transfer, fd);
}

static void on_listener(tvsim_transfer *transfer)
{
    int fd = accept4(transfer->listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0)
        return;
    if (transfer->fault == TVSIM_FAULT_CLOSE_ON_ACCEPT) {
        log_line(transfer, "closed a connection right after accepting it (fault close-on-accept)");
        close(fd);
        return;
    }
    transfer->connections[fd] = std::unique_ptr<connection>(new connection(fd));
    tvsim_loop_watch(transfer->loop, fd, POLLIN,
                     [transfer](int ready, short revents) { on_connection(transfer, ready, revents); });
}

// A listener whose queue holds one connection that is never accepted: the
// system then drops every further connection attempt unanswered, as if
// nothing were there. The connection that fills the queue, or -1.
static int fill_queue(int listener, const char *address, uint16_t port)
{
    char service[8];
    snprintf(service, sizeof service, "%u", static_cast<unsigned>(port));
    if (listen(listener, 0) != 0)
        return -1;
    return svl_connect_stream(address, service, AF_INET, SVL_CONNECT_WAIT_MS);
}

// A bound socket that never listens answers every connection attempt with
// a reset: the set is there but refuses.
static int start_listening(int fd, const char *address, uint16_t port, tvsim_fault fault, int *queue_filler)
{
    *queue_filler = -1;
    if (fault == TVSIM_FAULT_REFUSE)
        return 0;
    const bool listening = fault == TVSIM_FAULT_NO_ANSWER ? (*queue_filler = fill_queue(fd, address, port)) >= 0
                                                          : listen(fd, 16) == 0;
    if (listening)
        return 0;
    fprintf(stderr, "kanvio-tvsim: listen: %s\n", strerror(errno));
    return -1;
}

tvsim_transfer *tvsim_transfer_start(tvsim_loop *loop, tvsim_store *store, const char *address,
                                     uint16_t port, tvsim_fault fault)
{
    uint16_t bound_port = 0;
    int fd = tvsim_bind_tcp(address, port, "transfer", &bound_port);
    int queue_filler = -1;
    if (fd >= 0 && start_listening(fd, address, bound_port, fault, &queue_filler) != 0) {
        close(fd);
        fd = -1;
    }
    if (fd < 0)
        return nullptr;
    tvsim_transfer *transfer = new tvsim_transfer{loop, store, fault, fd, queue_filler, bound_port, stderr, {}};
    if (fault != TVSIM_FAULT_REFUSE && fault != TVSIM_FAULT_NO_ANSWER)
        tvsim_loop_watch(loop, fd, POLLIN, [transfer](int, short) { on_listener(transfer); });
    return transfer;
}

void tvsim_transfer_set_log(tvsim_transfer *transfer, FILE *log)
{
    transfer->log = log;
}

uint16_t tvsim_transfer_port(const tvsim_transfer *transfer)
{
    return transfer->port;
}

void tvsim_transfer_stop(tvsim_transfer *transfer)
{
    if (!transfer)
        return;
    while (!transfer->connections.empty())
        drop(transfer, transfer->connections.begin()->first);
    tvsim_loop_unwatch(transfer->loop, transfer->listener);
    close(transfer->listener);
    if (transfer->queue_filler >= 0)
        close(transfer->queue_filler);
    delete transfer;
}
