// Loading an XML document over HTTP: reads the response to a GET (see
// url_get in http.h), prepares the raw text and parses it with the XML
// reader of xml.h.
#pragma once

#include "net/xml.h"

// Reads the response to a GET sent on sock, replaces "&lt;", "&gt;" and
// "&quot;" in the raw text and parses it into *root, which the caller
// releases with xml_free. Closes sock. 0 on success; -1 when the response
// could not be read completely or parsed, with *root null. The HTTP status
// is not examined: an error page that parses gives its tree.
int xml_fetch(xml_node **root, int sock);

// xml_fetch with a wait for the peer of wait_ms milliseconds instead of
// the default (0 keeps the default).
int xml_fetch_with_wait(xml_node **root, int sock, int wait_ms);
