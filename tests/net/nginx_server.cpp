#include "tests/net/nginx_server.h"

#include <chrono>
#include <fstream>
#include <thread>

#include <Poco/Exception.h>
#include <Poco/File.h>
#include <Poco/Net/SocketAddress.h>
#include <Poco/Net/StreamSocket.h>
#include <Poco/Path.h>
#include <Poco/TemporaryFile.h>

#include "tests/net/loopback_server.h"

namespace testnet {

NginxServer::NginxServer(const std::string& extraConfig, const TlsFiles* tls)
    : dir_(Poco::TemporaryFile::tempName()),
      port_(FreeLoopbackPort()),
      extraConfig_(extraConfig),
      tls_(tls ? *tls : TlsFiles{}) {
    for (const char* sub : {"", "/html", "/tmp"}) Poco::File(dir_ + sub).createDirectories();
}

NginxServer::~NginxServer() {
    if (process_) {
        Poco::Process::kill(*process_);
        process_->wait();
    }
    try {
        Poco::File(dir_).remove(true);
    } catch (const Poco::Exception&) {
    }
}

bool NginxServer::Installed() { return Poco::File(kNginxPath).exists(); }

void NginxServer::WriteFile(const std::string& relative, const std::string& data) const {
    const std::string path = Root() + "/" + relative;
    Poco::File(Poco::Path(path).parent()).createDirectories();
    std::ofstream out(path, std::ios::binary);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

bool NginxServer::Start() {
    const std::string conf = dir_ + "/nginx.conf";
    std::ofstream(conf) << "daemon off;\nmaster_process off;\nworker_processes 1;\n"
                           "pid "
                        << dir_ << "/nginx.pid;\nerror_log " << dir_
                        << "/error.log;\n"
                           "events { worker_connections 64; }\n"
                           "http {\n  access_log off;\n  sendfile on;\n"
                           "  client_body_temp_path "
                        << dir_
                        << "/tmp/body;\n"
                           "  proxy_temp_path "
                        << dir_
                        << "/tmp/proxy;\n"
                           "  fastcgi_temp_path "
                        << dir_
                        << "/tmp/fastcgi;\n"
                           "  uwsgi_temp_path "
                        << dir_
                        << "/tmp/uwsgi;\n"
                           "  scgi_temp_path "
                        << dir_
                        << "/tmp/scgi;\n"
                           "  types { application/json json; application/octet-stream deb; }\n"
                           "  server {\n    listen 127.0.0.1:"
                        << port_ << (tls_.certificate.empty() ? "" : " ssl") << ";\n"
                        << (tls_.certificate.empty() ? ""
                                                     : "    ssl_certificate " + tls_.certificate +
                                                           ";\n    ssl_certificate_key " + tls_.key + ";\n")
                        << "    root " << Root() << ";\n"
                        << extraConfig_ << "  }\n}\n";
    try {
        Poco::Process::Args args = {"-p", dir_ + "/", "-c", conf, "-e", dir_ + "/error.log"};
        process_ = std::make_unique<Poco::ProcessHandle>(Poco::Process::launch(kNginxPath, args));
    } catch (const Poco::Exception&) {
        return false;
    }
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

}  // namespace testnet
