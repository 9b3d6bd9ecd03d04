// The HTTP client: URLs, connecting and sending a GET, and the response
// reader, which is fed bytes (http_internal.h) so that it can be driven
// without a socket.
#include "net/http.h"
#include "net/http_internal.h"

#include "svl/svl_sockets.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

enum { URL_MAX_NODE_NAME = 255 };

const size_t URL_BUFFER_CAPACITY = URL_BUFFER_SIZE - 1;

// A line was consumed; the reader goes on with the next step.
const int URL_CONTINUE = 3;

// ---------------------------------------------------------------- URLs

bool url_has_bad_character(const char *url)
{
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(url); *p; ++p) {
        if (*p <= ' ' || *p == 0x7f)
            return true;
    }
    return false;
}

// The resolver may not know service names when /etc/services is missing.
const char *url_numeric_service(const char *service)
{
    return strcmp(service, "http") == 0 ? "80" : service;
}

int url_send_request(int sock, const url_parts *parts)
{
    const char *texts[] = {
        "GET /", parts->path,
        " HTTP/1.1\r\nUser-Agent: Mozilla/4.0 (Linux)\r\nHost: ", parts->host,
        "\r\nAccept: */*\r\nConnection: close\r\n\r\n",
    };
    for (const char *text : texts) {
        if (url_send_text(sock, text) != 0)
            return -1;
    }
    return 0;
}

}  // namespace

url_parts *url_split(const char *url)
{
    if (!url || !*url || url_has_bad_character(url))
        return nullptr;
    size_t length = strlen(url);
    url_parts *parts = static_cast<url_parts *>(malloc(sizeof(url_parts) + length + 1));
    if (!parts)
        return nullptr;
    char *copy = reinterpret_cast<char *>(parts + 1);
    memcpy(copy, url, length + 1);

    char *host = strstr(copy, "://");
    host = host ? host + 3 : copy;
    char *slash = strchr(host, '/');
    if (slash) {
        *slash = '\0';
        parts->path = slash + 1;
        char *fragment = strchr(slash + 1, '#');
        if (fragment)
            *fragment = '\0';
    } else {
        parts->path = copy + length;
    }
    parts->host = host;
    const char *colon = strchr(host, ':');
    // An empty port text would make the resolver fail; it means the default.
    parts->service = colon && colon[1] ? colon + 1 : "http";
    return parts;
}

void url_free_parts(url_parts *parts)
{
    free(parts);
}

int url_connect(const url_parts *parts)
{
    if (!parts)
        return -1;
    const char *colon = strchr(parts->host, ':');
    size_t node_length = colon ? static_cast<size_t>(colon - parts->host) : strlen(parts->host);
    if (node_length == 0 || node_length > URL_MAX_NODE_NAME)
        return -1;
    char node[URL_MAX_NODE_NAME + 1];
    memcpy(node, parts->host, node_length);
    node[node_length] = '\0';
    return svl_connect_stream(node, url_numeric_service(parts->service), AF_UNSPEC, SVL_CONNECT_WAIT_MS);
}

int url_send_text(int sock, const char *text)
{
    if (!text)
        return -1;
    size_t left = strlen(text);
    while (left > 0) {
        ssize_t sent = send(sock, text, left, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return -1;
        text += sent;
        left -= static_cast<size_t>(sent);
    }
    return 0;
}

int url_get(const char *url)
{
    url_parts *parts = url_split(url);
    if (!parts)
        return -1;
    int sock = url_connect(parts);
    if (sock >= 0 && url_send_request(sock, parts) != 0) {
        close(sock);
        sock = -1;
    }
    url_free_parts(parts);
    return sock;
}

// ------------------------------------------------- response reading

namespace {

void url_compact(url_response *r)
{
    memmove(r->buffer, r->buffer + r->read_pos, r->unread);
    r->read_pos = 0;
    r->buffer[r->unread] = '\0';
}

int url_fail(url_response *r, int error)
{
    r->phase = URL_PHASE_FAILED;
    r->error = error;
    return -1;
}

bool url_is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A line of the buffer, without its LF and a CR before it.
struct url_line {
    const char *text;
    size_t length;
    size_t consumed;  // with the line end
};

void url_trim(url_line *line)
{
    while (line->length > 0 && url_is_blank(line->text[0])) {
        ++line->text;
        --line->length;
    }
    while (line->length > 0 && url_is_blank(line->text[line->length - 1]))
        --line->length;
}

bool url_line_equals(url_line line, const char *word)
{
    return line.length == strlen(word) && strncasecmp(line.text, word, line.length) == 0;
}

// Takes the next complete line out of the buffer; false when none is there.
bool url_take_line(url_response *r, url_line *line)
{
    const char *start = r->buffer + r->read_pos;
    const char *lf = static_cast<const char *>(memchr(start, '\n', r->unread));
    if (!lf)
        return false;
    size_t consumed = static_cast<size_t>(lf - start) + 1;
    line->text = start;
    line->length = consumed - 1;
    line->consumed = consumed;
    if (line->length > 0 && start[line->length - 1] == '\r')
        --line->length;
    r->read_pos += consumed;
    r->unread -= consumed;
    return true;
}

int url_parse_status_line(url_response *r, url_line line)
{
    static const char prefix[] = "HTTP/1.";
    const size_t prefix_length = sizeof prefix - 1;
    if (line.length < prefix_length + 5 || memcmp(line.text, prefix, prefix_length) != 0)
        return url_fail(r, URL_ERROR_STATUS_LINE);
    const char *p = line.text + prefix_length;
    if ((p[0] != '0' && p[0] != '1') || p[1] != ' ')
        return url_fail(r, URL_ERROR_STATUS_LINE);
    p += 2;
    for (int i = 0; i < 3; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return url_fail(r, URL_ERROR_STATUS_LINE);
    }
    size_t end = static_cast<size_t>(p - line.text) + 3;
    if (end < line.length && line.text[end] != ' ')
        return url_fail(r, URL_ERROR_STATUS_LINE);
    r->status = (p[0] - '0') * 100 + (p[1] - '0') * 10 + (p[2] - '0');
    r->phase = URL_PHASE_HEADERS;
    return URL_CONTINUE;
}

// Reads a decimal length; a value above URL_MAX_BODY is only reported as
// URL_MAX_BODY + 1, so nothing overflows.
bool url_parse_decimal(url_line value, long *out)
{
    if (value.length == 0)
        return false;
    long number = 0;
    for (size_t i = 0; i < value.length; ++i) {
        char c = value.text[i];
        if (c < '0' || c > '9')
            return false;
        if (number <= URL_MAX_BODY)
            number = number * 10 + (c - '0');
    }
    *out = number > URL_MAX_BODY ? URL_MAX_BODY + 1 : number;
    return true;
}

bool url_ends_with_chunked(url_line value)
{
    static const char word[] = "chunked";
    const size_t word_length = sizeof word - 1;
    if (value.length < word_length)
        return false;
    url_line tail = { value.text + value.length - word_length, word_length, 0 };
    if (!url_line_equals(tail, word))
        return false;
    if (value.length == word_length)
        return true;
    char before = value.text[value.length - word_length - 1];
    return before == ',' || before == ' ' || before == '\t';
}

int url_parse_content_length(url_response *r, url_line value)
{
    long length = 0;
    if (!url_parse_decimal(value, &length))
        return url_fail(r, URL_ERROR_LENGTH);
    if (r->content_length >= 0 && r->content_length != length)
        return url_fail(r, URL_ERROR_LENGTH);
    if (length > URL_MAX_BODY)
        return url_fail(r, URL_ERROR_TOO_LARGE);
    r->content_length = length;
    return URL_CONTINUE;
}

int url_end_headers(url_response *r)
{
    r->headers_done = 1;
    if (r->chunk_state >= 0)
        r->phase = URL_PHASE_CHUNK_SIZE;
    else
        r->phase = URL_PHASE_BODY;
    return URL_CONTINUE;
}

int url_parse_header(url_response *r, url_line line)
{
    if (line.length == 0)
        return url_end_headers(r);
    const char *colon = static_cast<const char *>(memchr(line.text, ':', line.length));
    if (!colon)
        return URL_CONTINUE;
    url_line name = { line.text, static_cast<size_t>(colon - line.text), 0 };
    url_line value = { colon + 1, line.length - name.length - 1, 0 };
    url_trim(&name);
    url_trim(&value);
    if (url_line_equals(name, "Transfer-Encoding") && url_ends_with_chunked(value))
        r->chunk_state = 0;
    else if (url_line_equals(name, "Content-Length"))
        return url_parse_content_length(r, value);
    return URL_CONTINUE;
}

int url_hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A chunk-size line: hex digits, optional blanks, optional ";extension".
int url_parse_chunk_size(url_response *r, url_line line)
{
    size_t i = 0;
    long size = 0;
    const long room = URL_MAX_BODY - static_cast<long>(r->delivered);
    for (; i < line.length && url_hex_digit(line.text[i]) >= 0; ++i) {
        size = size * 16 + url_hex_digit(line.text[i]);
        if (size > room)
            return url_fail(r, URL_ERROR_TOO_LARGE);
    }
    if (i == 0)
        return url_fail(r, URL_ERROR_CHUNK);
    while (i < line.length && (line.text[i] == ' ' || line.text[i] == '\t'))
        ++i;
    if (i < line.length && line.text[i] != ';')
        return url_fail(r, URL_ERROR_CHUNK);
    r->chunk_state = size;
    r->phase = size == 0 ? URL_PHASE_TRAILERS : URL_PHASE_CHUNK_DATA;
    return URL_CONTINUE;
}

int url_parse_chunk_end(url_response *r, url_line line)
{
    if (line.length != 0)
        return url_fail(r, URL_ERROR_CHUNK);
    r->phase = URL_PHASE_CHUNK_SIZE;
    return URL_CONTINUE;
}

int url_parse_trailer(url_response *r, url_line line)
{
    if (line.length == 0) {
        r->phase = URL_PHASE_DONE;
        return 0;
    }
    return URL_CONTINUE;
}

bool url_counts_as_header(url_phase phase)
{
    return phase == URL_PHASE_STATUS || phase == URL_PHASE_HEADERS || phase == URL_PHASE_TRAILERS;
}

// One step in a line-oriented phase.
int url_step_line(url_response *r)
{
    url_line line;
    if (!url_take_line(r, &line)) {
        if (r->unread < URL_BUFFER_CAPACITY)
            return URL_NEED_MORE;
        return url_fail(r, r->headers_done ? URL_ERROR_CHUNK : URL_ERROR_HEADER);
    }
    if (url_counts_as_header(r->phase)) {
        r->header_bytes += line.consumed;
        if (r->header_bytes > URL_MAX_HEADER_BYTES)
            return url_fail(r, URL_ERROR_HEADER);
    }
    switch (r->phase) {
    case URL_PHASE_STATUS:
        return url_parse_status_line(r, line);
    case URL_PHASE_HEADERS:
        return url_parse_header(r, line);
    case URL_PHASE_CHUNK_SIZE:
        return url_parse_chunk_size(r, line);
    case URL_PHASE_CHUNK_END:
        return url_parse_chunk_end(r, line);
    default:
        return url_parse_trailer(r, line);
    }
}

int url_deliver(url_response *r, size_t length)
{
    r->piece = r->buffer + r->read_pos;
    r->piece_length = length;
    r->read_pos += length;
    r->unread -= length;
    r->delivered += length;
    return 1;
}

int url_step_body(url_response *r)
{
    if (r->content_length >= 0) {
        size_t left = static_cast<size_t>(r->content_length) - r->delivered;
        if (left == 0) {
            r->phase = URL_PHASE_DONE;
            return 0;
        }
        if (r->unread == 0)
            return URL_NEED_MORE;
        return url_deliver(r, r->unread < left ? r->unread : left);
    }
    if (r->unread == 0)
        return URL_NEED_MORE;
    if (r->delivered + r->unread > URL_MAX_BODY)
        return url_fail(r, URL_ERROR_TOO_LARGE);
    return url_deliver(r, r->unread);
}

int url_step_chunk_data(url_response *r)
{
    if (r->unread == 0)
        return URL_NEED_MORE;
    size_t left = static_cast<size_t>(r->chunk_state);
    size_t length = r->unread < left ? r->unread : left;
    r->chunk_state -= static_cast<long>(length);
    if (r->chunk_state == 0)
        r->phase = URL_PHASE_CHUNK_END;
    return url_deliver(r, length);
}

// Waits for data and receives it into the buffer: 1 data arrived, 0 the
// peer closed, -1 timeout or receive error.
int url_receive(int sock, url_response *r)
{
    int wait_ms = r->wait_ms > 0 ? r->wait_ms : URL_DEFAULT_WAIT_MS;
    struct pollfd fd = { sock, POLLIN, 0 };
    int ready;
    do {
        ready = poll(&fd, 1, wait_ms);
    } while (ready < 0 && errno == EINTR);
    if (ready == 0)
        return url_fail(r, URL_ERROR_TIMEOUT);
    if (ready < 0)
        return url_fail(r, URL_ERROR_RECEIVE);

    url_compact(r);
    size_t space = URL_BUFFER_CAPACITY - r->unread;
    if (space == 0)
        return url_fail(r, URL_ERROR_HEADER);
    ssize_t got;
    do {
        got = recv(sock, r->buffer + r->unread, space, 0);
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        return url_fail(r, URL_ERROR_RECEIVE);
    r->unread += static_cast<size_t>(got);
    r->buffer[r->unread] = '\0';
    return got == 0 ? 0 : 1;
}

}  // namespace

void url_begin(url_response *r)
{
    if (r->started)
        return;
    r->started = 1;
    r->content_length = -1;
    r->chunk_state = -1;
    r->phase = URL_PHASE_STATUS;
    r->read_pos = 0;
    r->unread = 0;
    r->buffer[0] = '\0';
}

size_t url_feed(url_response *r, const char *data, size_t length)
{
    url_begin(r);
    url_compact(r);
    size_t space = URL_BUFFER_CAPACITY - r->unread;
    size_t taken = length < space ? length : space;
    memcpy(r->buffer + r->unread, data, taken);
    r->unread += taken;
    r->buffer[r->unread] = '\0';
    return taken;
}

int url_take_piece(url_response *r)
{
    url_begin(r);
    r->piece = nullptr;
    r->piece_length = 0;
    for (;;) {
        int result;
        switch (r->phase) {
        case URL_PHASE_BODY:
            return url_step_body(r);
        case URL_PHASE_CHUNK_DATA:
            return url_step_chunk_data(r);
        case URL_PHASE_DONE:
            return 0;
        case URL_PHASE_FAILED:
            return -1;
        default:
            result = url_step_line(r);
            if (result != URL_CONTINUE)
                return result;
        }
    }
}

int url_finish(url_response *r)
{
    url_begin(r);
    switch (r->phase) {
    case URL_PHASE_DONE:
        return 0;
    case URL_PHASE_FAILED:
        return -1;
    case URL_PHASE_BODY:
        if (r->content_length < 0 || r->delivered == static_cast<size_t>(r->content_length)) {
            r->phase = URL_PHASE_DONE;
            return 0;
        }
        return url_fail(r, URL_ERROR_TRUNCATED);
    case URL_PHASE_TRAILERS:
        // The last chunk was seen: the body is whole even without the final
        // empty line.
        r->phase = URL_PHASE_DONE;
        return 0;
    default:
        return url_fail(r, URL_ERROR_TRUNCATED);
    }
}

int url_read_piece(int sock, url_response *response)
{
    if (!response)
        return -1;
    url_begin(response);
    for (;;) {
        int result = url_take_piece(response);
        if (result != URL_NEED_MORE)
            return result;
        result = url_receive(sock, response);
        if (result == 0)
            return url_finish(response);
        if (result < 0)
            return -1;
    }
}
