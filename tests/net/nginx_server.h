// Debian's nginx on a free loopback port with its own prefix in a temporary
// folder: a web server nobody here wrote, for the client's tests and the
// download benchmark. Native builds only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <Poco/Process.h>

namespace testnet {

inline constexpr char kNginxPath[] = "/usr/sbin/nginx";

// A certificate chain and key in PEM files, for a server that speaks TLS.
struct TlsFiles {
    std::string certificate;
    std::string key;
};

class NginxServer {
public:
    // Serves the folder Root() from; `extraConfig` goes into the server block.
    // With `tls` the server speaks https only, as "localhost".
    explicit NginxServer(const std::string& extraConfig = "", const TlsFiles* tls = nullptr);
    ~NginxServer();
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    static bool Installed();
    // Starts nginx; true once it accepts connections.
    bool Start();
    // The folder served as "/".
    std::string Root() const { return dir_ + "/html"; }
    std::string Base() const {
        return tls_.certificate.empty() ? "http://127.0.0.1:" + std::to_string(port_)
                                        : "https://localhost:" + std::to_string(port_);
    }
    // Writes a file below Root() ("files/x.deb").
    void WriteFile(const std::string& relative, const std::string& data) const;

private:
    std::string dir_;
    std::uint16_t port_;
    std::string extraConfig_;
    TlsFiles tls_;
    std::unique_ptr<Poco::ProcessHandle> process_;
};

}  // namespace testnet
