// The XML reader: trees from texts whole and in two pieces, and path
// queries.
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "net/xml.h"

namespace {

using Results = std::vector<int>;

// The tree as a compact text: E(name)[attr=value,...]{children},
// T"text", S(special token text).
std::string dump(const xml_node *node)
{
    std::string out;
    for (const xml_node *child = node->first_child; child; child = child->next_sibling) {
        out += out.empty() ? "" : ",";
        if (!child->name) {
            out += "T\"" + std::string(child->text) + "\"";
            continue;
        }
        const bool special = child->name[0] == '!' || child->name[0] == '?';
        out += (special ? "S(" : "E(") + std::string(child->name) + ")";
        for (const xml_attribute *a = child->first_attribute; a; a = a->next)
            out += (a == child->first_attribute ? "[" : ",") + std::string(a->name) + (a->value ? "=" : "") +
                   (a->value ? a->value : "") + (a->next ? "" : "]");
        if (child->first_child)
            out += "{" + dump(child) + "}";
    }
    return out;
}

// A document parsed in two pieces, cut at cut, that frees itself.
struct Document {
    xml_parser parser = {};
    int result;
    explicit Document(const std::string &text, size_t cut = std::string::npos)
    {
        cut = std::min(cut, text.size());
        result = xml_parse(&parser, text.substr(0, cut).c_str());
        if (result == 0)
            result = xml_parse(&parser, text.substr(cut).c_str());
        xml_parser_end(&parser);
    }
    ~Document() { xml_free(parser.root); }
    xml_node *root() const { return parser.root; }
};

const struct {
    const char *input;
    const char *tree;
} TREES[] = {
    {"<a>x</a>", "E(a){T\"x\"}"},
    {"x<a/>y", "T\"x\",E(a),T\"y\""},
    {"<a k=\"v\" j='w' u=z n>", "E(a)[k=v,j=w,u=z,n]"},
    {"<a k='x\\'y'/>", "E(a)[k=x\\'y]"},
    {"<a k=\"v/>", "E(a)[k=]"},
    {"<a =\"x\" b=\"y\">", "E(a)"},
    {"<>", "E()"},
    {"<a><!-- c --><b/></a>", "E(a){S(!-- c --),E(b)}"},
    {"<a><!-- > -- --></a>", "E(a){S(!-- > -- --)}"},
    {"<a><![CDATA[<x>]]></a>", "E(a){S(![CDATA[<x>]])}"},
    {"<?xml version='1.0'?><r/>", "S(?xml version='1.0'?),E(r)"},
    {"<!-x><r/>", "S(!-x),E(r)"},
    {"</x><a/>", "E(a)"},
    {"<a><b></a>c</b>d", "E(a){E(b),T\"c\"},T\"d\""},
    {"<a", ""},
    {"<s:Envelope xmlns:s=\"urn\"><s:Body/></s:Envelope>", "E(s:Envelope)[xmlns:s=urn]{E(s:Body)}"},
};

TEST(XmlParse, BuildsTheSameTreeFromTheWholeTextAndFromAnyTwoPieces)
{
    for (const auto &c : TREES) {
        const std::string input = c.input;
        for (size_t cut = 0; cut <= input.size(); ++cut) {
            Document document(input, cut);
            ASSERT_EQ(document.result, 0) << input << " cut at " << cut;
            EXPECT_EQ(dump(document.root()), c.tree) << input << " cut at " << cut;
        }
    }
}

std::string nested(int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<e>";
    return text + "x";
}

// Nesting is bounded; a refused document stays refused.
TEST(XmlParse, RefusesNullTextAndNestingDeeperThanTheLimit)
{
    EXPECT_EQ(Document(nested(XML_MAX_DEPTH)).result, 0);
    EXPECT_EQ(Document("<e></e>" + nested(XML_MAX_DEPTH)).result, 0) << "closed elements no longer count";
    Document too_deep(nested(XML_MAX_DEPTH + 1));
    EXPECT_EQ((Results{too_deep.result, too_deep.parser.error, xml_parse(&too_deep.parser, "<a/>")}),
              (Results{-1, XML_ERROR_DEPTH, -1}));
    xml_parser parser = {};
    EXPECT_EQ((Results{xml_parse(&parser, nullptr), parser.error, xml_parse(nullptr, "<a/>")}),
              (Results{-1, XML_ERROR_NULL, -1}));
}

const char DESCRIPTION[] = "<?xml version=\"1.0\"?>\n"
                           "<root xmlns=\"urn:schemas-upnp-org:device-1-0\">\n"
                           "  <specVersion><major>1</major></specVersion>\n"
                           "  <device>\n"
                           "    <friendlyName>Living room</friendlyName><empty></empty><blank>  </blank>\n"
                           "    <presentationURL>/index.html</presentationURL>\n"
                           "    <list><service id=\"1\">one</service><!-- between -->"
                           "<service id=\"2\">two</service><service id=\"2\" x>three</service></list>\n"
                           "    <a><b>no c</b></a><a><b><c>deep</c></b></a>\n"
                           "    <iconList><icon>1</icon><other/><icon>2</icon></iconList>\n"
                           "    <skip><icon>no</icon></skip><iconList><icon>3</icon></iconList>\n"
                           "    <iconList a='1'><icon>4</icon><icon k='v'>5</icon></iconList>\n"
                           "    <numbers><int>  42abc</int><big>99999999999</big><negative>-7</negative>"
                           "<real>1.5e2</real></numbers>\n"
                           "  </device>\n"
                           "</root>\n";

TEST(XmlQueries, FindAndWalkPathsWithFiltersAndReadTextsAndNumbers)
{
    Document document(DESCRIPTION);
    const struct {
        const char *path, *texts;
    } cases[] = {
        {"ROOT/Device/presentationUrl", "/index.html;"},
        {"root/device/friendlyNam", ""},
        {"root/device/list/service?id=2", "two;three;"},
        {"root/device/list/service?id=2&x", "three;"},
        {"root/device/list/service?x=1", ""},
        {"root/device/a/b/c", "deep;"},
        {"root?xmlns=urn:schemas-upnp-org:device-1-0/device/friendlyName", "Living room;"},
        {"root/device/blank", "  ;"},
        {"root/device/empty", "(none);"},
        {"root/device/list", "onetwothree;"},
        {"root/device/iconList/icon", "1;2;3;4;5;"},
        {"root/device/iconList/icon?k=v", "5;"},
        {"root/device/iconList?a=1/icon", "4;5;"},
        {"root/device/iconList?a/icon?k", "5;"},
        {"root/device/skip/icon", "no;"},
    };
    for (const auto &c : cases) {
        std::string texts;
        for (xml_node *n = xml_find(document.root(), c.path); n; n = xml_next(n, c.path)) {
            char *text = xml_text(n);
            texts += (text ? text : "(none)") + std::string(";");
            free(text);
        }
        EXPECT_EQ(texts, c.texts) << c.path;
    }

    xml_node *device = xml_find(document.root(), "root/device");
    EXPECT_EQ(xml_get_int(xml_find(document.root(), "root/specVersion"), "major"), 1);
    EXPECT_EQ(xml_get_int(device, "numbers/int"), 42);
    EXPECT_EQ(xml_get_int(device, "numbers/big"), INT_MAX);
    EXPECT_EQ(xml_get_int(device, "numbers/negative"), -7);
    EXPECT_DOUBLE_EQ(xml_get_double(device, "numbers/real"), 150.0);
}

TEST(XmlQueries, PrefixAndReplacement)
{
    const std::string p254(254, 'p');
    const std::pair<std::string, std::string> prefixes[] = {
        {"<a:b:c a:b='1'/>", "a"}, {"<:x a:b='1'/>", ""}, {"<plain a:b='1'/>", "-"},
        {"<" + p254 + ":x a:b='1'/>", p254}, {"<" + p254 + "p:x a:b='1'/>", "-"}, {"just text", "-"},
    };
    for (const auto &c : prefixes) {
        Document document(c.first);
        char out[255];
        EXPECT_EQ(xml_prefix(document.root()->first_child, out) == 0 ? std::string(out) : "-", c.second) << c.first;
    }

    const struct {
        const char *text, *search, *replacement, *result;
    } cases[] = {
        {"aaa", "aa", "b", "ba"}, {"aaaa", "aa", "aa", "aaaa"}, {"x", "x", "longer", "longer"},
        {"abc", "", "z", "abc"},  {"abc", "b", nullptr, "ac"},
    };
    for (const auto &c : cases) {
        char *result = str_replace_all(c.text, c.search, c.replacement);
        EXPECT_STREQ(result, c.result) << c.text;
        free(result);
    }
}

}  // namespace
