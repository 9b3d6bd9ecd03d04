// Parts of the TV transfer that tests and the fuzz target reach directly:
// frame encoding and decoding without I/O, and the two operations over a
// connection that is already open.
#pragma once

#include <cstddef>
#include <cstdint>

#include "svl_tv.h"

// Writes the 11-byte request header: length 7 + payload_length, 0x01, 'G',
// the sequence number, the unit byte and the command, big-endian.
// -1 when 7 + payload_length does not fit the 32-bit length field.
int tv_encode_request_header(uint8_t header[TV_REQUEST_HEADER_SIZE], uint16_t sequence,
                             uint8_t unit, uint16_t command, size_t payload_length);

// Checks a reply's length field: the payload length it announces goes to
// *payload_length. -1 for a length of 0 or below 7, or a payload above
// TV_MAX_PAYLOAD.
int tv_decode_reply_length(const uint8_t field[4], size_t *payload_length);

// Checks the 7 header bytes after a reply's length: byte 0 must be 0x01 and
// byte 4 the unit byte. Stores the reply code (byte 1). 0 or -1.
int tv_decode_reply_header(const uint8_t header[TV_FRAME_HEADER_SIZE], uint8_t unit,
                           uint8_t *code);

// Interprets the payload of a data reply to a read request: two zero
// status bytes, then the image, if any, parsed into target (emptied first).
// TV_OK or TV_TRANSFER_FAILED (target left empty).
int tv_parse_table_payload(svl_table *target, const uint8_t *payload, size_t length);

// The read and write operations over an open connection, without closing
// it. Results as svl_import_from_tv / svl_export_to_tv after connecting:
// TV_OK or TV_TRANSFER_FAILED.
int tv_import_table(tv_connection *connection, svl_table *target);
int tv_export_table(tv_connection *connection, svl_table *table);
int tv_export_image(tv_connection *connection, const uint8_t *image, size_t length);
