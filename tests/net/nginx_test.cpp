// The client against a web server nobody here wrote: Debian's nginx, run on
// a free loopback port with its own prefix in a temporary folder.
#include <string>

#include <gtest/gtest.h>

#include "net/remote_file.h"
#include "net/temp_file.h"
#include "net/update_query.h"
#include "tests/net/net_test_util.h"
#include "tests/net/nginx_server.h"

using testnet::NginxServer;

TEST(NginxServerTest, ManifestAndRedirectedPackageFromNginx) {
    if (!NginxServer::Installed()) GTEST_SKIP() << "nginx is not installed (apt-get install nginx-light)";
    std::string package(700001, '\0');
    for (std::size_t i = 0; i < package.size(); ++i) package[i] = static_cast<char>(i * 7 + (i >> 9));
    NginxServer nginx("    location = /get/tovane.deb { return 302 /files/tovane.deb; }\n");
    nginx.WriteFile("update.json", R"({"error":0,"msg":"ok","data":{"version":"2.0","discription":"",)"
                                   R"("build_number":7,"url":")" +
                                       nginx.Base() + R"(/get/tovane.deb"}})");
    nginx.WriteFile("files/tovane.deb", package);
    ASSERT_TRUE(nginx.Start()) << "nginx did not start";

    std::string address;
    UpdateInfo info;
    ASSERT_TRUE(QueryUpdateAt(nginx.Base() + "/update.json?type=tu", address, &info));
    EXPECT_EQ(address, nginx.Base() + "/get/tovane.deb");
    EXPECT_EQ(info.buildNumber, 7);

    std::unique_ptr<HttpFileClient> client = PrepareDownload(nullptr, address);
    ASSERT_TRUE(client);
    EXPECT_EQ(address, nginx.Base() + "/files/tovane.deb");
    EXPECT_EQ(client->ExpectedSize(), static_cast<std::int64_t>(package.size()));
    DownloadToTempFile(*client);
    EXPECT_EQ(client->State(), kDownloadCompleted);
    EXPECT_EQ(testnet::ReadWholeFile(client->FilePath()), package);
    RemoveFile(client->FilePath());

    // A redirect to the update query is not followed.
    std::string unchanged = "x";
    EXPECT_FALSE(QueryUpdateAt(nginx.Base() + "/get/tovane.deb", unchanged));
    EXPECT_EQ(unchanged, "x");
}
