// The description reader: URLs resolved against the base, a whole device
// with icons and services read over loopback, and what it refuses.
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "net/upnp.h"
#include "net/upnp_internal.h"
#include "net/xml_fetch.h"
#include "tests/support/http_server.h"

namespace {

std::string or_none(const char *text)
{
    return text ? text : "-";
}

TEST(UpnpUrls, BaseIsTheLocationUpToItsLastSlashAndUrlsJoinIt)
{
    const std::pair<const char *, const char *> bases[] = {
        {"http://192.168.1.7:80", "http://192.168.1.7:80/"}, {"http://tv/a/b.xml?x=/y/z", "http://tv/a/"},
        {"http://tv/a/b.xml \t", "http://tv/a/"}, {"tv/x.xml", "tv/"}, {"", "/"},
    };
    for (const auto &c : bases) {
        char *base = upnp_base_url(c.first);
        EXPECT_STREQ(base, c.second) << c.first;
        free(base);
    }
    EXPECT_EQ(upnp_base_url(nullptr), nullptr);

    const struct {
        const char *base, *url, *result;
    } joins[] = {
        {"http://tv:80", "a.xml", "http://tv:80/a.xml"}, {"http://tv/x/", "HTTPS://other/y.xml", "HTTPS://other/y.xml"},
        {"http://tv/x/", "1ab://y", "http://tv/x/1ab://y"}, {nullptr, "a.xml", "a.xml"},
    };
    for (const auto &c : joins) {
        char *result = upnp_resolve_url(c.base, strdup(c.url));
        EXPECT_STREQ(result, c.result) << or_none(c.base) << " + " << c.url;
        free(result);
    }
    EXPECT_EQ(upnp_resolve_url("http://tv/", nullptr), nullptr);
}

// The record as text: every field, lists in their stored order.
std::string describe(const upnp_description &d)
{
    std::ostringstream out;
    for (const char *text : {d.deviceType, d.friendlyName, d.manufacturer, d.manufacturerUrl, d.modelDescription,
                             d.modelName, d.modelNumber, d.modelUrl, d.serialNumber, d.UDN, d.UPC, d.presentationUrl})
        out << or_none(text) << "\n";
    for (const upnp_icon *i = d.icons; i; i = i->next)
        out << "icon " << or_none(i->mimetype) << " " << i->width << "x" << i->height << "x" << i->depth << " "
            << or_none(i->url) << "\n";
    for (const upnp_service *s = d.services; s; s = s->next) {
        out << "service " << or_none(s->serviceId) << " " << or_none(s->serviceType) << " " << or_none(s->SCPDURL)
            << " " << or_none(s->controlURL) << " " << or_none(s->eventSubURL) << "\n";
        for (const upnp_action *a = s->actions; a; a = a->next) {
            out << " action " << or_none(a->name) << "\n";
            for (const upnp_argument *g = a->arguments; g; g = g->next)
                out << "  argument " << or_none(g->name) << " " << g->direction << g->retval << " "
                    << or_none(g->relatedStateVariable) << "\n";
        }
        for (const upnp_state_variable *v = s->stateVariables; v; v = v->next) {
            out << " variable " << or_none(v->name) << " " << or_none(v->dataType) << " " << or_none(v->defaultValue)
                << " " << v->minimum << " " << v->maximum << " " << v->step;
            for (const upnp_text_list *t = v->allowedValues; t; t = t->next)
                out << " " << or_none(t->text);
            out << "\n";
        }
    }
    return out.str();
}

const char DEVICE[] =
    "<?xml version=\"1.0\"?>\n<root xmlns=\"urn:schemas-upnp-org:device-1-0\">\n"
    "<specVersion><major>1</major><minor>0</minor></specVersion>\n<device>\n"
    "<deviceType>urn:x:device:RemoteControlReceiver:1</deviceType><friendlyName>Living room TV</friendlyName>\n"
    "<manufacturer>Tavrel</manufacturer><manufacturerURL>http://example.invalid/</manufacturerURL>\n"
    "<modelName>T-55</modelName><modelNumber>55</modelNumber><modelURL>model.html</modelURL><UDN>uuid:1</UDN>\n"
    "<iconList><icon><mimetype>image/png</mimetype><width>48</width><height>32</height><depth>24</depth>"
    "<url>/small.png</url></icon>\n<icon><mimetype>image/jpeg</mimetype><url>big.jpg</url></icon></iconList>\n"
    "<iconList><icon><mimetype>image/gif</mimetype></icon></iconList>\n<serviceList>\n"
    "<service><serviceType>urn:x:service:Control:1</serviceType><serviceId>Control</serviceId>"
    "<SCPDURL>scpd.xml</SCPDURL><controlURL>/control</controlURL><eventSubURL>/event</eventSubURL></service>\n"
    "<service><serviceId>Info</serviceId><SCPDURL>info.xml</SCPDURL></service>\n"
    "<service><serviceId>Broken</serviceId><SCPDURL>missing.xml</SCPDURL><controlURL>/b</controlURL></service>\n"
    "</serviceList>\n<presentationURL>/index.html</presentationURL>\n</device>\n</root>\n";

const char SERVICE[] =
    "<?xml version=\"1.0\"?>\n<scpd>\n<actionList>\n<action><name>GetVolume</name><argumentList>\n"
    "<argument><name>InstanceID</name><direction>in</direction>"
    "<relatedStateVariable>A_ARG_TYPE_InstanceID</relatedStateVariable></argument>\n"
    "<argument><name>CurrentVolume</name><direction>out</direction><retval/>"
    "<relatedStateVariable>Volume</relatedStateVariable></argument>\n</argumentList></action>\n"
    "<action><name>Mute</name></action>\n</actionList>\n<serviceStateTable>\n"
    "<stateVariable><name>Volume</name><dataType>ui2</dataType><defaultValue>10</defaultValue>"
    "<allowedValueRange><minimum>0</minimum><maximum>100</maximum></allowedValueRange>"
    "<minimum>0.5</minimum><maximum>99.5</maximum><step>2</step></stateVariable>\n"
    "<stateVariable><name>Input</name><dataType>string</dataType><allowedValueList>"
    "<allowedValue>HDMI1</allowedValue><allowedValue>HDMI2</allowedValue></allowedValueList></stateVariable>\n"
    "</serviceStateTable>\n</scpd>\n";

// The service without a control URL is not fetched, and the one whose
// description is an error page keeps no details.
TEST(UpnpDescription, ReadsTheDeviceItsIconsAndItsServices)
{
    HttpServer server;
    server.serve("/dmr/desc.xml", http_response(DEVICE));
    server.serve("/dmr/scpd.xml", http_chunked_response(SERVICE, 64));
    upnp_description d;
    memset(&d, 0xA5, sizeof d);
    ASSERT_EQ(upnp_fetch_description(&d, server.url("/dmr/desc.xml").c_str()), 0);
    const std::string host = server.url("");
    EXPECT_EQ(describe(d), "urn:x:device:RemoteControlReceiver:1\nLiving room TV\nTavrel\nhttp://example.invalid/\n"
                           "-\nT-55\n55\n" + host + "/dmr/model.html\n-\nuuid:1\n-\n" + host + "/index.html\n"
                           "icon image/jpeg 0x0x0 " + host + "/dmr/big.jpg\n"
                           "icon image/png 48x32x24 " + host + "/small.png\n"
                           "service Broken - " + host + "/dmr/missing.xml " + host + "/b -\n"
                           "service Info - " + host + "/dmr/info.xml - -\n"
                           "service Control urn:x:service:Control:1 " + host + "/dmr/scpd.xml " + host + "/control " +
                               host + "/event\n"
                           " action Mute\n"
                           " action GetVolume\n"
                           "  argument CurrentVolume 11 Volume\n"
                           "  argument InstanceID 00 A_ARG_TYPE_InstanceID\n"
                           " variable Input string - 0 0 0 HDMI2 HDMI1\n"
                           " variable Volume ui2 10 0.5 99.5 2\n");
    EXPECT_EQ(server.requests().size(), 3u);
    upnp_free_description(&d);
    EXPECT_EQ(d.friendlyName, nullptr);
    upnp_free_description(nullptr);
}

TEST(UpnpDescription, JudgesTheDocumentAndGivesUpOnSilentPeers)
{
    HttpServer server;
    server.silence("/silent.xml");
    std::string deep;
    for (int i = 0; i <= XML_MAX_DEPTH; ++i)
        deep += "<e>";
    const struct {
        std::string raw;
        int result;
        const char *name;
    } cases[] = {
        {http_response("<root><device><friendlyName>Old TV</friendlyName></device></root>"), 0, "Old TV"},
        {http_response("<root><URLBase>http://10.9.8.7:1234/base/</URLBase><device><friendlyName>TV</friendlyName>"
                       "<presentationURL>page.html</presentationURL></device></root>"), 0, "TV"},
        {http_response("<root><specVersion><major>0</major></specVersion><device/></root>"), -1, "-"},
        {http_response("<root><specVersion><major>1</major></specVersion></root>"), 0, "-"},
        {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found", 0, "-"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n<root>", -1, "-"},
        {http_response(deep), -1, "-"},
        // Three entities become markup before parsing; the status is not looked at.
        {"HTTP/1.1 500 Oops\r\nContent-Length: 98\r\n\r\n<root><device>&lt;friendlyName&gt;TV &amp;lt; &quot;set&quot;"
         "&lt;/friendlyName&gt;</device></root>",
         0, "TV &amp;lt; \"set\""},
        {http_response("<root><device><friendlyName>TV</friendlyName><serviceList><service>"
                       "<SCPDURL>/silent.xml</SCPDURL><controlURL>/c</controlURL></service></serviceList></device></root>"),
         0, "TV"},
    };
    for (const auto &c : cases) {
        server.serve("/case.xml", c.raw);
        upnp_description d;
        EXPECT_EQ(upnp_fetch_description_with_wait(&d, server.url("/case.xml").c_str(), 50), c.result) << c.raw;
        EXPECT_EQ(or_none(d.friendlyName), c.name) << c.raw;
        EXPECT_EQ(or_none(d.presentationUrl), c.name == std::string("TV") && !d.services
                                                  ? "http://10.9.8.7:1234/base/page.html" : "-");
        EXPECT_TRUE(!d.services || !d.services->actions) << "a silent service description gives no details";
        upnp_free_description(&d);
    }
    upnp_description d;
    for (const std::string &location : {server.url("/silent.xml"),
                                        "http://127.0.0.1:" + std::to_string(closed_local_port()) + "/d.xml"}) {
        EXPECT_EQ(upnp_fetch_description_with_wait(&d, location.c_str(), 50), -1);
        EXPECT_EQ(d.friendlyName, nullptr);
        upnp_free_description(&d);
    }
    EXPECT_EQ(upnp_fetch_description(&d, nullptr), -1);
    xml_node *root = reinterpret_cast<xml_node *>(&root);
    EXPECT_EQ(xml_fetch(&root, -1), -1);
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(upnp_fetch_description(nullptr, server.url("/case.xml").c_str()), -1);
}

// Each service description costs a blocking request; a hostile document
// listing thousands of services must not make the reader fetch them all.
TEST(UpnpDescription, FetchesABoundedNumberOfServiceDescriptions)
{
    HttpServer server;
    std::string document = "<root><device><serviceList>";
    for (int i = 0; i < UPNP_MAX_SCPD_FETCHES + 5; ++i)
        document += "<service><SCPDURL>/s.xml</SCPDURL><controlURL>/c</controlURL></service>";
    server.serve("/desc.xml", http_response(document + "</serviceList></device></root>"));
    server.serve("/s.xml", http_response("<scpd><actionList><action><name>A</name></action></actionList></scpd>"));
    upnp_description d;
    ASSERT_EQ(upnp_fetch_description(&d, server.url("/desc.xml").c_str()), 0);
    size_t services = 0, detailed = 0;
    for (const upnp_service *s = d.services; s; s = s->next, ++services)
        detailed += s->actions != nullptr;
    EXPECT_EQ((std::vector<size_t>{services, detailed, server.requests().size()}),
              (std::vector<size_t>{UPNP_MAX_SCPD_FETCHES + 5, UPNP_MAX_SCPD_FETCHES, UPNP_MAX_SCPD_FETCHES + 1}));
    upnp_free_description(&d);
}

}  // namespace
