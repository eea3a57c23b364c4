// Download throughput and memory of the HTTP file client on loopback, with
// curl fetching the same body from the same server in the same run.
//
//   bench_download [MiB]      (default 1024)
//
// Prints both rates (best of two rounds each), their ratio, and the client's resident memory at its
// peak during a small and during the full download: the two must be about
// the same, since the body is streamed through a fixed 256 KiB block.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <Poco/Process.h>

#include "net/remote_file.h"
#include "net/temp_file.h"
#include "tests/net/loopback_server.h"

namespace {

using Clock = std::chrono::steady_clock;

// Resident set size in KiB, from /proc/self/statm.
long ResidentKiB() {
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return -1;
  long pages = 0, resident = 0;
  const int n = std::fscanf(f, "%ld %ld", &pages, &resident);
  std::fclose(f);
  return n == 2 ? resident * 4 : -1;
}

struct Sample {
  long peakKiB = 0;
};

void SampleMemory(std::uint64_t, std::uint64_t, DownloadUserRecord* record) {
  auto* sample = static_cast<Sample*>(record->context);
  const long now = ResidentKiB();
  if (now > sample->peakKiB) sample->peakKiB = now;
}

struct Run {
  double seconds = 0;
  bool ok = false;
  long peakKiB = 0;
};

Run ClientRun(const std::string& url) {
  Sample sample;
  DownloadCallbacks callbacks;
  callbacks.progress = &SampleMemory;
  callbacks.context = &sample;
  std::string address = url;
  const auto start = Clock::now();
  std::unique_ptr<HttpFileClient> client = PrepareDownload(&callbacks, address);
  Run run;
  if (!client) return run;
  DownloadToTempFile(*client);
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  run.ok = client->State() == kDownloadCompleted;
  run.peakKiB = sample.peakKiB;
  RemoveFile(client->FilePath());
  return run;
}

Run CurlRun(const std::string& url) {
  const char* tmp = std::getenv("TMPDIR");
  const std::string out = std::string(tmp && *tmp ? tmp : "/tmp") + "/tovane-bench-curl.bin";
  const auto start = Clock::now();
  Run run;
  try {
    Poco::ProcessHandle curl = Poco::Process::launch("curl", {"-s", "-f", "-o", out, url});
    run.ok = curl.wait() == 0;
  } catch (const Poco::Exception& e) {
    std::fprintf(stderr, "curl could not run: %s\n", e.displayText().c_str());
  }
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::remove(out.c_str());
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  const std::uint64_t mib = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1024;
  const std::uint64_t size = mib << 20;
  const std::uint64_t smallSize = std::min<std::uint64_t>(size, 16u << 20);
  testnet::LoopbackServer server;
  server.ServeGenerated("/small", smallSize);
  server.ServeGenerated("/body", size);

  const Run small = ClientRun(server.Url("/small"));
  // Two rounds, curl and client taking turns so that neither always pays
  // for the other's file being written back; the faster round of each counts.
  Run client, curl;
  long fullPeakKiB = 0;
  for (int round = 0; round < 2; ++round) {
    const Run c = CurlRun(server.Url("/body"));
    const Run t = ClientRun(server.Url("/body"));
    if (round == 0 || (c.ok && c.seconds < curl.seconds)) curl = c;
    if (round == 0 || (t.ok && t.seconds < client.seconds)) client = t;
    if (t.peakKiB > fullPeakKiB) fullPeakKiB = t.peakKiB;
  }
  if (!small.ok || !client.ok || !curl.ok) {
    std::printf("download failed: small %d, client %d, curl %d\n", small.ok, client.ok, curl.ok);
    return 1;
  }
  const double clientRate = static_cast<double>(mib) / client.seconds;
  const double curlRate = static_cast<double>(mib) / curl.seconds;
  std::printf("body %llu MiB over loopback, into a temporary file\n",
              static_cast<unsigned long long>(mib));
  std::printf("client  %8.2f s  %8.1f MiB/s\n", client.seconds, clientRate);
  std::printf("curl    %8.2f s  %8.1f MiB/s\n", curl.seconds, curlRate);
  std::printf("client/curl throughput ratio  %.2f\n", clientRate / curlRate);
  std::printf("client peak resident memory: %ld KiB during %llu MiB, %ld KiB during %llu MiB\n",
              small.peakKiB, static_cast<unsigned long long>(smallSize >> 20), fullPeakKiB,
              static_cast<unsigned long long>(mib));
  return 0;
}
