// The reader of UPnP device descriptions: fetches the description at a
// device's LOCATION, and for each service with a control URL its service
// description, into plain records. Every text is a heap string or null;
// every list holds its entries in reverse document order.
#pragma once

struct upnp_icon {
    char *mimetype;
    int width;
    int height;
    int depth;
    char *url;  // resolved
    upnp_icon *next;
};

struct upnp_text_list {
    char *text;
    upnp_text_list *next;
};

struct upnp_state_variable {
    char *name;
    char *dataType;
    char *defaultValue;
    upnp_text_list *allowedValues;
    double minimum;
    double maximum;
    double step;
    upnp_state_variable *next;
};

struct upnp_argument {
    char *name;
    int direction;  // 0 in, 1 out (also when the direction is missing)
    int retval;     // 1 when the argument has a retval element
    char *relatedStateVariable;
    upnp_argument *next;
};

struct upnp_action {
    char *name;
    upnp_argument *arguments;
    upnp_action *next;
};

struct upnp_service {
    char *serviceId;
    char *serviceType;
    char *SCPDURL;      // resolved
    char *controlURL;   // resolved
    char *eventSubURL;  // resolved
    upnp_action *actions;
    upnp_state_variable *stateVariables;
    upnp_service *next;
};

struct upnp_description {
    char *deviceType;
    char *friendlyName;
    char *manufacturer;
    char *manufacturerUrl;  // resolved
    char *modelDescription;
    char *modelName;
    char *modelNumber;
    char *modelUrl;         // resolved
    char *serialNumber;
    char *UDN;
    char *UPC;
    upnp_icon *icons;
    upnp_service *services;
    char *presentationUrl;  // resolved
};

// Fetches and reads the device description at location into description,
// which is zeroed first. 0 on success, also for a document without
// root/device (the record stays empty); -1 when description is null, the
// document cannot be fetched or parsed, or its specVersion/major is not a
// positive integer. Release the record with upnp_free_description in every
// case. Blocks for one HTTP request, plus one per service with a control URL.
int upnp_fetch_description(upnp_description *description, const char *location);

// upnp_fetch_description with a wait for each peer of wait_ms milliseconds
// instead of the HTTP client's default (0 keeps the default).
int upnp_fetch_description_with_wait(upnp_description *description, const char *location, int wait_ms);

// Releases every text and list entry of the record and zeroes it; null is
// allowed.
void upnp_free_description(upnp_description *description);

// The absolute form of url against base, as a heap text released with
// free(). url is a heap text that is consumed: it is returned as it is or
// released when a new text replaces it. A null base or url gives url.
// url with a scheme stays as it is; a url beginning with "/" replaces the
// path of base; any other url is joined to base with one "/" between.
// Null when memory runs out (url is released then).
char *upnp_resolve_url(const char *base, char *url);
