// The reader of UPnP device descriptions: URLs resolved against the
// description's base, the description and its service descriptions walked
// into records, and the records released.
#include "net/upnp.h"
#include "net/upnp_internal.h"

#include "net/http.h"
#include "net/xml_fetch.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

// ------------------------------------------------------------- URLs

namespace {

// Where the host part of a URL begins: after "://", or at the start.
const char *upnp_host_start(const char *url)
{
    const char *scheme_end = strstr(url, "://");
    return scheme_end ? scheme_end + 3 : url;
}

bool upnp_has_scheme(const char *url)
{
    const char *p = url;
    if (!isalpha(static_cast<unsigned char>(*p)))
        return false;
    while (isalnum(static_cast<unsigned char>(*p)) || *p == '+' || *p == '-' || *p == '.')
        ++p;
    return strncmp(p, "://", 3) == 0 || strncmp(url, "http:", 5) == 0;
}

char *upnp_join(const char *base, size_t base_length, const char *url)
{
    bool base_slash = base_length > 0 && base[base_length - 1] == '/';
    bool url_slash = url[0] == '/';
    if (base_slash && url_slash)
        ++url;
    bool insert_slash = !base_slash && !url_slash;
    size_t url_length = strlen(url);
    char *joined = static_cast<char *>(malloc(base_length + insert_slash + url_length + 1));
    if (!joined)
        return nullptr;
    memcpy(joined, base, base_length);
    if (insert_slash)
        joined[base_length] = '/';
    memcpy(joined + base_length + insert_slash, url, url_length + 1);
    return joined;
}

}  // namespace

char *upnp_resolve_url(const char *base, char *url)
{
    if (!base || !url || upnp_has_scheme(url) || !*base)
        return url;
    size_t base_length = strlen(base);
    if (url[0] == '/') {
        // An absolute path keeps only the scheme and host of the base:
        // joining it to the base's directory would name another document.
        const char *host = upnp_host_start(base);
        const char *path = strchr(host, '/');
        if (path)
            base_length = static_cast<size_t>(path - base);
    }
    char *joined = upnp_join(base, base_length, url);
    free(url);
    return joined;
}

char *upnp_base_url(const char *location)
{
    if (!location)
        return nullptr;
    size_t length = strcspn(location, "?");
    while (length > 0 && (location[length - 1] == ' ' || location[length - 1] == '\t'))
        --length;
    const char *host = upnp_host_start(location);
    size_t host_offset = static_cast<size_t>(host - location);
    if (host_offset > length)
        host_offset = length;
    const char *last_slash = nullptr;
    for (size_t i = host_offset; i < length; ++i) {
        if (location[i] == '/')
            last_slash = location + i;
    }
    size_t kept = last_slash ? static_cast<size_t>(last_slash - location) + 1 : length;
    char *base = static_cast<char *>(malloc(kept + 2));
    if (!base)
        return nullptr;
    memcpy(base, location, kept);
    if (!last_slash)
        base[kept++] = '/';
    base[kept] = '\0';
    return base;
}

// ------------------------------------------------------ documents

namespace {

xml_node *upnp_fetch_tree(const char *url, int wait_ms)
{
    int sock = url_get(url);
    if (sock < 0)
        return nullptr;
    xml_node *tree = nullptr;
    xml_fetch_with_wait(&tree, sock, wait_ms);
    return tree;
}

// Walks a repeated element: the first match of path below node, then the
// following ones as long as they share its parent.
struct upnp_walk {
    const char *path;
    xml_node *first;
    xml_node *current;
};

xml_node *upnp_walk_start(upnp_walk *walk, xml_node *node, const char *path)
{
    walk->path = path;
    walk->first = xml_find(node, path);
    walk->current = walk->first;
    return walk->current;
}

xml_node *upnp_walk_next(upnp_walk *walk, bool same_parent)
{
    xml_node *next = xml_next(walk->current, walk->path);
    if (next && same_parent && next->parent != walk->first->parent)
        next = nullptr;
    walk->current = next;
    return next;
}

void upnp_read_allowed_values(upnp_state_variable *variable, xml_node *node)
{
    upnp_walk walk;
    for (xml_node *n = upnp_walk_start(&walk, node, "allowedValueList/allowedValue"); n;
         n = upnp_walk_next(&walk, true)) {
        upnp_text_list *value = static_cast<upnp_text_list *>(calloc(1, sizeof(upnp_text_list)));
        if (!value)
            return;
        value->text = xml_text(n);
        value->next = variable->allowedValues;
        variable->allowedValues = value;
    }
}

void upnp_read_state_variables(upnp_service *service, xml_node *scpd)
{
    upnp_walk walk;
    for (xml_node *n = upnp_walk_start(&walk, scpd, "scpd/serviceStateTable/stateVariable"); n;
         n = upnp_walk_next(&walk, false)) {
        upnp_state_variable *variable = static_cast<upnp_state_variable *>(calloc(1, sizeof(upnp_state_variable)));
        if (!variable)
            return;
        variable->name = xml_get_text(n, "name");
        variable->dataType = xml_get_text(n, "dataType");
        variable->defaultValue = xml_get_text(n, "defaultValue");
        upnp_read_allowed_values(variable, n);
        variable->minimum = xml_get_double(n, "minimum");
        variable->maximum = xml_get_double(n, "maximum");
        variable->step = xml_get_double(n, "step");
        variable->next = service->stateVariables;
        service->stateVariables = variable;
    }
}

int upnp_direction(xml_node *argument)
{
    char *direction = xml_get_text(argument, "direction");
    int result = direction && strncmp(direction, "in", 2) == 0 ? 0 : 1;
    free(direction);
    return result;
}

void upnp_read_arguments(upnp_action *action, xml_node *node)
{
    upnp_walk walk;
    for (xml_node *n = upnp_walk_start(&walk, node, "argumentList/argument"); n;
         n = upnp_walk_next(&walk, true)) {
        upnp_argument *argument = static_cast<upnp_argument *>(calloc(1, sizeof(upnp_argument)));
        if (!argument)
            return;
        argument->name = xml_get_text(n, "name");
        argument->direction = upnp_direction(n);
        argument->retval = xml_find(n, "retval") ? 1 : 0;
        argument->relatedStateVariable = xml_get_text(n, "relatedStateVariable");
        argument->next = action->arguments;
        action->arguments = argument;
    }
}

void upnp_read_actions(upnp_service *service, xml_node *scpd)
{
    upnp_walk walk;
    for (xml_node *n = upnp_walk_start(&walk, scpd, "scpd/actionList/action"); n;
         n = upnp_walk_next(&walk, false)) {
        upnp_action *action = static_cast<upnp_action *>(calloc(1, sizeof(upnp_action)));
        if (!action)
            return;
        action->name = xml_get_text(n, "name");
        upnp_read_arguments(action, n);
        action->next = service->actions;
        service->actions = action;
    }
}

void upnp_read_scpd(upnp_service *service, int wait_ms)
{
    xml_node *scpd = upnp_fetch_tree(service->SCPDURL, wait_ms);
    if (!scpd)
        return;
    upnp_read_state_variables(service, scpd);
    upnp_read_actions(service, scpd);
    xml_free(scpd);
}

void upnp_read_services(upnp_description *description, xml_node *device, const char *base,
                        int wait_ms)
{
    int fetches = 0;
    upnp_walk walk;
    for (xml_node *n = upnp_walk_start(&walk, device, "serviceList/service"); n;
         n = upnp_walk_next(&walk, true)) {
        upnp_service *service = static_cast<upnp_service *>(calloc(1, sizeof(upnp_service)));
        if (!service)
            return;
        service->serviceId = xml_get_text(n, "serviceId");
        service->serviceType = xml_get_text(n, "serviceType");
        service->SCPDURL = upnp_resolve_url(base, xml_get_text(n, "SCPDURL"));
        service->controlURL = upnp_resolve_url(base, xml_get_text(n, "controlURL"));
        service->eventSubURL = upnp_resolve_url(base, xml_get_text(n, "eventSubURL"));
        service->next = description->services;
        description->services = service;
        if (service->controlURL && service->SCPDURL && fetches < UPNP_MAX_SCPD_FETCHES) {
            ++fetches;
            upnp_read_scpd(service, wait_ms);
        }
    }
}

void upnp_read_icons(upnp_description *description, xml_node *device, const char *base)
{
    upnp_walk walk;
    for (xml_node *n = upnp_walk_start(&walk, device, "iconList/icon"); n; n = upnp_walk_next(&walk, true)) {
        upnp_icon *icon = static_cast<upnp_icon *>(calloc(1, sizeof(upnp_icon)));
        if (!icon)
            return;
        icon->mimetype = xml_get_text(n, "mimetype");
        icon->url = upnp_resolve_url(base, xml_get_text(n, "url"));
        icon->width = xml_get_int(n, "width");
        icon->height = xml_get_int(n, "height");
        icon->depth = xml_get_int(n, "depth");
        icon->next = description->icons;
        description->icons = icon;
    }
}

void upnp_read_texts(upnp_description *d, xml_node *device, const char *base)
{
    d->deviceType = xml_get_text(device, "deviceType");
    d->friendlyName = xml_get_text(device, "friendlyName");
    d->manufacturer = xml_get_text(device, "manufacturer");
    d->manufacturerUrl = upnp_resolve_url(base, xml_get_text(device, "manufacturerUrl"));
    d->modelDescription = xml_get_text(device, "modelDescription");
    d->modelName = xml_get_text(device, "modelName");
    d->modelNumber = xml_get_text(device, "modelNumber");
    d->modelUrl = upnp_resolve_url(base, xml_get_text(device, "modelUrl"));
    d->serialNumber = xml_get_text(device, "serialNumber");
    d->UDN = xml_get_text(device, "UDN");
    d->UPC = xml_get_text(device, "UPC");
    d->presentationUrl = upnp_resolve_url(base, xml_get_text(device, "presentationUrl"));
}

}  // namespace

int upnp_read_document(upnp_description *description, xml_node *document, const char *location, int wait_ms)
{
    xml_node *version = xml_find(document, "root/specVersion");
    if (version && xml_get_int(version, "major") <= 0)
        return -1;
    xml_node *device = xml_find(document, "root/device");
    if (!device)
        return 0;
    char *base = xml_get_text(document, "root/URLBase");
    if (!base)
        base = upnp_base_url(location);
    upnp_read_texts(description, device, base);
    upnp_read_icons(description, device, base);
    upnp_read_services(description, device, base, wait_ms);
    free(base);
    return 0;
}

int upnp_fetch_description(upnp_description *description, const char *location)
{
    return upnp_fetch_description_with_wait(description, location, 0);
}

int upnp_fetch_description_with_wait(upnp_description *description, const char *location, int wait_ms)
{
    if (!description)
        return -1;
    memset(description, 0, sizeof *description);
    xml_node *document = upnp_fetch_tree(location, wait_ms);
    if (!document)
        return -1;
    int result = upnp_read_document(description, document, location, wait_ms);
    xml_free(document);
    return result;
}

// ------------------------------------------------------- releasing

namespace {

void upnp_free_arguments(upnp_argument *argument)
{
    while (argument) {
        upnp_argument *next = argument->next;
        free(argument->name);
        free(argument->relatedStateVariable);
        free(argument);
        argument = next;
    }
}

void upnp_free_actions(upnp_action *action)
{
    while (action) {
        upnp_action *next = action->next;
        free(action->name);
        upnp_free_arguments(action->arguments);
        free(action);
        action = next;
    }
}

void upnp_free_text_list(upnp_text_list *entry)
{
    while (entry) {
        upnp_text_list *next = entry->next;
        free(entry->text);
        free(entry);
        entry = next;
    }
}

void upnp_free_state_variables(upnp_state_variable *variable)
{
    while (variable) {
        upnp_state_variable *next = variable->next;
        free(variable->name);
        free(variable->dataType);
        free(variable->defaultValue);
        upnp_free_text_list(variable->allowedValues);
        free(variable);
        variable = next;
    }
}

void upnp_free_services(upnp_service *service)
{
    while (service) {
        upnp_service *next = service->next;
        free(service->serviceId);
        free(service->serviceType);
        free(service->SCPDURL);
        free(service->controlURL);
        free(service->eventSubURL);
        upnp_free_actions(service->actions);
        upnp_free_state_variables(service->stateVariables);
        free(service);
        service = next;
    }
}

void upnp_free_icons(upnp_icon *icon)
{
    while (icon) {
        upnp_icon *next = icon->next;
        free(icon->mimetype);
        free(icon->url);
        free(icon);
        icon = next;
    }
}

}  // namespace

void upnp_free_description(upnp_description *d)
{
    if (!d)
        return;
    char *texts[] = {
        d->deviceType, d->friendlyName, d->manufacturer, d->manufacturerUrl,
        d->modelDescription, d->modelName, d->modelNumber, d->modelUrl,
        d->serialNumber, d->UDN, d->UPC, d->presentationUrl,
    };
    for (char *text : texts)
        free(text);
    upnp_free_icons(d->icons);
    upnp_free_services(d->services);
    memset(d, 0, sizeof *d);
}
