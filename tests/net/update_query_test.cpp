// The update manifest: reading hostile or odd JSON, and the query itself.
#include <string>

#include <gtest/gtest.h>

#include "net/update_query.h"
#include "tests/net/loopback_server.h"
#include "tests/net/net_test_util.h"

using testnet::LoopbackServer;

TEST(UpdateManifest, ReadsEveryMemberWhateverTheOrder) {
    UpdateInfo info;
    ASSERT_TRUE(ParseUpdateManifest(R"({
      // comments are allowed
      "data": {"url": "http://127.0.0.1/p.deb", "build_number": 42,
               "discription": "fixes", "version": "1.2", "extra": [1]},
      "msg": "ok", "error": 0, "other": null})",
                                    info));
    EXPECT_EQ(info.errorCode, 0);
    EXPECT_EQ(info.message, "ok");
    EXPECT_EQ(info.version, "1.2");
    EXPECT_EQ(info.description, "fixes");
    EXPECT_EQ(info.buildNumber, 42);
    EXPECT_EQ(info.downloadAddress, "http://127.0.0.1/p.deb");
}

TEST(UpdateManifest, MissingDataOrNonZeroErrorStillReads) {
    UpdateInfo none;
    EXPECT_TRUE(ParseUpdateManifest(R"({"error": 0, "msg": "x"})", none));
    EXPECT_TRUE(none.downloadAddress.empty());
    UpdateInfo failed;
    EXPECT_TRUE(ParseUpdateManifest(R"({"error": 1, "msg": "busy", "data": {"url": "http://h/u"}})", failed));
    EXPECT_EQ(failed.errorCode, 1);
    EXPECT_EQ(failed.downloadAddress, "http://h/u");
}

TEST(UpdateManifest, WrongTypesAreIgnoredAndNeverCrash) {
    const char* manifests[] = {
        "[1, 2, 3]",
        "\"just a string\"",
        "42",
        "null",
        "true",
        R"({"data": "http://h/u"})",
        R"({"data": ["url", "http://h/u"]})",
        R"({"error": "1", "msg": 5, "data": {"url": 7, "version": {}, "build_number": "9"}})",
        R"({"error": 1e300, "data": {"build_number": 1.5, "discription": [], "url": null}})",
        R"({"error": -9223372036854775808, "data": {"build_number": 18446744073709551615}})",
    };
    for (const char* text : manifests) {
        UpdateInfo info;
        EXPECT_TRUE(ParseUpdateManifest(text, info)) << text;
        EXPECT_TRUE(info.downloadAddress.empty()) << text;
        EXPECT_EQ(info.errorCode, 0) << text;
        EXPECT_EQ(info.buildNumber, 0) << text;
        EXPECT_TRUE(info.message.empty() && info.version.empty() && info.description.empty()) << text;
    }
}

TEST(UpdateManifest, NonJsonAndDeepNestingAreRejected) {
    UpdateInfo info;
    EXPECT_FALSE(ParseUpdateManifest("<html>502 Bad Gateway</html>", info));
    EXPECT_FALSE(ParseUpdateManifest("{\"data\": {\"url\": \"x\"", info));
    EXPECT_FALSE(ParseUpdateManifest(std::string(200000, '['), info));
    EXPECT_FALSE(ParseUpdateManifest(std::string(100000, '{').insert(1, "\"a\":"), info));
}

TEST(UpdateAddressTest, EnvironmentReplacesTheBuiltInAddress) {
    {
        testnet::ScopedEnv unset("TOVANE_UPDATE_URL", std::nullopt);
        const std::string address = UpdateAddress();
        EXPECT_EQ(address, kDefaultUpdateAddress);
        EXPECT_EQ(address.rfind("http://", 0), 0u);
        EXPECT_NE(address.find("/update.json?type=tu"), std::string::npos);
    }
    testnet::ScopedEnv set("TOVANE_UPDATE_URL", std::string("http://127.0.0.1:9/update.json?type=tu"));
    EXPECT_EQ(UpdateAddress(), "http://127.0.0.1:9/update.json?type=tu");
}

TEST(UpdateQuery, FetchesTheManifestWithTheAbsoluteTarget) {
    LoopbackServer server;
    server.ServeBody("/update.json", R"({"error":0,"data":{"url":"http://127.0.0.1/x.deb"}})");
    std::string address = "unchanged";
    UpdateInfo info;
    ASSERT_TRUE(QueryUpdateAt(server.Url("/update.json?type=tu"), address, &info));
    EXPECT_EQ(address, "http://127.0.0.1/x.deb");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, server.Url("/update.json?type=tu"));
    EXPECT_TRUE(requests[0].userAgent.empty());
    EXPECT_TRUE(requests[0].referer.empty());

    testnet::ScopedEnv set("TOVANE_UPDATE_URL", server.Url("/update.json?type=tu"));
    std::string viaEnvironment;
    EXPECT_TRUE(QueryUpdate(viaEnvironment));
    EXPECT_EQ(viaEnvironment, "http://127.0.0.1/x.deb");
}

TEST(UpdateQuery, FailuresLeaveTheAddressUnchanged) {
    LoopbackServer server;
    server.ServeBody("/update.json", R"({"data":{"url":"http://127.0.0.1/x.deb"}})");
    server.Redirect("/moved", 302, server.Url("/update.json"));
    server.ServeBody("/html", "<html>oops</html>");
    server.ServeBody("/error500", R"({"data":{"url":"http://h/u"}})", 500);
    // Over 1 MiB, once with a length and once streamed without one.
    const std::string huge =
        "{\"pad\":\"" + std::string(kMaxManifestSize, ' ') + "\",\"data\":{\"url\":\"http://h/u\"}}";
    server.ServeBody("/huge", huge);
    server.ServeRaw("/huge-stream", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", huge);
    // Valid JSON, but shorter than announced: cut off, once closed and once reset.
    server.ServeRaw("/short", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n", "{\"data\":{}}");
    server.ServeRaw("/cut", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n", "{\"data\":{}}", testnet::RawEnd::kReset);

    for (const char* path : {"/moved", "/html", "/error500", "/huge", "/huge-stream", "/missing", "/short", "/cut"}) {
        std::string address = "unchanged";
        EXPECT_FALSE(QueryUpdateAt(server.Url(path), address)) << path;
        EXPECT_EQ(address, "unchanged") << path;
    }
    EXPECT_EQ(server.Hits("/update.json"), 0) << "redirect of the update query was followed";
    std::string address = "unchanged";
    const std::string refused = "http://127.0.0.1:" + std::to_string(testnet::FreeLoopbackPort()) + "/u";
    EXPECT_FALSE(QueryUpdateAt(refused, address));
    EXPECT_FALSE(QueryUpdateAt("no address at all", address));
    EXPECT_EQ(address, "unchanged");

    // Just under the limit is still read.
    const std::string big =
        "{\"pad\":\"" + std::string(kMaxManifestSize - 100, ' ') + "\",\"data\":{\"url\":\"http://h/u\"}}";
    ASSERT_LE(big.size(), kMaxManifestSize);
    server.ServeBody("/big", big);
    EXPECT_TRUE(QueryUpdateAt(server.Url("/big"), address));
    EXPECT_EQ(address, "http://h/u");
}
