// What the simulated set answers: fault names, its table store, and the
// reply bytes for a request. No I/O here.
#include <cstdio>
#include <cstring>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "svl/svl_tv.h"
#include "tools/tvsim/tvsim_transfer.h"

static const char *const fault_names[TVSIM_FAULT_COUNT] = {
    "none",      "refuse",      "close-on-accept", "close-after-ack", "bad-header",
    "bad-unit",  "bad-ack",     "bad-data-code",   "short-length",    "oversized",
    "truncated", "stall",       "bad-status",      "bad-image",       "empty-table",
    "trickle",   "no-answer",   "mute-description",
};

int tvsim_fault_from_name(const char *name, tvsim_fault *fault)
{
    for (int i = 0; i < TVSIM_FAULT_COUNT; i++)
        if (strcmp(name, fault_names[i]) == 0) {
            *fault = static_cast<tvsim_fault>(i);
            return 0;
        }
    return -1;
}

const char *tvsim_fault_name(tvsim_fault fault)
{
    return fault >= 0 && fault < TVSIM_FAULT_COUNT ? fault_names[fault] : "unknown";
}

// ---- store ----

int tvsim_store_set_table(tvsim_store *store, svl_table *table)
{
    size_t length = 0;
    uint8_t *image = svl_build_table(table, &length);
    if (!image)
        return -1;
    tvsim_store_clear(store);
    store->image.assign(image, image + length);
    store->table = *table;
    *table = svl_table();
    svl_free_image(image);
    return 0;
}

void tvsim_store_clear(tvsim_store *store)
{
    svl_free_table(&store->table, 1);
    store->table = svl_table();
    store->image.clear();
}

// A write request's image becomes the set's table, kept byte for byte so a
// later read returns exactly what was written. 0, or -1 for an invalid image.
static int store_written_image(tvsim_store *store, const std::vector<uint8_t> &image)
{
    svl_table table = {};
    if (svl_parse_table(&table, image.data(), image.size()) != 0)
        return -1;
    tvsim_store_clear(store);
    store->table = table;
    store->image = image;
    if (!store->save_path.empty() && svl_save_file(&store->table, store->save_path.c_str()) != 0)
        fprintf(stderr, "kanvio-tvsim: cannot save the table to %s\n", store->save_path.c_str());
    return 0;
}

// ---- requests ----

static uint16_t get_be16(const uint8_t *in)
{
    return static_cast<uint16_t>(in[0] << 8 | in[1]);
}

static uint32_t get_be32(const uint8_t *in)
{
    return static_cast<uint32_t>(get_be16(in)) << 16 | get_be16(in + 2);
}

int tvsim_decode_request_header(const uint8_t header[11], tvsim_request *request,
                                size_t *payload_length)
{
    uint32_t length = get_be32(header);
    if (length < TV_FRAME_HEADER_SIZE || length - TV_FRAME_HEADER_SIZE > TV_MAX_PAYLOAD ||
        header[4] != 0x01 || header[5] != 'G')
        return -1;
    request->sequence = get_be16(header + 6);
    request->unit = header[8];
    request->command = get_be16(header + 9);
    *payload_length = length - TV_FRAME_HEADER_SIZE;
    return 0;
}

// ---- replies ----

static void put_be16(std::vector<uint8_t> &out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

static void put_be32(std::vector<uint8_t> &out, uint32_t value)
{
    put_be16(out, static_cast<uint16_t>(value >> 16));
    put_be16(out, static_cast<uint16_t>(value));
}

// One reply frame echoing the request's sequence number and command.
static void put_frame(std::vector<uint8_t> &out, const tvsim_request &request, uint8_t code,
                      const std::vector<uint8_t> &payload)
{
    put_be32(out, static_cast<uint32_t>(TV_FRAME_HEADER_SIZE + payload.size()));
    out.push_back(0x01);
    out.push_back(code);
    put_be16(out, request.sequence);
    out.push_back(request.unit);
    put_be16(out, request.command);
    out.insert(out.end(), payload.begin(), payload.end());
}

static void put_acknowledgement(std::vector<uint8_t> &out, const tvsim_request &request,
                                tvsim_fault fault)
{
    const size_t start = out.size();
    put_frame(out, request, fault == TVSIM_FAULT_BAD_ACK ? 0xFE : TV_REPLY_ACK, {});
    if (fault == TVSIM_FAULT_BAD_HEADER)
        out[start + 4] = 0x02;
    if (fault == TVSIM_FAULT_BAD_UNIT)
        out[start + 8] = 0x01;
}

// The data payload of a read: status, then the image unless the fault
// withholds or spoils it.
static std::vector<uint8_t> read_payload(const tvsim_store *store, tvsim_fault fault)
{
    std::vector<uint8_t> payload{0x00, fault == TVSIM_FAULT_BAD_STATUS ? uint8_t(0x01) : uint8_t(0x00)};
    if (fault == TVSIM_FAULT_EMPTY_TABLE)
        return payload;
    if (fault == TVSIM_FAULT_BAD_IMAGE) {
        // Version 9 lies outside every known format.
        const uint8_t junk[] = {0x09, 0x00, 0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF};
        payload.insert(payload.end(), junk, junk + sizeof junk);
        return payload;
    }
    payload.insert(payload.end(), store->image.begin(), store->image.end());
    return payload;
}

static std::vector<uint8_t> write_payload(tvsim_store *store, const tvsim_request &request,
                                          tvsim_fault fault, std::string &log)
{
    if (fault == TVSIM_FAULT_BAD_STATUS) {
        log = "refused a " + std::to_string(request.payload.size()) + "-byte table";
        return {0x00, 0x01};
    }
    if (store_written_image(store, request.payload) != 0) {
        log = "refused an invalid " + std::to_string(request.payload.size()) + "-byte image";
        return {0x00, 0x01};
    }
    log = "stored a " + std::to_string(request.payload.size()) + "-byte table";
    return {0x00, 0x00};
}

// Appends the data frame, spoiled as the fault says.
static void put_data(std::vector<uint8_t> &out, const tvsim_request &request, tvsim_fault fault,
                     const std::vector<uint8_t> &payload)
{
    const size_t start = out.size();
    switch (fault) {
    case TVSIM_FAULT_SHORT_LENGTH:
        put_be32(out, 3);
        out.insert(out.end(), {0x01, TV_REPLY_DATA, 0x00});
        return;
    case TVSIM_FAULT_OVERSIZED:
        put_frame(out, request, TV_REPLY_DATA, {});
        out[start] = 0xFF;  // announces almost 4 GiB, then sends nothing of it
        return;
    case TVSIM_FAULT_TRUNCATED:
        put_frame(out, request, TV_REPLY_DATA, payload);
        out.resize(out.size() - (payload.size() + 1) / 2);
        return;
    default:
        put_frame(out, request, fault == TVSIM_FAULT_BAD_DATA_CODE ? 0x12 : TV_REPLY_DATA, payload);
    }
}

static const char *command_name(uint16_t command)
{
    return command == TV_COMMAND_READ_TABLE ? "read table" : "write table";
}

tvsim_answer tvsim_answer_request(tvsim_store *store, const tvsim_request &request,
                                  tvsim_fault fault)
{
    tvsim_answer answer;
    if (request.unit != TV_UNIT ||
        (request.command != TV_COMMAND_READ_TABLE && request.command != TV_COMMAND_WRITE_TABLE)) {
        answer.log = "unknown request: unit " + std::to_string(request.unit) + ", command " +
                     std::to_string(request.command);
        return answer;
    }
    std::vector<uint8_t> payload;
    std::string detail;
    if (request.command == TV_COMMAND_READ_TABLE) {
        payload = read_payload(store, fault);
        detail = std::to_string(payload.size() - 2) + "-byte image";
    } else {
        payload = write_payload(store, request, fault, detail);
    }
    answer.log = std::string(command_name(request.command)) + ": " + detail + " (fault " +
                 tvsim_fault_name(fault) + ")";
    if (fault == TVSIM_FAULT_STALL) {
        answer.stall = true;
        return answer;
    }
    put_acknowledgement(answer.bytes, request, fault);
    if (fault != TVSIM_FAULT_CLOSE_AFTER_ACK)
        put_data(answer.bytes, request, fault, payload);
    answer.trickle = fault == TVSIM_FAULT_TRICKLE;
    return answer;
}
