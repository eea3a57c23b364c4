// The https tests' web servers, started by the test fixture tls-sites.sh
// (one nginx on loopback; TOVANE_TLS_SITES names its folder), and the test
// certificates made by make-test-certs.sh (TOVANE_TEST_CERTS). Native and
// Windows tests read the same files; under Wine the folders are reached
// through drive Z:.
#pragma once

#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string>

namespace testnet {

// A Unix path as this program opens it.
inline std::string HostPath(const std::string& unixPath) {
#ifdef _WIN32
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
#else
    return unixPath;
#endif
}

// The folder an environment variable names, as this program opens it; empty
// when unset.
inline std::string FolderFromEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? HostPath(value) : std::string();
}

inline std::optional<std::string> ReadFileAt(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class TlsSites {
public:
    // Reads sites.env; nothing when the fixture did not run.
    static std::optional<TlsSites> Load() {
        const std::string dir = FolderFromEnv("TOVANE_TLS_SITES");
        if (dir.empty()) return std::nullopt;
        std::ifstream in(dir + "/sites.env");
        TlsSites sites;
        for (std::string line; std::getline(in, line);) {
            const std::size_t eq = line.find('=');
            if (eq != std::string::npos) sites.values_[line.substr(0, eq)] = line.substr(eq + 1);
        }
        if (sites.Value("HTTPS_PORT").empty() || sites.Value("ROOT").empty()) return std::nullopt;
        return sites;
    }

    std::string Value(const std::string& key) const {
        auto it = values_.find(key);
        return it == values_.end() ? std::string() : it->second;
    }
    // "https://localhost:<port of KEY><path>"; "http://..." for HTTP_PORT.
    std::string Url(const std::string& portKey, const std::string& path) const {
        return std::string(portKey == "HTTP_PORT" ? "http" : "https") + "://localhost:" + Value(portKey) + path;
    }
    std::string Manifest(const std::string& name) const { return Url("HTTPS_PORT", "/manifests/" + name + ".json"); }
    std::string PackageUrl(const std::string& portKey = "HTTPS_PORT") const { return Url(portKey, "/pkg/tovane.deb"); }
    // The served folder, as this program opens it.
    std::string Root() const { return HostPath(Value("ROOT")); }
    std::string Package() const { return ReadFileAt(Root() + "/pkg/tovane.deb").value_or(""); }

private:
    std::map<std::string, std::string> values_;
};

// A test certificate in DER form ("ca", "localhost", "otherhost", "expired",
// "selfsigned", "stranger", "stranger-ca"); empty when missing.
inline std::string TestCertificate(const std::string& name) {
    const std::string dir = FolderFromEnv("TOVANE_TEST_CERTS");
    return dir.empty() ? std::string() : ReadFileAt(dir + "/" + name + ".der").value_or("");
}

}  // namespace testnet
