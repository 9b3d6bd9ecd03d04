// The SSDP engine: sockets, receiver thread, device cache and search
// targets. Messages are read by ssdp_message.cpp.
#include <arpa/inet.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "net/ssdp_internal.h"

const char SSDP_TV_DEVICE_TYPE[] = "urn:tavrel-com:device:RemoteControlReceiver:1";
const char SSDP_ALL_TARGET[] = "ssdp:all";
const char SSDP_GROUP_ADDRESS[] = "239.255.255.250";

namespace {

enum { SSDP_TTL = 4 };

const char SEARCH_FORMAT[] =
    "M-SEARCH * HTTP/1.1\r\nHOST: 239.255.255.250:1900\r\nMAN: \"ssdp:discover\"\r\nST: %s\r\nMX: %d\r\n\r\n";

void report(const char *call, int error)
{
    fprintf(stderr, "%s: %s\n", call, strerror(error));
}

bool is_running(const ssdp_engine *engine)
{
    return __atomic_load_n(&engine->running, __ATOMIC_SEQ_CST) != 0;
}

void set_running(ssdp_engine *engine, int running)
{
    __atomic_store_n(&engine->running, running, __ATOMIC_SEQ_CST);
}

// ---- cache ---------------------------------------------------------------

void notify(ssdp_notification notification, const ssdp_device *device, void *user_data)
{
    if (notification)
        notification(device, user_data);
}

void free_device(ssdp_device *device)
{
    free(device->type);
    free(device->usn);
    free(device->location);
    free(device);
}

// Unlinks the device at *link, tells the observer and frees it.
void drop_device(ssdp_engine *engine, ssdp_device **link)
{
    ssdp_device *device = *link;
    *link = device->next;
    notify(engine->observer.device_removed, device, engine->observer.user_data);
    free_device(device);
}

void drop_device_by_hash(ssdp_engine *engine, uint32_t hash)
{
    for (ssdp_device **link = &engine->devices; *link; link = &(*link)->next) {
        if ((*link)->hash == hash) {
            drop_device(engine, link);
            return;
        }
    }
}

ssdp_device *find_device(ssdp_engine *engine, uint32_t hash)
{
    for (ssdp_device *device = engine->devices; device; device = device->next) {
        if (device->hash == hash)
            return device;
    }
    return nullptr;
}

size_t count_devices(const ssdp_engine *engine)
{
    size_t count = 0;
    for (const ssdp_device *device = engine->devices; device; device = device->next)
        count++;
    return count;
}

int renew_device(ssdp_engine *engine, ssdp_device *device, const char *type, const char *location, time_t expiry)
{
    char *new_type = strdup(type);
    char *new_location = strdup(location);
    if (!new_type || !new_location) {
        report("calloc", ENOMEM);
        free(new_type);
        free(new_location);
        return -1;
    }
    free(device->type);
    free(device->location);
    device->type = new_type;
    device->location = new_location;
    device->expiry = expiry;
    notify(engine->observer.device_updated, device, engine->observer.user_data);
    return 0;
}

int cache_new_device(ssdp_engine *engine, const char *usn, const char *type, const char *location, time_t expiry)
{
    ssdp_device *device = static_cast<ssdp_device *>(calloc(1, sizeof(ssdp_device)));
    if (device) {
        device->type = strdup(type);
        device->usn = strdup(usn);
        device->location = strdup(location);
    }
    if (!device || !device->type || !device->usn || !device->location) {
        report("calloc", ENOMEM);
        if (device)
            free_device(device);
        return -1;
    }
    device->expiry = expiry;
    device->hash = ssdp_hash(usn);
    device->next = engine->devices;
    engine->devices = device;
    notify(engine->observer.device_added, device, engine->observer.user_data);
    return 0;
}

// ---- search targets --------------------------------------------------------

bool has_target(const ssdp_engine *engine, uint32_t hash)
{
    for (const ssdp_target *target = engine->targets; target; target = target->next) {
        if (target->hash == hash)
            return true;
    }
    return false;
}

// A device is taken when everything was searched for, or its USN or type.
bool is_wanted(const ssdp_engine *engine, const char *usn, const char *type)
{
    return has_target(engine, ssdp_hash(SSDP_ALL_TARGET)) || has_target(engine, ssdp_hash(usn)) ||
           has_target(engine, ssdp_hash(type));
}

void free_targets(ssdp_engine *engine)
{
    while (engine->targets) {
        ssdp_target *next = engine->targets->next;
        free(engine->targets);
        engine->targets = next;
    }
}

// ---- messages --------------------------------------------------------------

void apply_answer(ssdp_engine *engine, const ssdp_message *message, time_t now)
{
    if (message->has_expiry && is_wanted(engine, message->usn, message->st))
        ssdp_add_device(engine, message->usn, message->st, message->location, message->expiry, now);
}

void apply_announcement(ssdp_engine *engine, const ssdp_message *message, time_t now)
{
    if (strcmp(message->nts, "ssdp:byebye") == 0)
        drop_device_by_hash(engine, ssdp_hash(message->usn));
    else if (strcmp(message->nts, "ssdp:alive") == 0 && message->has_expiry &&
             is_wanted(engine, message->usn, message->nt))
        ssdp_add_device(engine, message->usn, message->nt, message->location, message->expiry, now);
}

// Search requests are for advertised local devices, which this engine has
// none of.
void apply_message(ssdp_engine *engine, const ssdp_message *message, int from_multicast, time_t now)
{
    if (!(engine->flags & SSDP_FLAG_SEARCHED))
        return;
    if (message->kind == SSDP_KIND_ANSWER && !from_multicast)
        apply_answer(engine, message, now);
    else if (message->kind == SSDP_KIND_ANNOUNCEMENT && from_multicast)
        apply_announcement(engine, message, now);
}

// ---- sockets ---------------------------------------------------------------

void close_receiver(ssdp_receiver *receiver)
{
    if (receiver->fd >= 0)
        close(receiver->fd);
    receiver->fd = -1;
    free(receiver->buffer);
    receiver->buffer = nullptr;
    receiver->used = 0;
}

// select() cannot watch descriptors from FD_SETSIZE on.
int open_udp_socket()
{
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        report("socket", errno);
        return -1;
    }
    if (fd >= FD_SETSIZE) {
        close(fd);
        report("socket", EMFILE);
        return -1;
    }
    return fd;
}

int set_option(int fd, int level, int name, const void *value, socklen_t size)
{
    if (setsockopt(fd, level, name, value, size) < 0) {
        report("setsockopt", errno);
        return -1;
    }
    return 0;
}

int set_multicast_sending(int fd)
{
    in_addr any = {htonl(INADDR_ANY)};
    unsigned char ttl = SSDP_TTL;
    if (set_option(fd, IPPROTO_IP, IP_MULTICAST_IF, &any, sizeof any) < 0)
        return -1;
    return set_option(fd, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl);
}

int allocate_buffer(ssdp_receiver *receiver)
{
    receiver->buffer = static_cast<char *>(malloc(SSDP_BUFFER_SIZE + 1));
    if (!receiver->buffer) {
        report("malloc", errno);
        return -1;
    }
    receiver->used = 0;
    return 0;
}

int bind_to_ssdp_port(int fd)
{
    sockaddr_in address;
    memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(SSDP_PORT);
    if (bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) < 0) {
        report("bind", errno);
        return -1;
    }
    return 0;
}

int join_group(int fd, const sockaddr_in &group)
{
    ip_mreq membership;
    membership.imr_multiaddr = group.sin_addr;
    membership.imr_interface.s_addr = htonl(INADDR_ANY);
    return set_option(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership);
}

int open_multicast_socket(ssdp_engine *engine)
{
    int fd = open_udp_socket();
    engine->multicast.fd = fd;
    if (fd < 0)
        return -1;
    int on = 1;
    if (set_option(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) < 0 ||
        set_option(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) < 0 || set_multicast_sending(fd) < 0 ||
        bind_to_ssdp_port(fd) < 0)
        return -1;
    engine->group.sin_family = AF_INET;
    engine->group.sin_addr.s_addr = inet_addr(SSDP_GROUP_ADDRESS);
    engine->group.sin_port = htons(SSDP_PORT);
    if (join_group(fd, engine->group) < 0)
        return -1;
    return allocate_buffer(&engine->multicast);
}

// A failure leaves the search socket closed; the next search tries again.
int open_search_socket(ssdp_engine *engine)
{
    int fd = open_udp_socket();
    if (fd < 0)
        return -1;
    engine->search.fd = fd;
    if (set_multicast_sending(fd) < 0 || allocate_buffer(&engine->search) < 0) {
        close_receiver(&engine->search);
        return -1;
    }
    return 0;
}

// ---- receiver thread -------------------------------------------------------

void receive_datagram(ssdp_engine *engine, ssdp_receiver *receiver, int from_multicast, time_t now)
{
    ssize_t received =
        recvfrom(receiver->fd, receiver->buffer + receiver->used, SSDP_BUFFER_SIZE - receiver->used, 0, nullptr, nullptr);
    if (received <= 0) {
        report("recvfrom", errno);
        return;
    }
    ssdp_cut_messages(engine, receiver, static_cast<size_t>(received), from_multicast, now);
}

bool is_readable(const ssdp_receiver *receiver, const fd_set *readable)
{
    return receiver->fd >= 0 && FD_ISSET(receiver->fd, readable);
}

void process_pass(ssdp_engine *engine, const fd_set *readable, time_t now)
{
    ssdp_expire(engine, now);
    if (is_readable(&engine->multicast, readable))
        receive_datagram(engine, &engine->multicast, 1, now);
    if (is_readable(&engine->search, readable))
        receive_datagram(engine, &engine->search, 0, now);
}

void add_to_set(const ssdp_receiver *receiver, fd_set *readable, int *highest)
{
    if (receiver->fd < 0)
        return;
    FD_SET(receiver->fd, readable);
    if (receiver->fd > *highest)
        *highest = receiver->fd;
}

// Fills the read set with the open sockets; gives the highest descriptor.
// The search socket may appear at any time, so the set is built under the lock.
int collect_sockets(ssdp_engine *engine, fd_set *readable)
{
    FD_ZERO(readable);
    int highest = -1;
    pthread_mutex_lock(&engine->lock);
    add_to_set(&engine->multicast, readable, &highest);
    add_to_set(&engine->search, readable, &highest);
    pthread_mutex_unlock(&engine->lock);
    return highest;
}

// Waits for a readable socket; false when the wait failed.
bool wait_for_sockets(ssdp_engine *engine, fd_set *readable)
{
    int highest = collect_sockets(engine, readable);
    timeval wait = {engine->wait_ms / 1000, (engine->wait_ms % 1000) * 1000};
    if (select(highest + 1, readable, nullptr, nullptr, &wait) >= 0)
        return true;
    if (errno == EINTR) {
        FD_ZERO(readable);
        return true;
    }
    report("select", errno);
    return false;
}

void *receive_loop(void *argument)
{
    ssdp_engine *engine = static_cast<ssdp_engine *>(argument);
    while (is_running(engine)) {
        fd_set readable;
        if (!wait_for_sockets(engine, &readable))
            break;
        pthread_mutex_lock(&engine->lock);
        process_pass(engine, &readable, time(nullptr));
        pthread_mutex_unlock(&engine->lock);
    }
    pthread_mutex_lock(&engine->lock);
    ssdp_close(engine);
    set_running(engine, 0);
    pthread_mutex_unlock(&engine->lock);
    return nullptr;
}

// An error-checking lock turns a notification that takes the lock into a
// refused ssdp_lock instead of a hung receiver thread.
int create_lock(ssdp_engine *engine)
{
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_ERRORCHECK);
    int error = pthread_mutex_init(&engine->lock, &attributes);
    pthread_mutexattr_destroy(&attributes);
    if (error) {
        report("pthread_mutex_init", error);
        return -1;
    }
    engine->lock_created = 1;
    return 0;
}

int send_search(ssdp_engine *engine, const char *target, int mx)
{
    if (engine->search.fd < 0 && open_search_socket(engine) < 0)
        return -1;
    if (ssdp_add_target(engine, target) < 0)
        return -1;
    engine->flags |= SSDP_FLAG_SEARCHED;
    char text[SSDP_MESSAGE_MAX];
    int length = snprintf(text, sizeof text, SEARCH_FORMAT, target, mx);
    if (length < 0 || length >= SSDP_MESSAGE_MAX)
        return -1;
    if (sendto(engine->search.fd, text, static_cast<size_t>(length), 0,
               reinterpret_cast<const sockaddr *>(&engine->group), sizeof engine->group) < 0) {
        report("sendto", errno);
        return -1;
    }
    return 0;
}

}  // namespace

// ---- internals -------------------------------------------------------------

void ssdp_process_text(ssdp_engine *engine, const char *text, int from_multicast, time_t now)
{
    ssdp_message message;
    while (*text) {
        text = ssdp_parse_message(text, now, &message);
        if (!text)
            return;
        apply_message(engine, &message, from_multicast, now);
    }
}

void ssdp_cut_messages(ssdp_engine *engine, ssdp_receiver *receiver, size_t received, int from_multicast,
                       time_t now)
{
    static const char ending[] = "\r\n\r\n";
    char *buffer = receiver->buffer;
    size_t end = receiver->used + received;
    buffer[end] = '\0';
    size_t start = 0;
    for (;;) {
        const char *found = static_cast<const char *>(memmem(buffer + start, end - start, ending, 4));
        if (!found)
            break;
        size_t stop = static_cast<size_t>(found - buffer);
        buffer[stop + 3] = '\0';
        ssdp_process_text(engine, buffer + start, from_multicast, now);
        start = stop + 4;
    }
    size_t rest = end - start;
    if (rest == SSDP_BUFFER_SIZE)
        rest = 0;
    memmove(buffer, buffer + start, rest);
    receiver->used = rest;
}

void ssdp_close(ssdp_engine *engine)
{
    while (engine->devices)
        drop_device(engine, &engine->devices);
    free_targets(engine);
    close_receiver(&engine->multicast);
    close_receiver(&engine->search);
}

int ssdp_add_target(ssdp_engine *engine, const char *text)
{
    uint32_t hash = ssdp_hash(text);
    if (has_target(engine, hash))
        return 0;
    ssdp_target *target = static_cast<ssdp_target *>(calloc(1, sizeof(ssdp_target)));
    if (!target) {
        report("calloc", errno);
        return -1;
    }
    snprintf(target->text, sizeof target->text, "%s", text);
    target->hash = hash;
    target->next = engine->targets;
    engine->targets = target;
    return 0;
}

int ssdp_add_device(ssdp_engine *engine, const char *usn, const char *type, const char *location, time_t expiry,
                    time_t now)
{
    if (expiry < now)
        return -1;
    ssdp_device *device = find_device(engine, ssdp_hash(usn));
    if (device)
        return renew_device(engine, device, type, location, expiry);
    if (count_devices(engine) >= SSDP_MAX_DEVICES)
        return -1;
    return cache_new_device(engine, usn, type, location, expiry);
}

void ssdp_expire(ssdp_engine *engine, time_t now)
{
    ssdp_device **link = &engine->devices;
    while (*link) {
        if ((*link)->expiry < now)
            drop_device(engine, link);
        else
            link = &(*link)->next;
    }
}

// ---- public interface ------------------------------------------------------

int ssdp_start(ssdp_engine *engine, int wait_ms)
{
    memset(engine, 0, sizeof *engine);
    engine->multicast.fd = -1;
    engine->search.fd = -1;
    engine->wait_ms = wait_ms > 0 ? wait_ms : 1;
    if (open_multicast_socket(engine) < 0 || create_lock(engine) < 0) {
        ssdp_close(engine);
        return -1;
    }
    set_running(engine, 1);
    int error = pthread_create(&engine->thread, nullptr, receive_loop, engine);
    if (error) {
        report("pthread_create", error);
        pthread_mutex_destroy(&engine->lock);
        engine->lock_created = 0;
        ssdp_close(engine);
        set_running(engine, 0);
        return -1;
    }
    engine->thread_started = 1;
    return 0;
}

void ssdp_stop(ssdp_engine *engine)
{
    set_running(engine, 0);
    if (engine->thread_started) {
        pthread_join(engine->thread, nullptr);
        engine->thread_started = 0;
    }
    if (engine->lock_created) {
        pthread_mutex_destroy(&engine->lock);
        engine->lock_created = 0;
    }
}

int ssdp_search(ssdp_engine *engine, const char *target, int mx)
{
    if (!target || strlen(target) > SSDP_TARGET_MAX)
        return -1;
    if (ssdp_lock(engine) < 0)
        return -1;
    int result = send_search(engine, target, mx);
    ssdp_unlock(engine);
    return result;
}

void ssdp_flush_remote(ssdp_engine *engine)
{
    if (ssdp_lock(engine) < 0)
        return;
    ssdp_device **link = &engine->devices;
    while (*link) {
        if (!(*link)->local)
            drop_device(engine, link);
        else
            link = &(*link)->next;
    }
    ssdp_unlock(engine);
}

// running is checked again under the lock: the receiver thread may have
// closed the engine after a failed wait in the meantime.
int ssdp_lock(ssdp_engine *engine)
{
    if (!is_running(engine) || pthread_mutex_lock(&engine->lock) != 0)
        return -1;
    if (!is_running(engine)) {
        pthread_mutex_unlock(&engine->lock);
        return -1;
    }
    return 0;
}

void ssdp_unlock(ssdp_engine *engine)
{
    if (engine->lock_created)
        pthread_mutex_unlock(&engine->lock);
}
