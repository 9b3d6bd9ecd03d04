// Transfer of the station table to and from a TV set over TCP port 1938.
//
// One connection per operation: connect, one request frame, an
// acknowledgement frame, a data frame, close. Every frame starts with a
// big-endian u32 length that counts the 7 header bytes after it plus the
// payload. The table travels as the image of svl_image.h. All routines
// block; each wait for the socket lasts at most the connection's wait.
#pragma once

#include <cstddef>
#include <cstdint>

#include "svl.h"

enum {
    TV_PORT = 1938,
    TV_UNIT = 2,  // the unit byte both operations address
    TV_COMMAND_READ_TABLE = 234,
    TV_COMMAND_WRITE_TABLE = 235,
    TV_REPLY_ACK = 253,
    TV_REPLY_DATA = 17,
    TV_REQUEST_HEADER_SIZE = 11,  // length field and the 7 header bytes
    TV_FRAME_HEADER_SIZE = 7,     // the bytes the length counts before the payload
    TV_DEFAULT_WAIT_MS = 60000,
    // The largest reply payload accepted. A station table image is a few
    // hundred kilobytes; a larger announced length is a broken or hostile
    // peer and is refused before anything is allocated.
    TV_MAX_PAYLOAD = 64 * 1024 * 1024,
};

// Results of svl_import_from_tv and svl_export_to_tv.
enum {
    TV_OK = 0,
    TV_NO_CONNECTION = 1,
    TV_TRANSFER_FAILED = 2,
};

// Where and how patiently to talk to a set. The program always uses the
// defaults; tests and the simulated set choose other ports and waits.
struct tv_options {
    uint16_t port;  // TCP port, TV_PORT by default
    int wait_ms;    // longest wait for the socket to become ready; a connect
                    // waits at most SVL_CONNECT_WAIT_MS of it
};

// Port 1938 and 60-second waits.
tv_options tv_default_options();

// An open connection to a set. socket is -1 when closed.
struct tv_connection {
    int socket;
    uint8_t unit;       // echoed by every reply header
    uint16_t sequence;  // of the next request; 0 after connect
    int wait_ms;
};

// Resolves address (IPv4 address or host name) for port 1938 and connects
// to the first of its IPv4 addresses that accepts within 10 seconds. 0 with the connection
// open and its sequence number 0; -1 when no address could be connected.
// Close with tv_close.
int tv_connect(tv_connection *connection, const char *address, uint8_t unit);

// tv_connect with the port and wait of options (null: the defaults).
int tv_connect_with(tv_connection *connection, const char *address, uint8_t unit,
                    const tv_options *options);

// Closes the socket, if open, and marks the connection closed.
void tv_close(tv_connection *connection);

// Sends all length bytes, waiting at most wait_ms for the socket to accept
// more each time. 0 when everything was sent, -1 on a timeout or error.
int tv_send_all(int socket, const uint8_t *bytes, size_t length, int wait_ms);

// Receives exactly length bytes into buffer, waiting at most wait_ms for
// each part. 0 when all arrived (at once for length 0); -1 on a timeout,
// an error or the peer closing first.
int tv_recv_exact(int socket, uint8_t *buffer, size_t length, int wait_ms);

// Reads one reply frame. Stores its reply code and payload length; when
// payload is not null and the payload is not empty, *payload receives a new
// block holding it (release with tv_free_payload), else null. 0 success;
// -1 for a length of 0, below 7 or with a payload above TV_MAX_PAYLOAD, a
// header whose first byte is not 0x01 or whose unit byte differs from the
// connection's, or a receive failure (nothing is then left allocated).
int tv_read_frame(tv_connection *connection, uint8_t *code, uint8_t **payload,
                  size_t *payload_length);

// Sends a request frame with the command and payload (may be null when
// payload_length is 0) under the next sequence number, then reads the
// answer frame. 0 when it was sent and acknowledged (code 253), else -1.
int tv_request(tv_connection *connection, uint16_t command, const uint8_t *payload,
               size_t payload_length);

// Reads a data reply. 0 with its payload in *payload (a new block, released
// with tv_free_payload; null when the payload is empty) and *length; -1 when
// the frame cannot be read or its code is not 17 (nothing left allocated).
int tv_read_data(tv_connection *connection, uint8_t **payload, size_t *length);

// Releases a payload of tv_read_frame or tv_read_data. Null is ignored.
void tv_free_payload(uint8_t *payload);

// Reads the station table of the set at address into target, which is
// emptied first (its old content is not released: pass an empty table).
// TV_OK with the set's table in target (empty, without lists, when the set
// holds none); TV_NO_CONNECTION when the address cannot be resolved or
// connected; TV_TRANSFER_FAILED for any failure after connecting, with
// target left empty.
int svl_import_from_tv(svl_table *target, const char *address);
int svl_import_from_tv_with(svl_table *target, const char *address, const tv_options *options);

// Writes the table into the set at address. Building the image gives every
// station of a version-50 table a new uid. TV_OK when the set accepted the
// table; TV_NO_CONNECTION when the address cannot be resolved or connected;
// TV_TRANSFER_FAILED when the table cannot be built, the transfer fails or
// the set refuses it.
int svl_export_to_tv(svl_table *table, const char *address);
int svl_export_to_tv_with(svl_table *table, const char *address, const tv_options *options);

// Writes an image built by svl_build_table into the set at address, as
// svl_export_to_tv does, without touching any table: a caller can build the
// image where its table lives and send it from another thread. The image
// stays the caller's. Results as for svl_export_to_tv; TV_TRANSFER_FAILED
// also for a null or empty image.
int svl_export_image_to_tv_with(const uint8_t *image, size_t length, const char *address,
                                const tv_options *options);

// ---- the backup before an export ----

// Results of svl_back_up_tv_table besides TV_OK and TV_NO_CONNECTION.
enum {
    TV_BACKUP_NO_TABLE = 3,    // the set holds no table: nothing to keep, no file written
    TV_BACKUP_UNREADABLE = 4,  // the set answered, but its table could not be read
    TV_BACKUP_UNWRITABLE = 5,  // no name, or the file could not be written
};

// How svl_back_up_tv_table names the file.
enum {
    TV_BACKUP_NAME_AS_GIVEN = 0,    // exactly the name given
    TV_BACKUP_NAME_ADD_SUFFIX = 1,  // the name followed by ".svl40" or ".svl50", as the table's format says
};

// Keeps the table the set at address holds in a file before an export
// overwrites it: reads it with the port and waits of options (null: the
// defaults) and saves it under name, named as naming says. When the set
// holds a table, *suffix (unless suffix is null) receives the file suffix of
// its format, ".svl40" or ".svl50", a static text the caller does not
// release. The table read is released before returning.
// TV_OK: the file was written. TV_BACKUP_NO_TABLE: there is nothing to
// lose, an export may go on. With any other result an export must not go
// on, since what it would overwrite could not be kept: TV_NO_CONNECTION
// when the address cannot be resolved or connected; TV_BACKUP_UNREADABLE;
// TV_BACKUP_UNWRITABLE for a null name or a failed save, with errno telling
// why (0 when the table could not be built) and the file as svl_save_file
// leaves it.
int svl_back_up_tv_table(const char *address, const tv_options *options, const char *name, int naming,
                         const char **suffix);
