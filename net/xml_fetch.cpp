// Loading an XML document over HTTP: the body of the response, the three
// entities replaced in the raw text, then the XML reader.
#include "net/xml_fetch.h"

#include "net/http.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

// Appends a piece to the growing body; bodies never exceed URL_MAX_BODY.
bool xml_append_body(char **body, size_t *length, size_t *capacity, const char *piece,
                     size_t piece_length, long content_length)
{
    size_t needed = *length + piece_length + 1;
    if (needed > *capacity) {
        size_t grown = *capacity ? *capacity * 2 : 4096;
        if (content_length >= 0 && *capacity == 0)
            grown = static_cast<size_t>(content_length) + 1;
        if (grown < needed)
            grown = needed;
        char *bigger = static_cast<char *>(realloc(*body, grown));
        if (!bigger)
            return false;
        *body = bigger;
        *capacity = grown;
    }
    memcpy(*body + *length, piece, piece_length);
    *length += piece_length;
    (*body)[*length] = '\0';
    return true;
}

// The whole body of the response on sock as a heap text, or null.
char *xml_read_body(int sock, int wait_ms)
{
    url_response response;
    memset(&response, 0, sizeof response);
    response.wait_ms = wait_ms;
    char *body = nullptr;
    size_t length = 0;
    size_t capacity = 0;
    int result;
    while ((result = url_read_piece(sock, &response)) == 1) {
        if (!xml_append_body(&body, &length, &capacity, response.piece, response.piece_length,
                             response.content_length)) {
            result = -1;
            break;
        }
    }
    if (result != 0 || length == 0) {
        free(body);
        return nullptr;
    }
    return body;
}

// Only these three entities are translated, before parsing, so an escaped
// tag inside a description becomes real markup.
char *xml_replace_entities(char *text)
{
    static const char *const entities[][2] = {
        { "&lt;", "<" },
        { "&gt;", ">" },
        { "&quot;", "\"" },
    };
    for (const auto &entity : entities) {
        char *replaced = str_replace_all(text, entity[0], entity[1]);
        free(text);
        if (!replaced)
            return nullptr;
        text = replaced;
    }
    return text;
}

}  // namespace

int xml_fetch(xml_node **root, int sock)
{
    return xml_fetch_with_wait(root, sock, 0);
}

int xml_fetch_with_wait(xml_node **root, int sock, int wait_ms)
{
    if (root)
        *root = nullptr;
    if (sock < 0)
        return -1;
    char *text = root ? xml_read_body(sock, wait_ms) : nullptr;
    close(sock);
    text = text ? xml_replace_entities(text) : nullptr;
    if (!text)
        return -1;
    xml_parser parser;
    memset(&parser, 0, sizeof parser);
    int result = xml_parse(&parser, text);
    xml_parser_end(&parser);
    free(text);
    if (result != 0) {
        xml_free(parser.root);
        return -1;
    }
    *root = parser.root;
    return 0;
}
