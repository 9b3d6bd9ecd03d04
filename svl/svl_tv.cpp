// TV transfer protocol: framing, socket I/O with bounded waits, and the
// read and write operations.
#include "svl_tv.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "svl_image.h"
#include "svl_sockets.h"
#include "svl_tv_internal.h"

tv_options tv_default_options()
{
    tv_options options;
    options.port = TV_PORT;
    options.wait_ms = TV_DEFAULT_WAIT_MS;
    return options;
}

// ---- framing ----

static void put_be16(uint8_t *out, uint16_t value)
{
    out[0] = static_cast<uint8_t>(value >> 8);
    out[1] = static_cast<uint8_t>(value);
}

static void put_be32(uint8_t *out, uint32_t value)
{
    put_be16(out, static_cast<uint16_t>(value >> 16));
    put_be16(out + 2, static_cast<uint16_t>(value));
}

static uint32_t get_be32(const uint8_t *in)
{
    return static_cast<uint32_t>(in[0]) << 24 | static_cast<uint32_t>(in[1]) << 16 |
           static_cast<uint32_t>(in[2]) << 8 | in[3];
}

int tv_encode_request_header(uint8_t header[TV_REQUEST_HEADER_SIZE], uint16_t sequence,
                             uint8_t unit, uint16_t command, size_t payload_length)
{
    if (payload_length > UINT32_MAX - TV_FRAME_HEADER_SIZE)
        return -1;
    put_be32(header, static_cast<uint32_t>(TV_FRAME_HEADER_SIZE + payload_length));
    header[4] = 0x01;
    header[5] = 'G';
    put_be16(header + 6, sequence);
    header[8] = unit;
    put_be16(header + 9, command);
    return 0;
}

int tv_decode_reply_length(const uint8_t field[4], size_t *payload_length)
{
    uint32_t length = get_be32(field);
    if (length < TV_FRAME_HEADER_SIZE || length - TV_FRAME_HEADER_SIZE > TV_MAX_PAYLOAD)
        return -1;
    *payload_length = length - TV_FRAME_HEADER_SIZE;
    return 0;
}

int tv_decode_reply_header(const uint8_t header[TV_FRAME_HEADER_SIZE], uint8_t unit,
                           uint8_t *code)
{
    if (header[0] != 0x01 || header[4] != unit)
        return -1;
    *code = header[1];
    return 0;
}

int tv_parse_table_payload(svl_table *target, const uint8_t *payload, size_t length)
{
    *target = svl_table();
    if (length < 2 || payload[0] != 0x00 || payload[1] != 0x00)
        return TV_TRANSFER_FAILED;
    if (length == 2)
        return TV_OK;
    return svl_parse_table(target, payload + 2, length - 2) == 0 ? TV_OK : TV_TRANSFER_FAILED;
}

// ---- socket I/O ----

static bool is_transient(int error)
{
    return error == EINTR || error == EAGAIN || error == EWOULDBLOCK;
}

int tv_send_all(int socket, const uint8_t *bytes, size_t length, int wait_ms)
{
    size_t sent = 0;
    while (sent < length) {
        if (svl_wait_socket(socket, POLLOUT, wait_ms) != 0)
            return -1;
        // Non-blocking, so one send never outlasts the wait; never SIGPIPE,
        // so a set that hangs up cannot end the program.
        ssize_t n = send(socket, bytes + sent, length - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && !is_transient(errno))
            return -1;
        if (n > 0)
            sent += static_cast<size_t>(n);
    }
    return 0;
}

int tv_recv_exact(int socket, uint8_t *buffer, size_t length, int wait_ms)
{
    size_t received = 0;
    while (received < length) {
        if (svl_wait_socket(socket, POLLIN, wait_ms) != 0)
            return -1;
        ssize_t n = recv(socket, buffer + received, length - received, MSG_DONTWAIT);
        if (n == 0 || (n < 0 && !is_transient(errno)))
            return -1;
        if (n > 0)
            received += static_cast<size_t>(n);
    }
    return 0;
}

// ---- connection ----

int tv_connect_with(tv_connection *connection, const char *address, uint8_t unit,
                    const tv_options *options)
{
    const tv_options chosen = options ? *options : tv_default_options();
    char service[8];
    snprintf(service, sizeof service, "%u", static_cast<unsigned>(chosen.port));
    // Nobody answering a connect is told as soon as the shorter of the two
    // waits is out.
    const int connect_wait = chosen.wait_ms < SVL_CONNECT_WAIT_MS ? chosen.wait_ms : SVL_CONNECT_WAIT_MS;
    connection->socket = svl_connect_stream(address, service, AF_INET, connect_wait);
    if (connection->socket < 0)
        return -1;
    connection->unit = unit;
    connection->sequence = 0;
    connection->wait_ms = chosen.wait_ms;
    return 0;
}

int tv_connect(tv_connection *connection, const char *address, uint8_t unit)
{
    return tv_connect_with(connection, address, unit, nullptr);
}

void tv_close(tv_connection *connection)
{
    if (connection->socket >= 0)
        close(connection->socket);
    connection->socket = -1;
}

// ---- frames ----

// A length below 7 still announces that many bytes; they are taken off the
// stream before giving up so the peer does not see a reset mid-reply.
static void discard_short_frame(tv_connection *connection, const uint8_t field[4])
{
    uint32_t length = get_be32(field);
    uint8_t rest[TV_FRAME_HEADER_SIZE];
    if (length > 0 && length < TV_FRAME_HEADER_SIZE)
        tv_recv_exact(connection->socket, rest, length, connection->wait_ms);
}

int tv_read_frame(tv_connection *connection, uint8_t *code, uint8_t **payload,
                  size_t *payload_length)
{
    if (payload)
        *payload = nullptr;
    uint8_t field[4];
    if (tv_recv_exact(connection->socket, field, sizeof field, connection->wait_ms) != 0)
        return -1;
    size_t length = 0;
    if (tv_decode_reply_length(field, &length) != 0) {
        discard_short_frame(connection, field);
        return -1;
    }
    uint8_t header[TV_FRAME_HEADER_SIZE];
    if (tv_recv_exact(connection->socket, header, sizeof header, connection->wait_ms) != 0 ||
        tv_decode_reply_header(header, connection->unit, code) != 0)
        return -1;
    *payload_length = length;
    if (length == 0 || !payload)
        return 0;
    uint8_t *block = static_cast<uint8_t *>(malloc(length));
    if (!block)
        return -1;
    if (tv_recv_exact(connection->socket, block, length, connection->wait_ms) != 0) {
        free(block);
        return -1;
    }
    *payload = block;
    return 0;
}

void tv_free_payload(uint8_t *payload)
{
    free(payload);
}

int tv_request(tv_connection *connection, uint16_t command, const uint8_t *payload,
               size_t payload_length)
{
    uint8_t header[TV_REQUEST_HEADER_SIZE];
    if ((payload_length > 0 && !payload) ||
        tv_encode_request_header(header, connection->sequence, connection->unit, command,
                                 payload_length) != 0)
        return -1;
    connection->sequence++;
    if (tv_send_all(connection->socket, header, sizeof header, connection->wait_ms) != 0 ||
        tv_send_all(connection->socket, payload, payload_length, connection->wait_ms) != 0)
        return -1;
    uint8_t code = 0;
    uint8_t *answer = nullptr;
    size_t answer_length = 0;
    if (tv_read_frame(connection, &code, &answer, &answer_length) != 0)
        return -1;
    tv_free_payload(answer);
    return code == TV_REPLY_ACK ? 0 : -1;
}

int tv_read_data(tv_connection *connection, uint8_t **payload, size_t *length)
{
    uint8_t code = 0;
    if (tv_read_frame(connection, &code, payload, length) != 0)
        return -1;
    if (code == TV_REPLY_DATA)
        return 0;
    tv_free_payload(*payload);
    *payload = nullptr;
    return -1;
}

// ---- operations ----

int tv_import_table(tv_connection *connection, svl_table *target)
{
    *target = svl_table();
    uint8_t *payload = nullptr;
    size_t length = 0;
    if (tv_request(connection, TV_COMMAND_READ_TABLE, nullptr, 0) != 0 ||
        tv_read_data(connection, &payload, &length) != 0)
        return TV_TRANSFER_FAILED;
    int result = tv_parse_table_payload(target, payload, length);
    tv_free_payload(payload);
    return result;
}

int tv_export_table(tv_connection *connection, svl_table *table)
{
    size_t image_length = 0;
    uint8_t *image = svl_build_table(table, &image_length);
    if (!image)
        return TV_TRANSFER_FAILED;
    int result = tv_export_image(connection, image, image_length);
    svl_free_image(image);
    return result;
}

int tv_export_image(tv_connection *connection, const uint8_t *image, size_t length)
{
    if (!image || length == 0)
        return TV_TRANSFER_FAILED;
    uint8_t *status = nullptr;
    size_t status_length = 0;
    if (tv_request(connection, TV_COMMAND_WRITE_TABLE, image, length) != 0
        || tv_read_data(connection, &status, &status_length) != 0)
        return TV_TRANSFER_FAILED;
    bool accepted = status_length == 2 && status[0] == 0x00 && status[1] == 0x00;
    tv_free_payload(status);
    return accepted ? TV_OK : TV_TRANSFER_FAILED;
}

int svl_import_from_tv_with(svl_table *target, const char *address, const tv_options *options)
{
    *target = svl_table();
    tv_connection connection;
    if (tv_connect_with(&connection, address, TV_UNIT, options) != 0)
        return TV_NO_CONNECTION;
    int result = tv_import_table(&connection, target);
    tv_close(&connection);
    return result;
}

int svl_import_from_tv(svl_table *target, const char *address)
{
    return svl_import_from_tv_with(target, address, nullptr);
}

int svl_export_to_tv_with(svl_table *table, const char *address, const tv_options *options)
{
    tv_connection connection;
    if (tv_connect_with(&connection, address, TV_UNIT, options) != 0)
        return TV_NO_CONNECTION;
    int result = tv_export_table(&connection, table);
    tv_close(&connection);
    return result;
}

int svl_export_image_to_tv_with(const uint8_t *image, size_t length, const char *address,
                                const tv_options *options)
{
    if (!image || length == 0)
        return TV_TRANSFER_FAILED;
    tv_connection connection;
    if (tv_connect_with(&connection, address, TV_UNIT, options) != 0)
        return TV_NO_CONNECTION;
    int result = tv_export_image(&connection, image, length);
    tv_close(&connection);
    return result;
}

int svl_export_to_tv(svl_table *table, const char *address)
{
    return svl_export_to_tv_with(table, address, nullptr);
}
