// kanvio-cli discover: the TV sets (or any UPnP devices) on the local
// network, as the editor's exchange dialog finds them.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "net/http.h"
#include "net/ssdp.h"
#include "net/upnp.h"
#include "svl/svl_sockets.h"
#include "tools/cli/cli.h"

namespace {

enum {
    DEFAULT_SECONDS = 3,
    MAX_SECONDS = 3600,
    DESCRIPTION_WAIT_MS = 5000,  // a set that is silent this long gets no name
};

struct discover_options {
    uint64_t seconds = DEFAULT_SECONDS;
    const char *target = SSDP_TV_DEVICE_TYPE;
};

struct found_device {
    std::string type;
    std::string location;
};

bool parse_discover_arguments(int argc, char **argv, discover_options *options, std::string *problem)
{
    for (int i = 1; i < argc; i += 2) {
        const char *value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (strcmp(argv[i], "--seconds") == 0) {
            if (!value || !cli_parse_number(value, MAX_SECONDS, &options->seconds) || options->seconds == 0) {
                *problem = "--seconds needs a number from 1 to 3600";
                return false;
            }
        } else if (strcmp(argv[i], "--target") == 0) {
            if (!value || !value[0] || strlen(value) > SSDP_TARGET_MAX) {
                *problem = "--target needs a search target of 1 to 511 characters";
                return false;
            }
            options->target = value;
        } else {
            *problem = std::string("unexpected argument '") + argv[i] + "'";
            return false;
        }
    }
    return true;
}

// The devices in the engine's cache, oldest first.
std::vector<found_device> cached_devices(ssdp_engine *engine)
{
    std::vector<found_device> devices;
    if (ssdp_lock(engine) != 0)
        return devices;
    for (const ssdp_device *device = engine->devices; device; device = device->next)
        devices.insert(devices.begin(), {device->type, device->location});
    ssdp_unlock(engine);
    return devices;
}

// Searches once and gives what answered or announced itself meanwhile.
int search_devices(const discover_options &options, std::vector<found_device> *devices)
{
    ssdp_engine engine = {};
    if (ssdp_start(&engine) != 0)
        return cli_fail("discover", "cannot listen for SSDP on port 1900");
    if (ssdp_search(&engine, options.target, 1) != 0) {
        ssdp_stop(&engine);
        return cli_fail("discover", "cannot send the search");
    }
    std::this_thread::sleep_for(std::chrono::seconds(options.seconds));
    *devices = cached_devices(&engine);
    ssdp_stop(&engine);
    return CLI_OK;
}

// The host of a URL without its port: the address a transfer uses.
std::string address_of(const std::string &location)
{
    url_parts *parts = url_split(location.c_str());
    std::string host = parts ? parts->host : "";
    url_free_parts(parts);
    return host.substr(0, host.find(':'));
}

// The friendlyName of the description at location; empty when there is none.
std::string friendly_name(const std::string &location)
{
    upnp_description description = {};
    std::string name;
    if (upnp_fetch_description_with_wait(&description, location.c_str(), DESCRIPTION_WAIT_MS) == 0 &&
        description.friendlyName)
        name = description.friendlyName;
    upnp_free_description(&description);
    return name;
}

// One line per device: address, friendly name, type, location, tab-separated.
// Texts come from the network, so control bytes are shown escaped.
std::string device_lines(const std::vector<found_device> &devices)
{
    std::map<std::string, std::string> names;  // per location, fetched once
    std::string out;
    for (const found_device &device : devices) {
        auto known = names.find(device.location);
        if (known == names.end())
            known = names.emplace(device.location, friendly_name(device.location)).first;
        cli_append_printable(out, address_of(device.location).c_str());
        out += '\t';
        cli_append_printable(out, known->second.c_str());
        out += '\t';
        cli_append_printable(out, device.type.c_str());
        out += '\t';
        cli_append_printable(out, device.location.c_str());
        out += '\n';
    }
    return out;
}

}  // namespace

int cli_discover(int argc, char **argv)
{
    discover_options options;
    std::string problem;
    if (!parse_discover_arguments(argc, argv, &options, &problem))
        return cli_usage_error(argv[0], problem);
    if (svl_sockets_startup() != 0)
        return cli_fail("discover", "socket start-up failed");
    std::vector<found_device> devices;
    int status = search_devices(options, &devices);
    if (status == CLI_OK)
        status = cli_write_stdout(device_lines(devices));
    svl_sockets_cleanup();
    return status;
}
