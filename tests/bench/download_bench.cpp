// Download throughput and memory of the HTTP file client, with curl
// fetching the same file from the same nginx in the same run.
//
//   bench_download [MiB]      (default 1024)
//   bench_download_tls [MiB]  the same over TLS (the same source, built with
//                             TOVANE_BENCH_TLS): nginx with the test
//                             certificate for "localhost", both clients
//                             trusting the test authority; the client also
//                             runs once more with the package's SHA-256
//                             checked as it arrives
//
// Prints both rates (median of five rounds each, taking turns), their
// ratio, and the client's peak resident memory after a small and after the
// full downloads: the two must be about the same, since the body is
// streamed through a fixed 256 KiB block.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <sys/resource.h>

#include <Poco/Process.h>

#include "net/remote_file.h"
#include "net/sha256.h"
#include "net/temp_file.h"
#include "tests/net/nginx_server.h"

#ifdef TOVANE_BENCH_TLS
constexpr bool kTls = true;
const std::string kCertificates = TOVANE_TEST_CERTS_DIR;
#else
constexpr bool kTls = false;
const std::string kCertificates;
#endif

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 5;

// The process's peak resident set size so far, in KiB.
long PeakResidentKiB() {
    rusage usage{};
    return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : -1;
}

// The progress callback costs what the installer's costs at most: a counter.
void CountBlock(std::uint64_t, std::uint64_t, DownloadUserRecord* record) {
    ++*static_cast<std::uint64_t*>(record->context);
}

// Processor seconds (user and system) used so far by this process, or by
// its children that have ended.
double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Run {
    double seconds = 0;
    double cpu = 0;  // processor seconds of the downloading process
    bool ok = false;
};

// With `sha256` the client checks the body against it as it arrives.
Run ClientRun(const std::string& url, const std::optional<Sha256Digest>& sha256 = std::nullopt) {
    std::uint64_t blocks = 0;
    DownloadCallbacks callbacks;
    callbacks.progress = &CountBlock;
    callbacks.context = &blocks;
    std::string address = url;
    const auto start = Clock::now();
    const double cpu = CpuSeconds(RUSAGE_SELF);
    std::unique_ptr<HttpFileClient> client = PrepareDownload(&callbacks, address);
    Run run;
    if (!client) return run;
    if (sha256) client->SetExpectedSha256(*sha256);
    DownloadToTempFile(*client);
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.cpu = CpuSeconds(RUSAGE_SELF) - cpu;
    run.ok = client->State() == kDownloadCompleted && blocks > 0;
    RemoveFile(client->FilePath());
    return run;
}

Run CurlRun(const std::string& url) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string out = std::string(tmp && *tmp ? tmp : "/tmp") + "/tovane-bench-curl.bin";
    const auto start = Clock::now();
    const double cpu = CpuSeconds(RUSAGE_CHILDREN);
    Run run;
    try {
        Poco::Process::Args args = {"-s", "-f", "-o", out, url};
        if (kTls) args.insert(args.begin(), {"--cacert", kCertificates + "/ca.pem"});
        Poco::ProcessHandle curl = Poco::Process::launch("curl", args);
        run.ok = curl.wait() == 0;
    } catch (const Poco::Exception& e) {
        std::fprintf(stderr, "curl could not run: %s\n", e.displayText().c_str());
    }
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.cpu = CpuSeconds(RUSAGE_CHILDREN) - cpu;
    std::remove(out.c_str());
    return run;
}

// A file of `size` bytes below nginx's root, written without holding it;
// its SHA-256.
Sha256Digest WriteBody(const testnet::NginxServer& nginx, const std::string& name, std::uint64_t size) {
    nginx.WriteFile(name, "");
    std::ofstream out(nginx.Root() + "/" + name, std::ios::binary);
    std::string chunk(1 << 20, '\0');
    for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>('a' + i % 23);
    Sha256 hash;
    for (std::uint64_t left = size; left > 0;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk.size()));
        out.write(chunk.data(), static_cast<std::streamsize>(n));
        hash.Update(chunk.data(), n);
        left -= n;
    }
    return hash.Finish();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t mib = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1024;
    const std::uint64_t size = mib << 20;
    const std::uint64_t smallSize = std::min<std::uint64_t>(size, 16u << 20);
    if (!testnet::NginxServer::Installed()) {
        std::printf("nginx is not installed (apt-get install nginx-light)\n");
        return 1;
    }
    if (kTls) {
        // The client trusts the test authority through OpenSSL's default
        // locations, as curl does through --cacert.
        setenv("SSL_CERT_FILE", (kCertificates + "/ca.pem").c_str(), 1);
    }
    const testnet::TlsFiles tls{kCertificates + "/localhost.pem", kCertificates + "/localhost.key"};
    testnet::NginxServer nginx("", kTls ? &tls : nullptr);
    WriteBody(nginx, "small.bin", smallSize);
    const Sha256Digest bodySha256 = WriteBody(nginx, "body.bin", size);
    if (!nginx.Start()) {
        std::printf("nginx did not start\n");
        return 1;
    }

    const Run small = ClientRun(nginx.Base() + "/small.bin");
    const long smallPeakKiB = PeakResidentKiB();
    // Curl and the client take turns, so that neither always pays for the
    // other's file being written back.
    std::vector<double> clientSeconds, curlSeconds, checkedSeconds, clientCpu, curlCpu;
    bool ok = small.ok;
    for (int round = 0; round < kRounds && ok; ++round) {
        const Run c = CurlRun(nginx.Base() + "/body.bin");
        const Run t = ClientRun(nginx.Base() + "/body.bin");
        ok = c.ok && t.ok;
        curlSeconds.push_back(c.seconds);
        clientSeconds.push_back(t.seconds);
        curlCpu.push_back(c.cpu);
        clientCpu.push_back(t.cpu);
        if (kTls && ok) {
            const Run checked = ClientRun(nginx.Base() + "/body.bin", bodySha256);
            ok = checked.ok;
            checkedSeconds.push_back(checked.seconds);
        }
    }
    if (!ok) {
        std::printf("download failed\n");
        return 1;
    }
    const double clientRate = static_cast<double>(mib) / Median(clientSeconds);
    const double curlRate = static_cast<double>(mib) / Median(curlSeconds);
    std::printf("body %llu MiB from nginx over loopback%s, into a temporary file, median of %d\n",
                static_cast<unsigned long long>(mib), kTls ? " with TLS" : "", kRounds);
    std::printf("client  %8.2f s  %8.1f MiB/s\n", Median(clientSeconds), clientRate);
    std::printf("curl    %8.2f s  %8.1f MiB/s\n", Median(curlSeconds), curlRate);
    std::printf("client/curl throughput ratio  %.2f\n", clientRate / curlRate);
    // What each download costs the processor, whatever else the machine does.
    std::printf("processor time per download: client %.2f s, curl %.2f s, curl/client ratio %.2f\n", Median(clientCpu),
                Median(curlCpu), Median(curlCpu) / Median(clientCpu));
    if (kTls) {
        const double checkedRate = static_cast<double>(mib) / Median(checkedSeconds);
        std::printf("client with the SHA-256 check  %8.2f s  %8.1f MiB/s\n", Median(checkedSeconds), checkedRate);
        std::printf("client with the check / curl throughput ratio  %.2f\n", checkedRate / curlRate);
    }
    std::printf("client peak resident memory: %ld KiB after %llu MiB, %ld KiB after %llu MiB\n", smallPeakKiB,
                static_cast<unsigned long long>(smallSize >> 20), PeakResidentKiB(),
                static_cast<unsigned long long>(mib));
    return 0;
}
