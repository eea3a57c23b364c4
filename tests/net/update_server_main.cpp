// A local update service for trying the installer without the maker's
// servers: serves a manifest and a package (behind a redirect) on loopback
// until interrupted.
//
//   tovane_update_server [--port N] [--package FILE] [--slow]
//
// Prints the TOVANE_UPDATE_URL to start the installer with. Without
// --package it serves a small sample package; --slow sends the package in
// pieces over about three seconds so the percentages can be watched.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "tests/net/loopback_server.h"

namespace {

std::atomic<bool> stopRequested{false};

void RequestStop(int) { stopRequested = true; }

std::string SamplePackage() {
    std::string data = "!<arch>\ndebian-binary   0           0     0     100644  4         `\n2.0\n";
    data.resize(2u << 20, '\n');  // a package of 2 MiB
    return data;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint16_t port = 0;
    std::string package = SamplePackage();
    bool slow = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--port" && i + 1 < argc) {
            port = static_cast<std::uint16_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--package" && i + 1 < argc) {
            std::ifstream in(argv[++i], std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "cannot read %s\n", argv[i]);
                return 2;
            }
            package.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        } else if (arg == "--slow") {
            slow = true;
        } else {
            std::fprintf(stderr, "usage: %s [--port N] [--package FILE] [--slow]\n", argv[0]);
            return 2;
        }
    }

    testnet::LoopbackServer server(port);
    server.ServeBody("/update.json", R"({"error":0,"msg":"","data":{"version":"1.0","discription":"local sample",)"
                                     R"("build_number":1,"url":")" +
                                         server.Url("/get/tovane_tl.deb") + "\"}}");
    server.Redirect("/get/tovane_tl.deb", 302, "/files/tovane_tl.deb");
    if (slow) {
        server.ServeRaw("/files/tovane_tl.deb",
                        "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Type: application/octet-stream\r\n"
                        "Content-Length: " +
                            std::to_string(package.size()) + "\r\n\r\n",
                        package, testnet::RawEnd::kClose, 30, 100);
    } else {
        server.ServeBody("/files/tovane_tl.deb", package);
    }

    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    std::printf("TOVANE_UPDATE_URL=%s\n", server.Url("/update.json?type=tu").c_str());
    std::printf("serving a package of %zu bytes; Ctrl-C stops\n", package.size());
    std::fflush(stdout);
    while (!stopRequested) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return 0;
}
