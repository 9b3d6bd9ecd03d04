// Parses arbitrary text with the XML reader, in two pieces split where
// the input says, then runs the queries the description reader uses.
#include "net/xml.h"

#include <cstdint>
#include <cstdlib>
#include <string>

static const char *const paths[] = {
    "root/specVersion",
    "root/device",
    "root/device/friendlyName",
    "root/URLBase",
    "iconList/icon",
    "serviceList/service",
    "serviceList/service?id=2&x",
    "scpd/actionList/action",
    "a/b?k=v/c",
};

static void query(xml_node *root)
{
    char prefix[255];
    for (const char *path : paths) {
        int count = 0;
        for (xml_node *node = xml_find(root, path); node && count < 64; node = xml_next(node, path), ++count) {
            free(xml_text(node));
            free(xml_get_text(node, "name"));
            (void)xml_get_int(node, "major");
            (void)xml_get_double(node, "minimum");
            (void)xml_prefix(node, prefix);
        }
    }
    free(xml_text(root));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The description reader turns these entities into markup before parsing.
    const std::string text(reinterpret_cast<const char *>(data) + 1, size - 1);
    char *replaced = str_replace_all(text.c_str(), "&lt;", "<");
    if (!replaced)
        return 0;
    const std::string document = replaced;
    free(replaced);
    const size_t cut = data[0] % (document.size() + 1);
    xml_parser parser = {};
    if (xml_parse(&parser, document.substr(0, cut).c_str()) == 0)
        xml_parse(&parser, document.substr(cut).c_str());
    xml_parser_end(&parser);
    query(parser.root);
    xml_free(parser.root);
    return 0;
}
