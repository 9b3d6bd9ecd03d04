#include "net/upnp.h"
#include "net/upnp_internal.h"
#include "tests/net/http_test_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string orNone(const char *text)
{
    return text ? text : "(none)";
}

TEST(UpnpBaseUrl, CutsTheLocationAfterItsLastSlash)
{
    const struct {
        const char *location;
        const char *base;
    } cases[] = {
        { "http://192.168.1.7:80/dmr/desc.xml", "http://192.168.1.7:80/dmr/" },
        { "http://192.168.1.7:80/desc.xml", "http://192.168.1.7:80/" },
        { "http://192.168.1.7:80", "http://192.168.1.7:80/" },
        { "http://tv/a/b.xml?x=/y/z", "http://tv/a/" },
        { "http://tv/a/b.xml \t", "http://tv/a/" },
        { "http://tv/dir/", "http://tv/dir/" },
        { "tv/x.xml", "tv/" },
        { "", "/" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.location);
        char *base = upnp_base_url(c.location);
        EXPECT_STREQ(base, c.base);
        free(base);
    }
    EXPECT_EQ(upnp_base_url(nullptr), nullptr);
}

TEST(UpnpResolveUrl, JoinsBaseAndUrl)
{
    const struct {
        const char *base;
        const char *url;
        const char *result;
    } cases[] = {
        { "http://192.168.1.7:80/dmr/", "scpd.xml", "http://192.168.1.7:80/dmr/scpd.xml" },
        { "http://192.168.1.7:80/dmr/", "/scpd.xml", "http://192.168.1.7:80/scpd.xml" },
        { "http://192.168.1.7:80/dmr/", "/dmr/scpd.xml", "http://192.168.1.7:80/dmr/scpd.xml" },
        { "http://tv:80", "/a.xml", "http://tv:80/a.xml" },
        { "http://tv:80", "a.xml", "http://tv:80/a.xml" },
        { "http://tv:80/", "a.xml", "http://tv:80/a.xml" },
        { "http://tv/x/", "http://other/y.xml", "http://other/y.xml" },
        { "http://tv/x/", "HTTPS://other/y.xml", "HTTPS://other/y.xml" },
        { "http://tv/x/", "http:y.xml", "http:y.xml" },
        { "", "a.xml", "a.xml" },
        { nullptr, "a.xml", "a.xml" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(orNone(c.base)) + " + " + c.url);
        char *result = upnp_resolve_url(c.base, strdup(c.url));
        EXPECT_STREQ(result, c.result);
        free(result);
    }
    EXPECT_EQ(upnp_resolve_url("http://tv/", nullptr), nullptr);
}

const char deviceDescription[] =
    "<?xml version=\"1.0\"?>\n"
    "<root xmlns=\"urn:schemas-upnp-org:device-1-0\">\n"
    "<specVersion><major>1</major><minor>0</minor></specVersion>\n"
    "<device>\n"
    "<deviceType>urn:example-tv:device:RemoteControlReceiver:1</deviceType>\n"
    "<friendlyName>Living room TV</friendlyName>\n"
    "<manufacturer>Tavrel</manufacturer>\n"
    "<manufacturerURL>http://example.invalid/</manufacturerURL>\n"
    "<modelName>T-55</modelName><modelNumber>55</modelNumber>\n"
    "<modelURL>model.html</modelURL>\n"
    "<UDN>uuid:1234</UDN>\n"
    "<iconList>\n"
    "<icon><mimetype>image/png</mimetype><width>48</width><height>32</height><depth>24</depth>"
    "<url>/icons/small.png</url></icon>\n"
    "<icon><mimetype>image/jpeg</mimetype><width>120</width><height>120</height><depth>8</depth>"
    "<url>icons/big.jpg</url></icon>\n"
    "</iconList>\n"
    "<iconList><icon><mimetype>image/gif</mimetype></icon></iconList>\n"
    "<serviceList>\n"
    "<service><serviceType>urn:x:service:Control:1</serviceType><serviceId>urn:x:serviceId:Control</serviceId>"
    "<SCPDURL>scpd.xml</SCPDURL><controlURL>/control</controlURL><eventSubURL>/event</eventSubURL></service>\n"
    "<service><serviceType>urn:x:service:Info:1</serviceType><serviceId>urn:x:serviceId:Info</serviceId>"
    "<SCPDURL>info.xml</SCPDURL></service>\n"
    "<service><serviceId>urn:x:serviceId:Broken</serviceId>"
    "<SCPDURL>missing.xml</SCPDURL><controlURL>/broken</controlURL></service>\n"
    "</serviceList>\n"
    "<presentationURL>/index.html</presentationURL>\n"
    "</device>\n"
    "</root>\n";

const char serviceDescription[] =
    "<?xml version=\"1.0\"?>\n"
    "<scpd>\n"
    "<actionList>\n"
    "<action><name>GetVolume</name><argumentList>\n"
    "<argument><name>InstanceID</name><direction>in</direction>"
    "<relatedStateVariable>A_ARG_TYPE_InstanceID</relatedStateVariable></argument>\n"
    "<argument><name>CurrentVolume</name><direction>out</direction><retval/>"
    "<relatedStateVariable>Volume</relatedStateVariable></argument>\n"
    "</argumentList></action>\n"
    "<action><name>Mute</name></action>\n"
    "</actionList>\n"
    "<serviceStateTable>\n"
    "<stateVariable><name>Volume</name><dataType>ui2</dataType><defaultValue>10</defaultValue>"
    "<allowedValueRange><minimum>0</minimum><maximum>100</maximum><step>1</step></allowedValueRange>"
    "<minimum>0.5</minimum><maximum>99.5</maximum><step>2</step></stateVariable>\n"
    "<stateVariable><name>Input</name><dataType>string</dataType>"
    "<allowedValueList><allowedValue>HDMI1</allowedValue><allowedValue>HDMI2</allowedValue></allowedValueList>"
    "</stateVariable>\n"
    "</serviceStateTable>\n"
    "</scpd>\n";

// A record fetched from the test server that releases itself.
struct Fetched {
    upnp_description description;
    int result;
    Fetched(HttpTestServer &server, const std::string &path)
    {
        memset(&description, 0xA5, sizeof description);
        result = upnp_fetch_description(&description, server.url(path).c_str());
    }
    ~Fetched() { upnp_free_description(&description); }
};

TEST(UpnpFetchDescription, ReadsTheDeviceItsIconsAndServices)
{
    HttpTestServer server;
    server.serve("/dmr/desc.xml", httpResponse(deviceDescription));
    server.serve("/dmr/scpd.xml", httpChunkedResponse(serviceDescription, 64));
    server.serve("/dmr/info.xml", httpResponse("<scpd/>"));
    server.serve("/dmr/missing.xml", "HTTP/1.1 404 Not Found\r\n\r\n<html>no</html>");

    Fetched fetched(server, "/dmr/desc.xml");
    ASSERT_EQ(fetched.result, 0);
    const upnp_description &d = fetched.description;
    const std::string host = "http://127.0.0.1:" + std::to_string(server.port());
    EXPECT_EQ(orNone(d.friendlyName), "Living room TV");
    EXPECT_EQ(orNone(d.deviceType), "urn:example-tv:device:RemoteControlReceiver:1");
    EXPECT_EQ(orNone(d.manufacturer), "Tavrel");
    EXPECT_EQ(orNone(d.manufacturerUrl), "http://example.invalid/");
    EXPECT_EQ(orNone(d.modelName), "T-55");
    EXPECT_EQ(orNone(d.modelNumber), "55");
    EXPECT_EQ(orNone(d.modelUrl), host + "/dmr/model.html");
    EXPECT_EQ(orNone(d.UDN), "uuid:1234");
    EXPECT_EQ(d.UPC, nullptr);
    EXPECT_EQ(d.serialNumber, nullptr);
    EXPECT_EQ(d.modelDescription, nullptr);
    EXPECT_EQ(orNone(d.presentationUrl), host + "/index.html");

    // Lists hold their entries in reverse document order; only the first
    // iconList counts.
    ASSERT_NE(d.icons, nullptr);
    EXPECT_EQ(orNone(d.icons->mimetype), "image/jpeg");
    EXPECT_EQ(orNone(d.icons->url), host + "/dmr/icons/big.jpg");
    ASSERT_NE(d.icons->next, nullptr);
    const upnp_icon *small = d.icons->next;
    EXPECT_EQ(orNone(small->mimetype), "image/png");
    EXPECT_EQ(small->width, 48);
    EXPECT_EQ(small->height, 32);
    EXPECT_EQ(small->depth, 24);
    EXPECT_EQ(orNone(small->url), host + "/icons/small.png");
    EXPECT_EQ(small->next, nullptr);

    const upnp_service *broken = d.services;
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(orNone(broken->serviceId), "urn:x:serviceId:Broken");
    EXPECT_EQ(broken->actions, nullptr);
    EXPECT_EQ(broken->stateVariables, nullptr);

    const upnp_service *info = broken->next;
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(orNone(info->serviceId), "urn:x:serviceId:Info");
    EXPECT_EQ(info->controlURL, nullptr);

    const upnp_service *control = info->next;
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->next, nullptr);
    EXPECT_EQ(orNone(control->serviceType), "urn:x:service:Control:1");
    EXPECT_EQ(orNone(control->SCPDURL), host + "/dmr/scpd.xml");
    EXPECT_EQ(orNone(control->controlURL), host + "/control");
    EXPECT_EQ(orNone(control->eventSubURL), host + "/event");

    const upnp_action *mute = control->actions;
    ASSERT_NE(mute, nullptr);
    EXPECT_EQ(orNone(mute->name), "Mute");
    EXPECT_EQ(mute->arguments, nullptr);
    const upnp_action *getVolume = mute->next;
    ASSERT_NE(getVolume, nullptr);
    EXPECT_EQ(orNone(getVolume->name), "GetVolume");
    const upnp_argument *out = getVolume->arguments;
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(orNone(out->name), "CurrentVolume");
    EXPECT_EQ(out->direction, 1);
    EXPECT_EQ(out->retval, 1);
    EXPECT_EQ(orNone(out->relatedStateVariable), "Volume");
    const upnp_argument *in = out->next;
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->direction, 0);
    EXPECT_EQ(in->retval, 0);
    EXPECT_EQ(in->next, nullptr);

    const upnp_state_variable *input = control->stateVariables;
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(orNone(input->name), "Input");
    ASSERT_NE(input->allowedValues, nullptr);
    EXPECT_EQ(orNone(input->allowedValues->text), "HDMI2");
    ASSERT_NE(input->allowedValues->next, nullptr);
    EXPECT_EQ(orNone(input->allowedValues->next->text), "HDMI1");
    const upnp_state_variable *volume = input->next;
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(orNone(volume->dataType), "ui2");
    EXPECT_EQ(orNone(volume->defaultValue), "10");
    EXPECT_DOUBLE_EQ(volume->minimum, 0.5);
    EXPECT_DOUBLE_EQ(volume->maximum, 99.5);
    EXPECT_DOUBLE_EQ(volume->step, 2.0);
    EXPECT_EQ(volume->allowedValues, nullptr);

    std::vector<std::string> requests = server.requests();
    EXPECT_EQ(requests.size(), 3u) << "the service without controlURL is not fetched";
}

TEST(UpnpFetchDescription, UsesUrlBaseWhenGiven)
{
    HttpTestServer server;
    server.serve("/desc.xml", httpResponse("<root><URLBase>http://10.9.8.7:1234/base/</URLBase>"
                                           "<device><friendlyName>TV</friendlyName>"
                                           "<presentationURL>page.html</presentationURL></device></root>"));
    Fetched fetched(server, "/desc.xml");
    ASSERT_EQ(fetched.result, 0);
    EXPECT_EQ(orNone(fetched.description.presentationUrl), "http://10.9.8.7:1234/base/page.html");
}

TEST(UpnpFetchDescription, JudgesTheDocument)
{
    HttpTestServer server;
    const struct {
        const char *name;
        std::string raw;
        int result;
        const char *friendlyName;
    } cases[] = {
        { "without specVersion", httpResponse("<root><device><friendlyName>Old TV</friendlyName></device></root>"), 0,
          "Old TV" },
        { "major version 0",
          httpResponse("<root><specVersion><major>0</major></specVersion><device><friendlyName>X</friendlyName>"
                       "</device></root>"),
          -1, nullptr },
        { "specVersion without major",
          httpResponse("<root><specVersion/><device><friendlyName>X</friendlyName></device></root>"), -1, nullptr },
        { "without device", httpResponse("<root><specVersion><major>1</major></specVersion></root>"), 0, nullptr },
        { "error page", "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found", 0, nullptr },
        { "empty body", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", -1, nullptr },
        { "oversized", "HTTP/1.1 200 OK\r\nContent-Length: 1048577\r\n\r\n<root/>", -1, nullptr },
        { "not http", "SSH-2.0-OpenSSH\r\n", -1, nullptr },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        server.serve("/case.xml", c.raw);
        Fetched fetched(server, "/case.xml");
        EXPECT_EQ(fetched.result, c.result);
        EXPECT_EQ(orNone(fetched.description.friendlyName), orNone(c.friendlyName));
    }
}

TEST(UpnpFetchDescription, FailsWithoutAServer)
{
    upnp_description description;
    std::string location = "http://127.0.0.1:" + std::to_string(closedLocalPort()) + "/desc.xml";
    EXPECT_EQ(upnp_fetch_description(&description, location.c_str()), -1);
    EXPECT_EQ(description.friendlyName, nullptr);
    upnp_free_description(&description);
    EXPECT_EQ(upnp_fetch_description(&description, nullptr), -1);
    upnp_free_description(&description);
    EXPECT_EQ(upnp_fetch_description(nullptr, location.c_str()), -1);
}

TEST(UpnpFetchDescription, GivesUpOnSilentPeers)
{
    HttpTestServer server;
    server.silence("/silent.xml");
    upnp_description description;
    EXPECT_EQ(upnp_fetch_description_with_wait(&description, server.url("/silent.xml").c_str(), 20), -1);
    EXPECT_EQ(description.friendlyName, nullptr);
    upnp_free_description(&description);

    server.serve("/desc.xml", httpResponse("<root><device><friendlyName>TV</friendlyName><serviceList><service>"
                                           "<SCPDURL>/silent.xml</SCPDURL><controlURL>/c</controlURL>"
                                           "</service></serviceList></device></root>"));
    EXPECT_EQ(upnp_fetch_description_with_wait(&description, server.url("/desc.xml").c_str(), 20), 0);
    EXPECT_EQ(orNone(description.friendlyName), "TV");
    ASSERT_NE(description.services, nullptr);
    EXPECT_EQ(description.services->actions, nullptr);
    upnp_free_description(&description);
}

TEST(UpnpFetchDescription, FetchesOnlyABoundedNumberOfServiceDescriptions)
{
    HttpTestServer server;
    std::string document = "<root><device><serviceList>";
    for (int i = 0; i < UPNP_MAX_SCPD_FETCHES + 5; ++i)
        document += "<service><SCPDURL>/s.xml</SCPDURL><controlURL>/c</controlURL></service>";
    document += "</serviceList></device></root>";
    server.serve("/desc.xml", httpResponse(document));
    server.serve("/s.xml", httpResponse("<scpd><actionList><action><name>A</name></action></actionList></scpd>"));

    Fetched fetched(server, "/desc.xml");
    ASSERT_EQ(fetched.result, 0);
    int services = 0;
    int detailed = 0;
    for (const upnp_service *s = fetched.description.services; s; s = s->next) {
        ++services;
        detailed += s->actions != nullptr;
    }
    EXPECT_EQ(services, UPNP_MAX_SCPD_FETCHES + 5);
    EXPECT_EQ(detailed, UPNP_MAX_SCPD_FETCHES);
    EXPECT_EQ(server.requests().size(), (size_t)UPNP_MAX_SCPD_FETCHES + 1);
}

} // namespace
