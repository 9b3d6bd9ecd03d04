// kanvio-tvsim: a simulated Tavrel TV set that serves its station table on
// TCP port 1938, for trying Kanvio without a set and for network tests.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "svl/svl_sockets.h"
#include "svl/svl_tv.h"
#include "tools/gen/svl_generate.h"
#include "tools/tvsim/tvsim_http.h"
#include "tools/tvsim/tvsim_loop.h"
#include "tools/tvsim/tvsim_ssdp.h"
#include "tools/tvsim/tvsim_transfer.h"

namespace {

struct arguments {
    std::string address = "127.0.0.1";
    uint16_t port = TV_PORT;
    tvsim_fault fault = TVSIM_FAULT_NONE;
    std::string save_path;
    std::string table_path;
    long generate = -1;  // station count to generate instead of loading a table
    bool ssdp = false;   // be found: SSDP and the description server
    std::string name = "Tavrel TV (simulated)";
    uint16_t http_port = 49152;
    bool chunked = false;
};

}  // namespace

static void print_usage(FILE *stream)
{
    fprintf(stream,
            "usage: kanvio-tvsim [--address ADDR] [--port P] [--fault MODE] [--save FILE]\n"
            "                    [--ssdp [--name NAME] [--http-port P] [--chunked]]\n"
            "                    (TABLE | --generate N)\n"
            "       kanvio-tvsim --help\n"
            "--ssdp answers SSDP searches and announces the set (multicast: only inside\n"
            "scripts/in-netns or on a network meant for it) and serves its description\n"
            "over HTTP on --http-port (default 49152, 0 takes a free one), chunked with\n"
            "--chunked.\n"
            "fault modes:");
    for (int i = 0; i < TVSIM_FAULT_COUNT; i++)
        fprintf(stream, " %s", tvsim_fault_name(static_cast<tvsim_fault>(i)));
    fprintf(stream, "\n");
}

// Reads a whole number in [0, max]; -1 for anything else.
static long parse_count(const char *text, long max)
{
    char *end = nullptr;
    errno = 0;
    long value = strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 0 || value > max)
        return -1;
    return value;
}

static bool parse_option(arguments &args, const char *name, const char *value)
{
    if (strcmp(name, "--address") == 0) {
        args.address = value;
    } else if (strcmp(name, "--port") == 0) {
        long port = parse_count(value, 65535);
        args.port = static_cast<uint16_t>(port);
        return port >= 0;
    } else if (strcmp(name, "--fault") == 0) {
        return tvsim_fault_from_name(value, &args.fault) == 0;
    } else if (strcmp(name, "--save") == 0) {
        args.save_path = value;
    } else if (strcmp(name, "--name") == 0) {
        args.name = value;
    } else if (strcmp(name, "--http-port") == 0) {
        long port = parse_count(value, 65535);
        args.http_port = static_cast<uint16_t>(port);
        return port >= 0;
    } else if (strcmp(name, "--generate") == 0) {
        args.generate = parse_count(value, 1000000);
        return args.generate >= 0;
    } else {
        return false;
    }
    return true;
}

// Options without a value.
static bool parse_flag(arguments &args, const char *name)
{
    if (strcmp(name, "--ssdp") == 0)
        args.ssdp = true;
    else if (strcmp(name, "--chunked") == 0)
        args.chunked = true;
    else
        return false;
    return true;
}

static bool parse_arguments(int argc, char **argv, arguments &args)
{
    for (int i = 1; i < argc; i++) {
        if (parse_flag(args, argv[i])) {
            continue;
        } else if (strncmp(argv[i], "--", 2) != 0) {
            if (!args.table_path.empty())
                return false;
            args.table_path = argv[i];
        } else if (i + 1 >= argc || !parse_option(args, argv[i], argv[i + 1])) {
            return false;
        } else {
            i++;
        }
    }
    return args.table_path.empty() != (args.generate < 0);
}

// Loads or generates the table the set starts with. 0 or -1 (reported).
static int fill_store(tvsim_store &store, const arguments &args)
{
    svl_table table = {};
    if (args.generate >= 0) {
        svl_generate_options options;
        options.stations = static_cast<uint32_t>(args.generate);
        if (svl_generate_table(&table, options) != 0) {
            fprintf(stderr, "kanvio-tvsim: cannot generate %ld stations\n", args.generate);
            return -1;
        }
    } else if (svl_load_file(&table, args.table_path.c_str()) != 0) {
        fprintf(stderr, "kanvio-tvsim: cannot load the table %s\n", args.table_path.c_str());
        return -1;
    }
    if (tvsim_store_set_table(&store, &table) != 0) {
        fprintf(stderr, "kanvio-tvsim: cannot build the table image\n");
        svl_free_table(&table, 1);
        return -1;
    }
    store.save_path = args.save_path;
    return 0;
}

static tvsim_loop *running_loop;

static void on_stop_signal(int)
{
    tvsim_loop_stop(running_loop);
}

static void catch_stop_signals()
{
    struct sigaction action = {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

struct discovery {
    tvsim_http *http = nullptr;
    tvsim_ssdp *ssdp = nullptr;
};

// Serves the description and joins SSDP. false when either fails (reported).
static bool start_discovery(tvsim_loop *loop, const arguments &args, discovery &found)
{
    tvsim_identity identity{args.name, tvsim_udn_for(args.name)};
    found.http = tvsim_http_start(loop, args.address.c_str(), args.http_port, identity, args.chunked,
                                  args.fault == TVSIM_FAULT_MUTE_DESCRIPTION);
    if (!found.http)
        return false;
    tvsim_ssdp_options options;
    options.address = args.address;
    options.udn = identity.udn;
    options.location = "http://" + args.address + ":" + std::to_string(tvsim_http_port(found.http)) +
                       TVSIM_DESCRIPTION_PATH;
    found.ssdp = tvsim_ssdp_start(loop, options);
    if (!found.ssdp)
        return false;
    fprintf(stderr, "kanvio-tvsim: discoverable as %s at %s\n", identity.udn.c_str(), options.location.c_str());
    return true;
}

// Says goodbye on SSDP before the description goes away.
static void stop_discovery(discovery &found)
{
    tvsim_ssdp_stop(found.ssdp);
    tvsim_http_stop(found.http);
}

static int serve(tvsim_store &store, const arguments &args)
{
    running_loop = tvsim_loop_new();
    if (!running_loop) {
        fprintf(stderr, "kanvio-tvsim: cannot create the event loop\n");
        return 1;
    }
    catch_stop_signals();
    tvsim_transfer *transfer =
        tvsim_transfer_start(running_loop, &store, args.address.c_str(), args.port, args.fault);
    int status = 1;
    discovery found;
    if (transfer && (!args.ssdp || start_discovery(running_loop, args, found))) {
        fprintf(stderr, "kanvio-tvsim: %s on %s:%u\n",
                args.fault == TVSIM_FAULT_REFUSE      ? "refusing connections"
                : args.fault == TVSIM_FAULT_NO_ANSWER ? "leaving connections unanswered"
                                                      : "listening",
                args.address.c_str(), tvsim_transfer_port(transfer));
        status = tvsim_loop_run(running_loop) == 0 ? 0 : 1;
        fprintf(stderr, "kanvio-tvsim: stopped\n");
    }
    stop_discovery(found);
    tvsim_transfer_stop(transfer);
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    tvsim_loop_free(running_loop);
    running_loop = nullptr;
    return status;
}

static bool asks_for_help(int argc, char **argv)
{
    for (int i = 1; i < argc; i++)
        if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0)
            return true;
    return false;
}

int main(int argc, char **argv)
{
    if (asks_for_help(argc, argv)) {
        print_usage(stdout);
        return 0;
    }
    arguments args;
    if (!parse_arguments(argc, argv, args)) {
        print_usage(stderr);
        return 2;
    }
    if (svl_sockets_startup() != 0) {
        fprintf(stderr, "kanvio-tvsim: socket start-up failed\n");
        return 1;
    }
    tvsim_store store;
    int status = fill_store(store, args) == 0 ? serve(store, args) : 1;
    tvsim_store_clear(&store);
    svl_sockets_cleanup();
    return status;
}
