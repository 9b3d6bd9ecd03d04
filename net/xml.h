// A small, forgiving XML reader for UPnP description documents. It turns
// text into a tree of element, text and special nodes without validating
// it, and answers path queries such as "root/device" or
// "serviceList/service?id=2". Malformed markup is never rejected: unmatched
// end tags climb to the parent and unknown markup becomes special nodes.
// The reader never touches a socket: xml_fetch.h loads a document over HTTP.
// The parser and the tree are xml.cpp, the path queries xml_query.cpp and
// the text replacement xml_replace.cpp.
#pragma once

// Elements nested deeper than this are refused, so a hostile document
// cannot make the tree (or anything walking it) unbounded in depth.
enum { XML_MAX_DEPTH = 256 };

// Why xml_parse returned -1 (xml_parser.error).
enum {
    XML_OK = 0,
    XML_ERROR_NULL,    // no text was given
    XML_ERROR_MEMORY,  // an allocation failed
    XML_ERROR_DEPTH,   // elements nested deeper than XML_MAX_DEPTH
};

struct xml_attribute {
    char *name;            // points into the element's name buffer
    char *value;           // likewise; null when the attribute has no "="
    xml_attribute *next;
};

// One node of the tree. An element's name is its tag name (the attributes
// were cut out of the same buffer); a special node's name is its raw token
// text (beginning with "!" or "?"); a text node has no name but text.
struct xml_node {
    char *name;
    char *text;
    xml_node *parent;
    xml_node *first_child;
    xml_node *last_child;
    xml_node *next_sibling;
    xml_attribute *first_attribute;
    xml_attribute *last_attribute;
};

enum xml_state {
    XML_STATE_TEXT = 0,
    XML_STATE_OPENING,
    XML_STATE_CONTENT,
};

// Parser state; zero it before the first xml_parse. It survives between
// calls, so a document may be parsed in consecutive pieces. The tree under
// root belongs to the caller, who releases it with xml_free.
struct xml_parser {
    xml_node *root;
    xml_node *current;
    int token;              // index into the token table while opening or in content
    char *gathered;         // token text gathered so far (the opening without "<", then content)
    unsigned long length;   // characters in gathered
    unsigned long capacity;
    unsigned long position; // characters of the opening matched so far
    int self_closing;
    xml_state state;
    int depth;              // elements open above the current node
    int error;              // XML_ERROR_..., set when xml_parse returned -1
};

// Parses a NUL-terminated piece of a document into parser->root (created
// on first use). 0 on success; -1 for a null text, no memory or too deep
// nesting, with the reason in parser->error. Release the gathered token
// text with xml_parser_end when done, whatever the result.
int xml_parse(xml_parser *parser, const char *text);

// Releases the parser's own buffer (not the tree).
void xml_parser_end(xml_parser *parser);

// Releases the node, all its descendants and their attributes; null is
// allowed. A node that still has a parent must be the last thing freed
// from that tree: it is not unlinked.
void xml_free(xml_node *node);

// The first descendant of node matching path, or null. The path is split at
// "/"; each segment is a name (compared without regard to case), optionally
// followed by "?" and filters joined by "&", each a key or key=value
// matched exactly against the element's attributes.
xml_node *xml_find(xml_node *node, const char *path);

// The next node after node (found with the same path) that matches the
// path's last segment, also among the children of following matches of
// the earlier segments; null when there is none.
xml_node *xml_next(xml_node *node, const char *path);

// The character data of all text nodes below node in document order, as a
// new heap text released with free(); null when there is none or it is
// empty, or node is null.
char *xml_text(const xml_node *node);

// xml_text of xml_find(node, path).
char *xml_get_text(xml_node *node, const char *path);

// The integer value of xml_get_text(node, path); 0 when absent.
int xml_get_int(xml_node *node, const char *path);

// The floating-point value of xml_get_text(node, path); 0.0 when absent.
double xml_get_double(xml_node *node, const char *path);

// Copies the namespace prefix of node's name (the part before the first
// ":") into out, which holds 255 bytes. 0 on success; -1 when the name has
// no ":" or the prefix is longer than 254 characters.
int xml_prefix(const xml_node *node, char *out);

// A new heap text (released with free()) with every occurrence of search
// in text replaced, scanning left to right without overlap. Null for a
// null text or no memory; an empty or null search gives a copy.
char *str_replace_all(const char *text, const char *search, const char *replacement);
