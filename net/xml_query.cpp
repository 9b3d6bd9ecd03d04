// The XML reader's path queries over a parsed tree, and the texts and
// numbers they lead to.
#include "net/xml.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "net/xml_internal.h"

namespace {

// Paths come from the program, not from documents; this bounds xml_next.
enum { XML_MAX_SEGMENTS = 32 };

struct xml_segment {
    const char *name;
    size_t name_length;
    const char *filters;  // after the "?", or null
    size_t filters_length;
};

// Splits off the first segment of path; returns the rest after its "/",
// or null when it was the last.
const char *xml_next_segment(const char *path, xml_segment *segment)
{
    const char *slash = strchr(path, '/');
    size_t length = slash ? static_cast<size_t>(slash - path) : strlen(path);
    const char *question = static_cast<const char *>(memchr(path, '?', length));
    segment->name = path;
    segment->name_length = question ? static_cast<size_t>(question - path) : length;
    segment->filters = question ? question + 1 : nullptr;
    segment->filters_length = question ? length - segment->name_length - 1 : 0;
    return slash ? slash + 1 : nullptr;
}

bool xml_attribute_matches(const xml_node *node, const char *key, size_t key_length,
                           const char *value, size_t value_length)
{
    for (const xml_attribute *a = node->first_attribute; a; a = a->next) {
        if (strlen(a->name) != key_length || memcmp(a->name, key, key_length) != 0)
            continue;
        if (!value)
            return true;
        if (a->value && strlen(a->value) == value_length && memcmp(a->value, value, value_length) == 0)
            return true;
    }
    return false;
}

bool xml_filters_match(const xml_node *node, const xml_segment *segment)
{
    const char *p = segment->filters;
    const char *end = p + segment->filters_length;
    while (p && p < end) {
        const char *amp = static_cast<const char *>(memchr(p, '&', static_cast<size_t>(end - p)));
        const char *filter_end = amp ? amp : end;
        const char *equals = static_cast<const char *>(memchr(p, '=', static_cast<size_t>(filter_end - p)));
        const char *key_end = equals ? equals : filter_end;
        const char *value = equals ? equals + 1 : nullptr;
        size_t value_length = equals ? static_cast<size_t>(filter_end - value) : 0;
        if (!xml_attribute_matches(node, p, static_cast<size_t>(key_end - p), value, value_length))
            return false;
        p = amp ? amp + 1 : end;
    }
    return true;
}

bool xml_segment_matches(const xml_node *node, const xml_segment *segment)
{
    if (!node->name || strlen(node->name) != segment->name_length)
        return false;
    if (strncasecmp(node->name, segment->name, segment->name_length) != 0)
        return false;
    return xml_filters_match(node, segment);
}

bool xml_same_name(const xml_node *a, const xml_node *b)
{
    return a->name && b->name && strcasecmp(a->name, b->name) == 0;
}

xml_node *xml_first_child_like(xml_node *parent, const xml_node *model, const xml_segment *segment)
{
    for (xml_node *child = parent->first_child; child; child = child->next_sibling) {
        if (xml_same_name(child, model) && xml_filters_match(child, segment))
            return child;
    }
    return nullptr;
}

// The next match of node, which stands at segments[level]: a following
// sibling, or else a child of a following match of its parent.
xml_node *xml_next_at(xml_node *node, const xml_segment *segments, int level)
{
    for (xml_node *sibling = node->next_sibling; sibling; sibling = sibling->next_sibling) {
        if (xml_same_name(sibling, node) && xml_filters_match(sibling, &segments[level]))
            return sibling;
    }
    if (level == 0 || !node->parent)
        return nullptr;
    for (xml_node *parent = xml_next_at(node->parent, segments, level - 1); parent;
         parent = xml_next_at(parent, segments, level - 1)) {
        xml_node *child = xml_first_child_like(parent, node, &segments[level]);
        if (child)
            return child;
    }
    return nullptr;
}

// Pre-order successor of node within the subtree of top.
const xml_node *xml_walk(const xml_node *node, const xml_node *top)
{
    if (node->first_child)
        return node->first_child;
    while (node != top) {
        if (node->next_sibling)
            return node->next_sibling;
        node = node->parent;
    }
    return nullptr;
}

}  // namespace

xml_node *xml_find(xml_node *node, const char *path)
{
    if (!node || !path)
        return nullptr;
    xml_segment segment;
    const char *rest = xml_next_segment(path, &segment);
    for (xml_node *child = node->first_child; child; child = child->next_sibling) {
        if (!xml_segment_matches(child, &segment))
            continue;
        if (!rest)
            return child;
        xml_node *found = xml_find(child, rest);
        if (found)
            return found;
    }
    return nullptr;
}

xml_node *xml_next(xml_node *node, const char *path)
{
    if (!node || !path)
        return nullptr;
    xml_segment segments[XML_MAX_SEGMENTS];
    int count = 0;
    const char *rest = path;
    while (rest) {
        if (count == XML_MAX_SEGMENTS)
            return nullptr;
        rest = xml_next_segment(rest, &segments[count++]);
    }
    return xml_next_at(node, segments, count - 1);
}

char *xml_text(const xml_node *node)
{
    if (!node)
        return nullptr;
    size_t length = 0;
    for (const xml_node *n = node; n; n = xml_walk(n, node)) {
        if (xml_is_text_node(n))
            length += strlen(n->text);
    }
    if (length == 0)
        return nullptr;
    char *text = static_cast<char *>(malloc(length + 1));
    if (!text)
        return nullptr;
    char *end = text;
    for (const xml_node *n = node; n; n = xml_walk(n, node)) {
        if (xml_is_text_node(n)) {
            size_t part = strlen(n->text);
            memcpy(end, n->text, part);
            end += part;
        }
    }
    *end = '\0';
    return text;
}

char *xml_get_text(xml_node *node, const char *path)
{
    return xml_text(xml_find(node, path));
}

int xml_get_int(xml_node *node, const char *path)
{
    char *text = xml_get_text(node, path);
    if (!text)
        return 0;
    long value = strtol(text, nullptr, 10);
    free(text);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

double xml_get_double(xml_node *node, const char *path)
{
    char *text = xml_get_text(node, path);
    if (!text)
        return 0.0;
    double value = strtod(text, nullptr);
    free(text);
    return value;
}

int xml_prefix(const xml_node *node, char *out)
{
    if (!node || !node->name || !out)
        return -1;
    const char *colon = strchr(node->name, ':');
    if (!colon)
        return -1;
    size_t length = static_cast<size_t>(colon - node->name);
    if (length > 254)
        return -1;
    memcpy(out, node->name, length);
    out[length] = '\0';
    return 0;
}
