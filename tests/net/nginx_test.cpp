// The client against a web server nobody here wrote: Debian's nginx, run on
// a free loopback port with its own prefix in a temporary folder.
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>
#include <Poco/File.h>
#include <Poco/Net/SocketAddress.h>
#include <Poco/Net/StreamSocket.h>
#include <Poco/Process.h>
#include <Poco/TemporaryFile.h>

#include "net/remote_file.h"
#include "net/temp_file.h"
#include "net/update_query.h"
#include "tests/net/loopback_server.h"
#include "tests/net/net_test_util.h"

namespace {

const char kNginx[] = "/usr/sbin/nginx";

void WriteFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

class NginxServer {
 public:
  NginxServer(const std::string& manifestTemplate, const std::string& package)
      : dir_(Poco::TemporaryFile::tempName()), port_(testnet::FreeLoopbackPort()) {
    for (const char* sub : {"", "/html", "/html/files", "/tmp"}) Poco::File(dir_ + sub).createDirectories();
    std::string manifest = manifestTemplate;
    const std::string marker = "{base}";
    for (std::size_t at; (at = manifest.find(marker)) != std::string::npos;)
      manifest.replace(at, marker.size(), Base());
    WriteFile(dir_ + "/html/update.json", manifest);
    WriteFile(dir_ + "/html/files/tovane.deb", package);
    const std::string conf = dir_ + "/nginx.conf";
    WriteFile(conf,
              "daemon off;\nmaster_process off;\nworker_processes 1;\n"
              "pid " + dir_ + "/nginx.pid;\nerror_log " + dir_ + "/error.log;\n"
              "events { worker_connections 64; }\n"
              "http {\n  access_log off;\n"
              "  client_body_temp_path " + dir_ + "/tmp/body;\n"
              "  proxy_temp_path " + dir_ + "/tmp/proxy;\n"
              "  fastcgi_temp_path " + dir_ + "/tmp/fastcgi;\n"
              "  uwsgi_temp_path " + dir_ + "/tmp/uwsgi;\n"
              "  scgi_temp_path " + dir_ + "/tmp/scgi;\n"
              "  types { application/json json; application/octet-stream deb; }\n"
              "  server {\n    listen 127.0.0.1:" + std::to_string(port_) + ";\n"
              "    root " + dir_ + "/html;\n"
              "    location = /get/tovane.deb { return 302 /files/tovane.deb; }\n"
              "  }\n}\n");
    Poco::Process::Args args = {"-p", dir_ + "/", "-c", conf, "-e", dir_ + "/error.log"};
    process_ = std::make_unique<Poco::ProcessHandle>(Poco::Process::launch(kNginx, args));
    ready_ = WaitUntilListening();
  }

  ~NginxServer() {
    if (process_) {
      Poco::Process::kill(*process_);
      process_->wait();
    }
    try {
      Poco::File(dir_).remove(true);
    } catch (const Poco::Exception&) {
    }
  }

  bool Ready() const { return ready_; }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }

 private:
  bool WaitUntilListening() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      try {
        Poco::Net::StreamSocket probe(Poco::Net::SocketAddress("127.0.0.1", port_));
        return true;
      } catch (const Poco::Exception&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
      }
    }
    return false;
  }

  std::string dir_;
  std::uint16_t port_;
  std::unique_ptr<Poco::ProcessHandle> process_;
  bool ready_ = false;
};

}  // namespace

TEST(NginxServerTest, ManifestAndRedirectedPackageFromNginx) {
  if (!Poco::File(kNginx).exists()) GTEST_SKIP() << "nginx is not installed (apt-get install nginx-light)";
  std::string package(700001, '\0');
  for (std::size_t i = 0; i < package.size(); ++i) package[i] = static_cast<char>(i * 7 + (i >> 9));
  NginxServer nginx(R"({"error":0,"msg":"ok","data":{"version":"2.0","discription":"",)"
                    R"("build_number":7,"url":"{base}/get/tovane.deb"}})",
                    package);
  ASSERT_TRUE(nginx.Ready()) << "nginx did not start";

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
