// What the XML reader's parser and its queries share beyond xml.h.
#pragma once

#include "net/xml.h"

// A node holding character data: text without a name.
inline bool xml_is_text_node(const xml_node *node)
{
    return node->text != nullptr && node->name == nullptr;
}
