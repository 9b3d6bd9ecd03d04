// A minimal blocking HTTP/1.1 client for fetching UPnP description
// documents: split a URL, connect, send a GET with "Connection: close" and
// read the body piece by piece (Content-Length, chunked, or ended by the
// server closing). No TLS, redirects, authentication or keep-alive.
#pragma once

#include <cstddef>

// Bodies larger than this are refused: description documents are a few
// kilobytes, and a peer must not make us allocate what it likes.
enum { URL_MAX_BODY = 1024 * 1024 };

// How long url_read_piece waits for the peer by default.
enum { URL_DEFAULT_WAIT_MS = 360 * 1000 };

enum { URL_BUFFER_SIZE = 4096 };

// Why url_read_piece returned -1 (url_response.error).
enum {
    URL_OK = 0,
    URL_ERROR_TIMEOUT,        // nothing arrived within the wait
    URL_ERROR_RECEIVE,        // the receive call failed
    URL_ERROR_STATUS_LINE,    // the first line is not an HTTP/1.x status line
    URL_ERROR_HEADER,         // a header line too long or the headers too long
    URL_ERROR_LENGTH,         // Content-Length is not a plain decimal number
    URL_ERROR_CHUNK,          // malformed chunk-size line or chunk end
    URL_ERROR_TOO_LARGE,      // the body exceeds URL_MAX_BODY
    URL_ERROR_TRUNCATED,      // the peer closed before the body was complete
};

// A split URL. One heap block holds the structure and a private copy of
// the URL that the three texts point into; release it with url_free_parts.
struct url_parts {
    const char *service;  // port text after the host's ":", or "http"
    const char *host;     // host as written, port included when given
    const char *path;     // text after the "/" behind the host, without "#..."
};

// Where the reader stands in the response.
enum url_phase {
    URL_PHASE_STATUS = 0,
    URL_PHASE_HEADERS,
    URL_PHASE_BODY,         // plain body, by Content-Length or to the close
    URL_PHASE_CHUNK_SIZE,
    URL_PHASE_CHUNK_DATA,
    URL_PHASE_CHUNK_END,    // the CR LF behind a chunk's data
    URL_PHASE_TRAILERS,
    URL_PHASE_DONE,
    URL_PHASE_FAILED,
};

// State of one response being read. Zero it before the first read; set
// wait_ms to shorten the wait (0 means URL_DEFAULT_WAIT_MS).
struct url_response {
    int status;                 // status code, 0 until the status line was read
    long content_length;        // Content-Length, -1 when absent
    const char *piece;          // body data delivered by the last read
    size_t piece_length;
    int headers_done;           // set after the empty line ending the headers
    long chunk_state;           // -1 plain body; else bytes left in the current chunk
    int wait_ms;
    int error;                  // URL_ERROR_..., set when a read returned -1
    int started;
    url_phase phase;
    size_t header_bytes;        // status line and headers seen so far
    char buffer[URL_BUFFER_SIZE];  // 4095 bytes of data and a terminating NUL
    size_t read_pos;
    size_t unread;
    size_t delivered;           // body bytes delivered so far
};

// Splits a URL into service, host and path. Returns a new block, released
// with url_free_parts; null for a null or empty URL, a URL holding control
// characters or blanks, or no memory.
url_parts *url_split(const char *url);

// Releases a block from url_split; null is allowed.
void url_free_parts(url_parts *parts);

// Resolves the host (up to its ":") and service and connects a stream
// socket to the first address that accepts. Returns the socket, or -1
// (also for a node name longer than 255 characters). The caller closes it.
int url_connect(const url_parts *parts);

// Sends the whole NUL-terminated text. 0 when all was sent (an empty text
// sends nothing); -1 for a null text or a send error.
int url_send_text(int sock, const char *text);

// Connects to the URL's host and sends a GET for its path. Returns the
// socket on which the request went out (the caller reads the response and
// closes it), or -1.
int url_get(const char *url);

// Reads the next body piece of the response on sock into response->piece.
// 1: a non-empty piece was delivered; 0: the body is complete; -1: failure,
// with the reason in response->error (a timeout, a malformed response, a
// body over URL_MAX_BODY, or a close before the announced end).
int url_read_piece(int sock, url_response *response);
