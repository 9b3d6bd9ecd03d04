// The simulated set's table transfer service on TCP port 1938: answers
// read-table (234) and write-table (235) requests, one per connection,
// faithfully or with one of the ways real peers fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "svl/svl.h"
#include "tools/tvsim/tvsim_loop.h"

enum tvsim_fault {
    TVSIM_FAULT_NONE,
    TVSIM_FAULT_REFUSE,            // connections are refused
    TVSIM_FAULT_CLOSE_ON_ACCEPT,   // closed right after accepting
    TVSIM_FAULT_CLOSE_AFTER_ACK,   // closed after the acknowledgement
    TVSIM_FAULT_BAD_HEADER,        // acknowledgement's first header byte is not 0x01
    TVSIM_FAULT_BAD_UNIT,          // acknowledgement names unit 1
    TVSIM_FAULT_BAD_ACK,           // acknowledgement code is not 253
    TVSIM_FAULT_BAD_DATA_CODE,     // data reply code is not 17
    TVSIM_FAULT_SHORT_LENGTH,      // data reply announces a length below 7
    TVSIM_FAULT_OVERSIZED,         // data reply announces a payload far above any table
    TVSIM_FAULT_TRUNCATED,         // data reply ends halfway through its payload
    TVSIM_FAULT_STALL,             // the request is read and never answered
    TVSIM_FAULT_BAD_STATUS,        // status bytes 00 01: the set refuses
    TVSIM_FAULT_BAD_IMAGE,         // read: the payload is not a valid image
    TVSIM_FAULT_EMPTY_TABLE,       // read: status bytes alone, no table
    TVSIM_FAULT_TRICKLE,           // every reply byte sent on its own, slowly
    TVSIM_FAULT_NO_ANSWER,         // connection attempts are never answered
    TVSIM_FAULT_MUTE_DESCRIPTION,  // with --ssdp: the description server accepts and never answers
    TVSIM_FAULT_COUNT,
};

// The fault named on the command line ("none", "refuse", "close-on-accept",
// ...). 0, or -1 for an unknown name.
int tvsim_fault_from_name(const char *name, tvsim_fault *fault);
const char *tvsim_fault_name(tvsim_fault fault);

// What the set holds. image is what a read serves; empty when the set
// holds no table. An accepted write replaces both and, when save_path is
// not empty, is saved there.
struct tvsim_store {
    svl_table table = {};
    std::vector<uint8_t> image;
    std::string save_path;
};

// Replaces the store's table and image by table (taken over) and its image.
// 0, or -1 when the image cannot be built (store unchanged, table kept by
// the caller).
int tvsim_store_set_table(tvsim_store *store, svl_table *table);

// Releases the store's table.
void tvsim_store_clear(tvsim_store *store);

// A request as the set reads it.
struct tvsim_request {
    uint16_t sequence;
    uint8_t unit;
    uint16_t command;
    std::vector<uint8_t> payload;
};

// Checks the 11 request header bytes: length at least 7 with a payload of
// at most 64 MiB, then 0x01 'G', the sequence, the unit and the command.
// Stores all but the payload, whose length goes to *payload_length. 0 or -1.
int tvsim_decode_request_header(const uint8_t header[11], tvsim_request *request,
                                size_t *payload_length);

// The set's reply to a complete request under the fault: the bytes to send,
// and whether to keep the connection open unanswered (stall) or send them
// one at a time (trickle). A write request's image is stored when it is
// valid, unless the fault makes the set refuse it.
struct tvsim_answer {
    std::vector<uint8_t> bytes;
    bool stall = false;
    bool trickle = false;
    std::string log;  // one line describing what was served
};
tvsim_answer tvsim_answer_request(tvsim_store *store, const tvsim_request &request,
                                  tvsim_fault fault);

// The listening service. Started on address (an IPv4 address) and port; port
// 0 takes a free one. Null when the address cannot be bound, with the reason
// on standard error.
struct tvsim_transfer;
tvsim_transfer *tvsim_transfer_start(tvsim_loop *loop, tvsim_store *store, const char *address,
                                     uint16_t port, tvsim_fault fault);

// Where the service logs each request it serves: standard error unless
// changed; null logs nothing.
void tvsim_transfer_set_log(tvsim_transfer *transfer, FILE *log);

// The port the service listens on.
uint16_t tvsim_transfer_port(const tvsim_transfer *transfer);

// Closes the listening socket and every open connection.
void tvsim_transfer_stop(tvsim_transfer *transfer);
