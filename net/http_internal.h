// The HTTP response reader without sockets: bytes are fed into a
// url_response and body pieces taken out, so tests and fuzzers can drive
// it byte by byte.
#pragma once

#include "net/http.h"

// url_take_piece's answer when the buffered bytes do not yet decide.
enum { URL_NEED_MORE = 2 };

// The status line and all headers (or trailers) together may not exceed
// this, so a peer cannot keep us reading headers forever.
enum { URL_MAX_HEADER_BYTES = 64 * 1024 };

// Sets up a zeroed response on its first use; later calls do nothing.
void url_begin(url_response *response);

// Appends up to length bytes to the unread data. Returns how many bytes
// fitted into the buffer.
size_t url_feed(url_response *response, const char *data, size_t length);

// Consumes buffered bytes: 1 with the next body piece, 0 when the body is
// complete, -1 on a malformed or oversized response (reason in error),
// URL_NEED_MORE when more bytes must arrive first.
int url_take_piece(url_response *response);

// The peer closed the connection: 0 when that ends a complete body (a
// body without length ends this way), -1 with URL_ERROR_TRUNCATED when
// the response was cut short.
int url_finish(url_response *response);
