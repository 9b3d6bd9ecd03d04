// Internals of the description reader that tests reach directly.
#pragma once

#include "net/upnp.h"
#include "net/xml.h"

// A hostile description could list thousands of services, each costing a
// blocking request; only this many service descriptions are fetched.
enum { UPNP_MAX_SCPD_FETCHES = 32 };

// The base URL derived from a location: without any query and trailing
// blanks and tabs, cut after the last "/" behind the host, or with a "/"
// appended when there is none. A heap text released with free(), or null
// for a null location or no memory.
char *upnp_base_url(const char *location);

// Fills the zeroed record from a parsed device description; location is
// where it came from. Service descriptions are fetched over HTTP, waiting
// wait_ms for each peer (0: the default). 0, or -1 when specVersion/major
// is present but not a positive integer.
int upnp_read_document(upnp_description *description, xml_node *document, const char *location, int wait_ms);
