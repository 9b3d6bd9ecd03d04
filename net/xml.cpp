// The XML reader's parser: from text, in pieces, to a tree, and the tree's
// release. The path queries over the tree are xml_query.cpp; fetching a
// document over HTTP is xml_fetch.cpp.
#include "net/xml.h"

#include <cstdlib>
#include <cstring>

#include "net/xml_internal.h"

namespace {

enum {
    XML_TOKEN_ELEMENT = 0,
    XML_TOKEN_END_TAG,
    XML_TOKEN_PROCESSING,
    XML_TOKEN_DECLARATION,
    XML_TOKEN_COMMENT,
    XML_TOKEN_CDATA,
    XML_TOKEN_COUNT,
};

struct xml_token_kind {
    const char *opening;
    const char *closing;
};

// Listed in the order that breaks ties between openings of equal length.
const xml_token_kind xml_tokens[XML_TOKEN_COUNT] = {
    { "<", ">" },
    { "</", ">" },
    { "<?", "?>" },
    { "<!", ">" },
    { "<!--", "-->" },
    { "<![CDATA[", "]]>" },
};

int xml_fail(xml_parser *parser, int error)
{
    parser->error = error;
    return -1;
}

bool xml_is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// ------------------------------------------------------------ tree

xml_node *xml_add_child(xml_node *parent)
{
    xml_node *node = static_cast<xml_node *>(calloc(1, sizeof(xml_node)));
    if (!node)
        return nullptr;
    node->parent = parent;
    if (parent->last_child)
        parent->last_child->next_sibling = node;
    else
        parent->first_child = node;
    parent->last_child = node;
    return node;
}

void xml_free_one(xml_node *node)
{
    xml_attribute *attribute = node->first_attribute;
    while (attribute) {
        xml_attribute *next = attribute->next;
        free(attribute);
        attribute = next;
    }
    free(node->name);
    free(node->text);
    free(node);
}

}  // namespace

// Iterative, so a deep tree cannot exhaust the stack: each child is taken
// off its parent's list before descending, and the walk climbs back up
// through the parent links.
void xml_free(xml_node *node)
{
    xml_node *current = node;
    while (current) {
        xml_node *child = current->first_child;
        if (child) {
            current->first_child = child->next_sibling;
            current = child;
            continue;
        }
        xml_node *up = current == node ? nullptr : current->parent;
        xml_free_one(current);
        current = up;
    }
}

// ---------------------------------------------------------- parsing

namespace {

bool xml_gather(xml_parser *parser, char c)
{
    if (parser->length + 1 >= parser->capacity) {
        unsigned long capacity = parser->capacity ? parser->capacity * 2 : 64;
        char *grown = static_cast<char *>(realloc(parser->gathered, capacity));
        if (!grown)
            return false;
        parser->gathered = grown;
        parser->capacity = capacity;
    }
    parser->gathered[parser->length++] = c;
    parser->gathered[parser->length] = '\0';
    return true;
}

int xml_append_text(xml_parser *parser, const char *data, size_t length)
{
    xml_node *node = parser->current;
    if (!xml_is_text_node(node)) {
        node = xml_add_child(parser->current);
        if (!node)
            return xml_fail(parser, XML_ERROR_MEMORY);
        node->text = static_cast<char *>(calloc(1, 1));
        if (!node->text)
            return xml_fail(parser, XML_ERROR_MEMORY);
        parser->current = node;
    }
    size_t old_length = strlen(node->text);
    char *grown = static_cast<char *>(realloc(node->text, old_length + length + 1));
    if (!grown)
        return xml_fail(parser, XML_ERROR_MEMORY);
    memcpy(grown + old_length, data, length);
    grown[old_length + length] = '\0';
    node->text = grown;
    return 0;
}

void xml_close_text_node(xml_parser *parser)
{
    if (xml_is_text_node(parser->current))
        parser->current = parser->current->parent;
}

bool xml_opening_extends(const xml_parser *parser, char c, int *extended)
{
    const char *matched = xml_tokens[parser->token].opening;
    for (int t = 0; t < XML_TOKEN_COUNT; ++t) {
        const char *opening = xml_tokens[t].opening;
        if (strlen(opening) > parser->position && strncmp(opening, matched, parser->position) == 0
            && opening[parser->position] == c) {
            *extended = t;
            return true;
        }
    }
    return false;
}

// The longest token whose whole opening lies within what was matched.
int xml_settle_token(const xml_parser *parser)
{
    const char *matched = xml_tokens[parser->token].opening;
    int best = XML_TOKEN_ELEMENT;
    for (int t = 0; t < XML_TOKEN_COUNT; ++t) {
        size_t length = strlen(xml_tokens[t].opening);
        if (length <= parser->position && strncmp(xml_tokens[t].opening, matched, length) == 0
            && length > strlen(xml_tokens[best].opening))
            best = t;
    }
    return best;
}

bool xml_is_special(int token)
{
    return token != XML_TOKEN_ELEMENT && token != XML_TOKEN_END_TAG;
}

int xml_content_char(xml_parser *parser, char c);

// A character that extends no opening: the token is settled, and what was
// matched beyond its opening, followed by c, is its content.
int xml_begin_content(xml_parser *parser, char c)
{
    const char *matched = xml_tokens[parser->token].opening;
    size_t matched_length = parser->position;
    parser->token = xml_settle_token(parser);
    size_t opening_length = strlen(xml_tokens[parser->token].opening);
    parser->length = 0;
    parser->position = opening_length;
    parser->state = XML_STATE_CONTENT;
    if (xml_is_special(parser->token)) {
        for (size_t i = 1; i < opening_length; ++i) {
            if (!xml_gather(parser, matched[i]))
                return xml_fail(parser, XML_ERROR_MEMORY);
        }
    }
    for (size_t i = opening_length; i < matched_length; ++i) {
        if (xml_content_char(parser, matched[i]) != 0)
            return -1;
    }
    return xml_content_char(parser, c);
}

int xml_opening_char(xml_parser *parser, char c)
{
    int extended;
    if (xml_opening_extends(parser, c, &extended)) {
        parser->token = extended;
        ++parser->position;
        return 0;
    }
    return xml_begin_content(parser, c);
}

bool xml_add_attribute(xml_node *element, char *name, char *value)
{
    xml_attribute *attribute = static_cast<xml_attribute *>(calloc(1, sizeof(xml_attribute)));
    if (!attribute)
        return false;
    attribute->name = name;
    attribute->value = value;
    if (element->last_attribute)
        element->last_attribute->next = attribute;
    else
        element->first_attribute = attribute;
    element->last_attribute = attribute;
    return true;
}

char *xml_skip_space(char *p)
{
    while (xml_is_space(*p))
        ++p;
    return p;
}

// Cuts a quoted value out in place; a backslash keeps the next character
// in the value (and stays itself). Without its closing quote the value is
// empty.
char *xml_cut_quoted(char **cursor)
{
    char *p = *cursor;
    char quote = *p++;
    char *value = p;
    while (*p && *p != quote) {
        if (*p == '\\' && p[1])
            ++p;
        ++p;
    }
    if (*p == quote) {
        *p = '\0';
        *cursor = p + 1;
        return value;
    }
    *cursor = p;
    return p;
}

char *xml_cut_unquoted(char **cursor)
{
    char *p = *cursor;
    char *value = p;
    while (*p && !xml_is_space(*p))
        ++p;
    if (*p)
        *p++ = '\0';
    *cursor = p;
    return value;
}

bool xml_cut_attributes(xml_node *element, char *p)
{
    for (;;) {
        p = xml_skip_space(p);
        char *name = p;
        while (*p && *p != '=' && !xml_is_space(*p))
            ++p;
        if (p == name)
            return true;
        char *name_end = p;
        p = xml_skip_space(p);
        char *value = nullptr;
        if (*p == '=') {
            p = xml_skip_space(p + 1);
            value = (*p == '"' || *p == '\'') ? xml_cut_quoted(&p) : xml_cut_unquoted(&p);
        }
        *name_end = '\0';
        if (!xml_add_attribute(element, name, value))
            return false;
    }
}

// Turns the gathered tag text (without its ">") into an element node.
int xml_finish_element(xml_parser *parser)
{
    char *tag = parser->gathered;
    size_t length = parser->length - 1;
    while (length > 0 && xml_is_space(tag[length - 1]))
        --length;
    bool self_closing = length > 0 && tag[length - 1] == '/';
    if (self_closing)
        --length;
    parser->self_closing = self_closing;
    if (!self_closing && parser->depth >= XML_MAX_DEPTH)
        return xml_fail(parser, XML_ERROR_DEPTH);

    xml_node *element = xml_add_child(parser->current);
    if (!element)
        return xml_fail(parser, XML_ERROR_MEMORY);
    element->name = static_cast<char *>(malloc(length + 1));
    if (!element->name)
        return xml_fail(parser, XML_ERROR_MEMORY);
    memcpy(element->name, tag, length);
    element->name[length] = '\0';

    char *name_end = element->name;
    while (*name_end && !xml_is_space(*name_end))
        ++name_end;
    if (*name_end) {
        *name_end = '\0';
        if (!xml_cut_attributes(element, name_end + 1))
            return xml_fail(parser, XML_ERROR_MEMORY);
    }
    if (!self_closing) {
        parser->current = element;
        ++parser->depth;
    }
    return 0;
}

int xml_finish_special(xml_parser *parser)
{
    xml_node *node = xml_add_child(parser->current);
    if (!node)
        return xml_fail(parser, XML_ERROR_MEMORY);
    size_t length = parser->length - 1;
    node->name = static_cast<char *>(malloc(length + 1));
    if (!node->name)
        return xml_fail(parser, XML_ERROR_MEMORY);
    memcpy(node->name, parser->gathered, length);
    node->name[length] = '\0';
    return 0;
}

void xml_finish_end_tag(xml_parser *parser)
{
    if (parser->current->parent) {
        parser->current = parser->current->parent;
        --parser->depth;
    }
}

int xml_finish_token(xml_parser *parser)
{
    int result = 0;
    if (parser->token == XML_TOKEN_ELEMENT)
        result = xml_finish_element(parser);
    else if (parser->token == XML_TOKEN_END_TAG)
        xml_finish_end_tag(parser);
    else
        result = xml_finish_special(parser);
    parser->state = XML_STATE_TEXT;
    parser->length = 0;
    return result;
}

// Whether the content gathered after the opening ends with the closing.
bool xml_closing_complete(const xml_parser *parser)
{
    const char *closing = xml_tokens[parser->token].closing;
    size_t closing_length = strlen(closing);
    size_t content_start = xml_is_special(parser->token) ? parser->position - 1 : 0;
    if (parser->length < content_start + closing_length)
        return false;
    return memcmp(parser->gathered + parser->length - closing_length, closing, closing_length) == 0;
}

int xml_content_char(xml_parser *parser, char c)
{
    if (!xml_gather(parser, c))
        return xml_fail(parser, XML_ERROR_MEMORY);
    if (xml_closing_complete(parser))
        return xml_finish_token(parser);
    return 0;
}

int xml_begin_root(xml_parser *parser)
{
    if (parser->root)
        return 0;
    parser->root = static_cast<xml_node *>(calloc(1, sizeof(xml_node)));
    if (!parser->root)
        return xml_fail(parser, XML_ERROR_MEMORY);
    parser->current = parser->root;
    parser->state = XML_STATE_TEXT;
    parser->depth = 0;
    return 0;
}

// Character data up to the next "<" or the end of the piece.
int xml_text_run(xml_parser *parser, const char **cursor)
{
    const char *start = *cursor;
    const char *end = strchr(start, '<');
    if (!end)
        end = start + strlen(start);
    *cursor = end;
    if (end > start && xml_append_text(parser, start, static_cast<size_t>(end - start)) != 0)
        return -1;
    if (*end == '<') {
        xml_close_text_node(parser);
        parser->state = XML_STATE_OPENING;
        parser->token = XML_TOKEN_ELEMENT;
        parser->position = 1;
        *cursor = end + 1;
    }
    return 0;
}

}  // namespace

int xml_parse(xml_parser *parser, const char *text)
{
    if (!parser)
        return -1;
    if (!text)
        return xml_fail(parser, XML_ERROR_NULL);
    if (parser->error != XML_OK || xml_begin_root(parser) != 0)
        return -1;
    const char *cursor = text;
    while (*cursor) {
        int result;
        if (parser->state == XML_STATE_TEXT)
            result = xml_text_run(parser, &cursor);
        else if (parser->state == XML_STATE_OPENING)
            result = xml_opening_char(parser, *cursor++);
        else
            result = xml_content_char(parser, *cursor++);
        if (result != 0)
            return -1;
    }
    return 0;
}

void xml_parser_end(xml_parser *parser)
{
    if (!parser)
        return;
    free(parser->gathered);
    parser->gathered = nullptr;
    parser->length = 0;
    parser->capacity = 0;
}
