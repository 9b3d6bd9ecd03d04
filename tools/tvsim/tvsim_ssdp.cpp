// The simulated set's SSDP socket: search answers, alive and byebye
// announcements. Requests are read by the program's own SSDP parser.
#include "tools/tvsim/tvsim_ssdp.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "net/ssdp_internal.h"
#include "tools/tvsim/tvsim_http.h"

namespace {

const char SERVER_HEADER[] = "Linux/4.0 UPnP/1.0 kanvio-tvsim/1.0";

// One thing the set announces: its notification type and the unique
// service name that goes with it.
struct advertisement {
    std::string type;
    std::string usn;
};

std::vector<advertisement> advertisements_of(const std::string &udn)
{
    return {
        {"upnp:rootdevice", udn + "::upnp:rootdevice"},
        {udn, udn},
        {SSDP_TV_DEVICE_TYPE, udn + "::" + SSDP_TV_DEVICE_TYPE},
        {TVSIM_SERVICE_TYPE, udn + "::" + TVSIM_SERVICE_TYPE},
    };
}

// An HTTP date, which is English whatever the locale.
std::string http_date(time_t when)
{
    static const char days[][4] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char months[][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    struct tm utc;
    gmtime_r(&when, &utc);
    char text[40];
    snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", days[utc.tm_wday], utc.tm_mday,
             months[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

std::string search_answer(const tvsim_ssdp_options &options, const advertisement &ad)
{
    return "HTTP/1.1 200 OK\r\nCACHE-CONTROL: max-age=" + std::to_string(TVSIM_MAX_AGE) +
           "\r\nDATE: " + http_date(time(nullptr)) + "\r\nEXT:\r\nLOCATION: " + options.location +
           "\r\nSERVER: " + SERVER_HEADER + "\r\nST: " + ad.type + "\r\nUSN: " + ad.usn + "\r\n\r\n";
}

std::string alive_notification(const tvsim_ssdp_options &options, const advertisement &ad)
{
    return "NOTIFY * HTTP/1.1\r\nHOST: 239.255.255.250:1900\r\nCACHE-CONTROL: max-age=" +
           std::to_string(TVSIM_MAX_AGE) + "\r\nLOCATION: " + options.location + "\r\nNT: " + ad.type +
           "\r\nNTS: ssdp:alive\r\nSERVER: " + SERVER_HEADER + "\r\nUSN: " + ad.usn + "\r\n\r\n";
}

std::string byebye_notification(const advertisement &ad)
{
    return "NOTIFY * HTTP/1.1\r\nHOST: 239.255.255.250:1900\r\nNT: " + ad.type +
           "\r\nNTS: ssdp:byebye\r\nUSN: " + ad.usn + "\r\n\r\n";
}

sockaddr_in group_address()
{
    sockaddr_in group = {};
    group.sin_family = AF_INET;
    group.sin_addr.s_addr = inet_addr(SSDP_GROUP_ADDRESS);
    group.sin_port = htons(SSDP_PORT);
    return group;
}

}  // namespace

struct tvsim_ssdp {
    tvsim_loop *loop;
    tvsim_ssdp_options options;
    std::vector<advertisement> advertisements;
    int fd;
};

static void send_to(const tvsim_ssdp *ssdp, const std::string &text, const sockaddr_in &to)
{
    if (sendto(ssdp->fd, text.data(), text.size(), 0, reinterpret_cast<const sockaddr *>(&to), sizeof to) < 0)
        fprintf(stderr, "kanvio-tvsim: SSDP send: %s\n", strerror(errno));
}

static void announce_alive(const tvsim_ssdp *ssdp)
{
    for (const advertisement &ad : ssdp->advertisements)
        send_to(ssdp, alive_notification(ssdp->options, ad), group_address());
}

// Answers a search for everything with every advertisement, and a search
// for one of them with that one.
static void answer_search(const tvsim_ssdp *ssdp, const ssdp_message &request, const sockaddr_in &from)
{
    if (strcmp(request.man, "ssdp:discover") != 0)
        return;
    bool everything = strcmp(request.st, SSDP_ALL_TARGET) == 0;
    for (const advertisement &ad : ssdp->advertisements)
        if (everything || ad.type == request.st)
            send_to(ssdp, search_answer(ssdp->options, ad), from);
}

static void read_datagram(tvsim_ssdp *ssdp)
{
    char buffer[SSDP_BUFFER_SIZE + 1];
    sockaddr_in from = {};
    socklen_t size = sizeof from;
    ssize_t n = recvfrom(ssdp->fd, buffer, SSDP_BUFFER_SIZE, MSG_DONTWAIT, reinterpret_cast<sockaddr *>(&from), &size);
    if (n <= 0)
        return;
    buffer[n] = '\0';
    ssdp_message message;
    for (const char *rest = buffer; rest && *rest;) {
        rest = ssdp_parse_message(rest, time(nullptr), &message);
        if (rest && message.kind == SSDP_KIND_SEARCH)
            answer_search(ssdp, message, from);
    }
}

static void on_socket(tvsim_ssdp *ssdp, short revents)
{
    if (revents == 0) {
        announce_alive(ssdp);
        tvsim_loop_wake_after(ssdp->loop, ssdp->fd, ssdp->options.announce_ms);
    } else {
        read_datagram(ssdp);
    }
}

// A socket on the SSDP port, member of the group on the set's interface,
// sending through that interface.
static int open_group_socket(const char *address)
{
    in_addr interface_address;
    if (inet_pton(AF_INET, address, &interface_address) != 1) {
        fprintf(stderr, "kanvio-tvsim: not an IPv4 address: %s\n", address);
        return -1;
    }
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int on = 1;
    unsigned char ttl = 4;
    sockaddr_in any = {};
    any.sin_family = AF_INET;
    any.sin_port = htons(SSDP_PORT);
    ip_mreq membership;
    membership.imr_multiaddr = group_address().sin_addr;
    membership.imr_interface = interface_address;
    if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        bind(fd, reinterpret_cast<sockaddr *>(&any), sizeof any) != 0 ||
        setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) != 0 ||
        setsockopt(fd, IPPROTO_IP, IP_MULTICAST_IF, &interface_address, sizeof interface_address) != 0 ||
        setsockopt(fd, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl) != 0) {
        fprintf(stderr, "kanvio-tvsim: SSDP on port %d: %s\n", SSDP_PORT, strerror(errno));
        if (fd >= 0)
            close(fd);
        return -1;
    }
    return fd;
}

tvsim_ssdp *tvsim_ssdp_start(tvsim_loop *loop, const tvsim_ssdp_options &options)
{
    int fd = open_group_socket(options.address.c_str());
    if (fd < 0)
        return nullptr;
    tvsim_ssdp *ssdp = new tvsim_ssdp{loop, options, advertisements_of(options.udn), fd};
    tvsim_loop_watch(loop, fd, POLLIN, [ssdp](int, short revents) { on_socket(ssdp, revents); });
    on_socket(ssdp, 0);
    return ssdp;
}

void tvsim_ssdp_stop(tvsim_ssdp *ssdp)
{
    if (!ssdp)
        return;
    for (const advertisement &ad : ssdp->advertisements)
        send_to(ssdp, byebye_notification(ad), group_address());
    tvsim_loop_unwatch(ssdp->loop, ssdp->fd);
    close(ssdp->fd);
    delete ssdp;
}
