#include "net/xml.h"
#include "net/xml_fetch.h"
#include "tests/net/http_test_server.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

// The tree as a compact text: E(name)[attr=value,...]{children},
// T"text", S(special token text).
std::string dump(const xml_node *node);

std::string dumpChildren(const xml_node *node)
{
    std::string out;
    for (const xml_node *child = node->first_child; child; child = child->next_sibling) {
        if (!out.empty())
            out += ",";
        out += dump(child);
    }
    return out;
}

std::string dump(const xml_node *node)
{
    if (!node->name && node->text)
        return "T\"" + std::string(node->text) + "\"";
    if (node->name && (node->name[0] == '!' || node->name[0] == '?'))
        return "S(" + std::string(node->name) + ")";
    std::string out = "E(" + std::string(node->name ? node->name : "") + ")";
    if (node->first_attribute) {
        out += "[";
        for (const xml_attribute *a = node->first_attribute; a; a = a->next) {
            out += a->name;
            if (a->value)
                out += "=" + std::string(a->value);
            if (a->next)
                out += ",";
        }
        out += "]";
    }
    if (node->first_child)
        out += "{" + dumpChildren(node) + "}";
    return out;
}

// A parsed document that frees itself.
struct Document {
    xml_parser parser;
    int result;

    explicit Document(const std::string &text)
    {
        memset(&parser, 0, sizeof parser);
        result = xml_parse(&parser, text.c_str());
        xml_parser_end(&parser);
    }
    ~Document() { xml_free(parser.root); }
    xml_node *root() const { return parser.root; }
    std::string tree() const { return dumpChildren(parser.root); }
};

struct TreeCase {
    const char *input;
    const char *tree;
};

const TreeCase treeCases[] = {
    { "<a>x</a>", "E(a){T\"x\"}" },
    { "<a><b>1</b><c/></a>", "E(a){E(b){T\"1\"},E(c)}" },
    { "x<a/>y", "T\"x\",E(a),T\"y\"" },
    { "<a k=\"v\" j='w' u=z n>", "E(a)[k=v,j=w,u=z,n]" },
    { "<a\n  k = \"v w\"\t/>", "E(a)[k=v w]" },
    { "<a k='x\\'y'/>", "E(a)[k=x\\'y]" },
    { "<a k=\"v/>", "E(a)[k=]" },
    { "<a =\"x\" b=\"y\">", "E(a)" },
    { "<a / >", "E(a)" },
    { "<>", "E()" },
    { "<a><!-- c --><b/></a>", "E(a){S(!-- c --),E(b)}" },
    { "<a><!-- > -- --></a>", "E(a){S(!-- > -- --)}" },
    { "<!---->", "S(!----)" },
    { "<a><![CDATA[<x>]]></a>", "E(a){S(![CDATA[<x>]])}" },
    { "<?xml version='1.0'?><r/>", "S(?xml version='1.0'?),E(r)" },
    { "<!DOCTYPE r><r/>", "S(!DOCTYPE r),E(r)" },
    { "<!-x><r/>", "S(!-x),E(r)" },
    { "<![CD><r/>", "S(![CD),E(r)" },
    { "</x><a/>", "E(a)" },
    { "<a><b></a>c</b>d", "E(a){E(b),T\"c\"},T\"d\"" },
    { "<a>one<!--c-->two</a>", "E(a){T\"one\",S(!--c--),T\"two\"}" },
    { "<a", "" },
    { "<s:Envelope xmlns:s=\"urn\"><s:Body/></s:Envelope>", "E(s:Envelope)[xmlns:s=urn]{E(s:Body)}" },
};

TEST(XmlParse, BuildsTheExpectedTree)
{
    for (const TreeCase &c : treeCases) {
        SCOPED_TRACE(c.input);
        Document document(c.input);
        ASSERT_EQ(document.result, 0);
        EXPECT_EQ(document.tree(), c.tree);
    }
}

TEST(XmlParse, GivesTheSameTreeWhenFedInTwoPieces)
{
    for (const TreeCase &c : treeCases) {
        std::string input = c.input;
        for (size_t cut = 0; cut <= input.size(); ++cut) {
            SCOPED_TRACE(input + " cut at " + std::to_string(cut));
            xml_parser parser;
            memset(&parser, 0, sizeof parser);
            ASSERT_EQ(xml_parse(&parser, input.substr(0, cut).c_str()), 0);
            ASSERT_EQ(xml_parse(&parser, input.substr(cut).c_str()), 0);
            xml_parser_end(&parser);
            EXPECT_EQ(dumpChildren(parser.root), c.tree);
            xml_free(parser.root);
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

TEST(XmlParse, RefusesNestingDeeperThanTheLimit)
{
    Document deepest(nested(XML_MAX_DEPTH));
    EXPECT_EQ(deepest.result, 0);
    char *text = xml_text(deepest.root());
    EXPECT_STREQ(text, "x");
    free(text);

    Document tooDeep(nested(XML_MAX_DEPTH + 1));
    EXPECT_EQ(tooDeep.result, -1);
    EXPECT_EQ(tooDeep.parser.error, XML_ERROR_DEPTH);

    Document closedAgain("<e></e>" + nested(XML_MAX_DEPTH));
    EXPECT_EQ(closedAgain.result, 0) << "closed elements no longer count";
}

TEST(XmlParse, RefusesNullText)
{
    xml_parser parser;
    memset(&parser, 0, sizeof parser);
    EXPECT_EQ(xml_parse(&parser, nullptr), -1);
    EXPECT_EQ(parser.error, XML_ERROR_NULL);
    EXPECT_EQ(xml_parse(nullptr, "<a/>"), -1);
}

// --------------------------------------------------------------- queries

const char description[] = "<?xml version=\"1.0\"?>\n"
                           "<root xmlns=\"urn:schemas-upnp-org:device-1-0\">\n"
                           "  <specVersion><major>1</major><minor>0</minor></specVersion>\n"
                           "  <device>\n"
                           "    <friendlyName>Living room</friendlyName>\n"
                           "    <presentationURL>/index.html</presentationURL>\n"
                           "    <empty></empty><blank>  </blank>\n"
                           "    <list><service id=\"1\">one</service><!-- between -->"
                           "<service id=\"2\">two</service><service id=\"2\" x>three</service></list>\n"
                           "    <a><b>no c</b></a><a><b><c>deep</c></b></a>\n"
                           "    <numbers><int>  42abc</int><big>99999999999</big><negative>-7</negative>"
                           "<real>1.5e2</real></numbers>\n"
                           "  </device>\n"
                           "</root>\n";

TEST(XmlFind, AnswersPathQueries)
{
    Document document(description);
    ASSERT_EQ(document.result, 0);
    const struct {
        const char *path;
        const char *text;  // null: not found
    } cases[] = {
        { "root/device/friendlyName", "Living room" },
        { "ROOT/Device/presentationUrl", "/index.html" },
        { "root/device/friendlyNam", nullptr },
        { "root/device/friendlyNameX", nullptr },
        { "root/device/list/service", "one" },
        { "root/device/list/service?id=2", "two" },
        { "root/device/list/service?id=2&x", "three" },
        { "root/device/list/service?x", "three" },
        { "root/device/list/service?x=1", nullptr },
        { "root/device/list/service?ID=2", nullptr },
        { "root/device/list/service?id=3", nullptr },
        { "root/device/a/b/c", "deep" },
        { "root?xmlns=urn:schemas-upnp-org:device-1-0/device/friendlyName", "Living room" },
        { "device", nullptr },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        xml_node *found = xml_find(document.root(), c.path);
        if (!c.text) {
            EXPECT_EQ(found, nullptr);
            continue;
        }
        ASSERT_NE(found, nullptr);
        char *text = xml_text(found);
        EXPECT_STREQ(text, c.text);
        free(text);
    }
    EXPECT_EQ(xml_find(nullptr, "root"), nullptr);
    EXPECT_EQ(xml_find(document.root(), nullptr), nullptr);
}

TEST(XmlFind, ReadsTextsAndNumbers)
{
    Document document(description);
    xml_node *version = xml_find(document.root(), "root/specVersion");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(xml_get_int(version, "major"), 1);

    xml_node *device = xml_find(document.root(), "root/device");
    ASSERT_NE(device, nullptr);
    char *blank = xml_get_text(device, "blank");
    EXPECT_STREQ(blank, "  ");
    free(blank);
    EXPECT_EQ(xml_get_text(device, "empty"), nullptr);
    EXPECT_EQ(xml_get_text(device, "missing"), nullptr);

    char *list = xml_get_text(device, "list");
    EXPECT_STREQ(list, "onetwothree") << "comments are not text";
    free(list);

    EXPECT_EQ(xml_get_int(device, "numbers/int"), 42);
    EXPECT_EQ(xml_get_int(device, "numbers/big"), INT_MAX);
    EXPECT_EQ(xml_get_int(device, "numbers/negative"), -7);
    EXPECT_EQ(xml_get_int(device, "numbers/missing"), 0);
    EXPECT_DOUBLE_EQ(xml_get_double(device, "numbers/real"), 150.0);
    EXPECT_DOUBLE_EQ(xml_get_double(device, "numbers/missing"), 0.0);
    EXPECT_EQ(xml_text(nullptr), nullptr);
}

// The texts of every match of path, walked with xml_next.
std::string walk(xml_node *root, const char *path)
{
    std::string out;
    for (xml_node *n = xml_find(root, path); n; n = xml_next(n, path)) {
        char *text = xml_text(n);
        out += std::string(text ? text : "-") + ";";
        free(text);
    }
    return out;
}

TEST(XmlNext, WalksRepeatedElements)
{
    Document document("<d>"
                      "<iconList><icon>1</icon><other/><icon>2</icon></iconList>"
                      "<skip><icon>no</icon></skip>"
                      "<iconList><icon>3</icon></iconList>"
                      "<iconList a='1'><icon>4</icon><icon k='v'>5</icon></iconList>"
                      "</d>");
    const struct {
        const char *path;
        const char *texts;
    } cases[] = {
        { "d/iconList/icon", "1;2;3;4;5;" },
        { "d/iconList/icon?k=v", "5;" },
        { "d/iconList?a=1/icon", "4;5;" },
        { "d/iconList?a/icon?k", "5;" },
        { "d/skip/icon", "no;" },
        { "d/nothing", "" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(walk(document.root(), c.path), c.texts);
    }
    EXPECT_EQ(xml_next(nullptr, "d"), nullptr);
}

TEST(XmlPrefix, CopiesTheNamespacePrefix)
{
    const std::string prefix254(254, 'p');
    const std::string prefix255(255, 'p');
    const struct {
        std::string name;
        int result;
        std::string prefix;
    } cases[] = {
        { "s:Envelope", 0, "s" },
        { "a:b:c", 0, "a" },
        { ":x", 0, "" },
        { "plain", -1, "" },
        { prefix254 + ":x", 0, prefix254 },
        { prefix255 + ":x", -1, "" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Document document("<" + c.name + " a:b='1'/>");
        ASSERT_NE(document.root()->first_child, nullptr);
        char out[255];
        EXPECT_EQ(xml_prefix(document.root()->first_child, out), c.result);
        if (c.result == 0) {
            EXPECT_EQ(std::string(out), c.prefix);
        }
    }
    Document text("just text");
    char out[255];
    EXPECT_EQ(xml_prefix(text.root()->first_child, out), -1);
}

TEST(StrReplaceAll, ReplacesLeftToRightWithoutOverlap)
{
    const struct {
        const char *text;
        const char *search;
        const char *replacement;
        const char *result;
    } cases[] = {
        { "a&lt;b&lt;", "&lt;", "<", "a<b<" },
        { "aaa", "aa", "b", "ba" },
        { "aaaa", "aa", "aa", "aaaa" },
        { "x", "x", "longer", "longer" },
        { "abc", "", "z", "abc" },
        { "abc", nullptr, "z", "abc" },
        { "abc", "b", nullptr, "ac" },
        { "", "a", "b", "" },
        { "&amp;lt;", "&lt;", "<", "&amp;lt;" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        char *result = str_replace_all(c.text, c.search, c.replacement);
        EXPECT_STREQ(result, c.result);
        free(result);
    }
    EXPECT_EQ(str_replace_all(nullptr, "a", "b"), nullptr);
}

// ------------------------------------------------------------- fetching

// Runs xml_fetch on a socket pair whose other end sends raw and closes.
struct Fetched {
    int result;
    xml_node *root;
    explicit Fetched(const std::string &raw)
    {
        int pair[2];
        if (socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0)
            throw std::runtime_error("socketpair");
        std::thread writer([&] {
            size_t sent = 0;
            while (sent < raw.size()) {
                ssize_t n = send(pair[1], raw.data() + sent, raw.size() - sent, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += (size_t)n;
            }
            close(pair[1]);
        });
        result = xml_fetch(&root, pair[0]);
        writer.join();
    }
    ~Fetched() { xml_free(root); }
    std::string name() const
    {
        char *text = xml_get_text(root, "root/device/friendlyName");
        std::string out = text ? text : "(none)";
        free(text);
        return out;
    }
};

const char smallDescription[] = "<root><device><friendlyName>TV &amp;lt; set</friendlyName>"
                                "&lt;modelName&gt;M&lt;/modelName&gt;</device></root>";

TEST(XmlFetch, ReadsEveryKindOfBody)
{
    const struct {
        const char *name;
        std::string raw;
    } cases[] = {
        { "content length", httpResponse(smallDescription) },
        { "chunked", httpChunkedResponse(smallDescription, 7) },
        { "error status", std::string("HTTP/1.1 500 Oops\r\nContent-Length: ") + std::to_string(strlen(smallDescription))
                              + "\r\n\r\n" + smallDescription },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Fetched fetched(c.raw);
        ASSERT_EQ(fetched.result, 0);
        EXPECT_EQ(fetched.name(), "TV &amp;lt; set");
        char *model = xml_get_text(fetched.root, "root/device/modelName");
        EXPECT_STREQ(model, "M") << "escaped tags become markup";
        free(model);
    }
}

TEST(XmlFetch, GivesNoTreeForBrokenResponses)
{
    const struct {
        const char *name;
        std::string raw;
    } cases[] = {
        { "empty body", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n" },
        { "truncated", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n<root>" },
        { "oversized length", "HTTP/1.1 200 OK\r\nContent-Length: 2000000\r\n\r\n<root/>" },
        { "oversized chunked", httpChunkedResponse(std::string(1024 * 1024 + 1, 'x'), 60000) },
        { "malformed", "<root/>" },
        { "nothing", "" },
        { "too deep", httpResponse(nested(XML_MAX_DEPTH + 1)) },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Fetched fetched(c.raw);
        EXPECT_EQ(fetched.result, -1);
        EXPECT_EQ(fetched.root, nullptr);
    }
    xml_node *root = (xml_node *)&root;
    EXPECT_EQ(xml_fetch(&root, -1), -1);
    EXPECT_EQ(root, nullptr);
}

TEST(XmlFetch, GivesNoTreeWhenThePeerFallsSilent)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    const char partial[] = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n<root>";
    ASSERT_EQ(send(pair[1], partial, sizeof partial - 1, 0), (ssize_t)(sizeof partial - 1));
    xml_node *root = nullptr;
    EXPECT_EQ(xml_fetch_with_wait(&root, pair[0], 20), -1);
    EXPECT_EQ(root, nullptr);
    close(pair[1]);
}

} // namespace
