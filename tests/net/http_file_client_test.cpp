// The download client against the loopback server: redirects, ports,
// lengths, short and broken bodies, and the temporary file.
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "net/http_file_client.h"
#include "net/remote_file.h"
#include "net/temp_file.h"
#include "tests/net/loopback_server.h"
#include "tests/net/net_test_util.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

using testnet::LoopbackServer;
using testnet::RawEnd;

namespace {

std::string Pattern(std::size_t size) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = LoopbackServer::PatternByte(i);
    return s;
}

std::string RawHead(const std::string& headers) {
    return "HTTP/1.1 200 OK\r\nConnection: close\r\n" + headers + "\r\n";
}

// Answers the first request (the probe) with `probe`, later ones with `get`.
void ProbeThenGet(LoopbackServer& server, const std::string& path, LoopbackServer::Handler probe,
                  LoopbackServer::Handler get) {
    auto count = std::make_shared<std::atomic<int>>(0);
    server.Route(path, [=](Poco::Net::HTTPServerRequest& rq, Poco::Net::HTTPServerResponse& rs) {
        if ((*count)++ == 0)
            probe(rq, rs);
        else
            get(rq, rs);
    });
}

LoopbackServer::Handler LengthOnly(std::int64_t length) {
    return [length](Poco::Net::HTTPServerRequest&, Poco::Net::HTTPServerResponse& rs) {
        rs.setContentLength64(length);
        rs.send();  // the probe reads only the head
    };
}

// Records what the callbacks saw.
struct CallbackLog {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> progress;
    std::vector<int> done;
    bool fileExistedAtDone = false;
};

void LogProgress(std::uint64_t received, std::uint64_t expected, DownloadUserRecord* record) {
    static_cast<CallbackLog*>(record->context)->progress.emplace_back(received, expected);
}

void LogDone(int success, DownloadUserRecord* record) {
    auto* log = static_cast<CallbackLog*>(record->context);
    log->done.push_back(success);
    log->fileExistedAtDone = testnet::FileExists(record->client->FilePath());
}

DownloadCallbacks Callbacks(CallbackLog& log) {
    DownloadCallbacks callbacks;
    callbacks.progress = &LogProgress;
    callbacks.done = &LogDone;
    callbacks.context = &log;
    return callbacks;
}

// Prepares and runs one download of `path`; the client is returned for inspection.
std::unique_ptr<HttpFileClient> Download(LoopbackServer& server, const std::string& path, CallbackLog& log) {
    std::string address = server.Url(path);
    DownloadCallbacks callbacks = Callbacks(log);
    std::unique_ptr<HttpFileClient> client = PrepareDownload(&callbacks, address);
    if (client) DownloadToTempFile(*client);
    return client;
}

void ExpectFailedWithoutFile(const HttpFileClient& client, const CallbackLog& log, const wchar_t* text) {
    EXPECT_EQ(client.State(), kDownloadFailed);
    EXPECT_EQ(client.ErrorText(), text);
    EXPECT_EQ(log.done, std::vector<int>{0});
    EXPECT_FALSE(testnet::FileExists(client.FilePath())) << "partial file left behind";
}

}  // namespace

TEST(HttpFileClientRedirects, ThreeHopChainIsFollowedAndTheGetGoesStraightToTheEnd) {
    LoopbackServer server;
    const std::string body = Pattern(5000);
    server.Redirect("/r1", 302, server.Url("/r2"));  // absolute
    server.Redirect("/r2", 302, "/r3");              // relative to the same server
    server.Redirect("/r3", 302, server.Url("/file.deb"));
    server.ServeBody("/file.deb", body);

    std::string address = server.Url("/r1");
    RemoteFileInfo info;
    ASSERT_TRUE(ProbeRemoteFile(address, info));
    EXPECT_EQ(address, server.Url("/file.deb"));
    EXPECT_EQ(info.contentLength, 5000);
    EXPECT_EQ(info.contentType, "application/octet-stream");

    address = server.Url("/r1");
    CallbackLog log;
    DownloadCallbacks callbacks = Callbacks(log);
    std::unique_ptr<HttpFileClient> client = PrepareDownload(&callbacks, address);
    ASSERT_TRUE(client);
    EXPECT_EQ(address, server.Url("/file.deb"));
    EXPECT_EQ(server.Hits("/r1"), 2);  // both probes; the GET starts at the final address
    EXPECT_EQ(server.Hits("/file.deb"), 3);
    DownloadToTempFile(*client);
    EXPECT_EQ(client->State(), kDownloadCompleted);
    EXPECT_EQ(testnet::ReadWholeFile(client->FilePath()), body);
    RemoveFile(client->FilePath());

    for (const testnet::RecordedRequest& request : server.Requests()) {
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.userAgent, "tovane pc-mini TL");
        EXPECT_EQ(request.referer, kDownloadReferer);
        EXPECT_FALSE(request.hasRange);
    }
}

TEST(HttpFileClientRedirects, LoopsAndOverlongChainsFailInsteadOfHanging) {
    LoopbackServer server;
    server.Redirect("/a", 302, "/b");
    server.Redirect("/b", 301, server.Url("/a"));
    // /c0 -> /c1 -> ... -> /c21 -> /end: 22 redirects from /c0, 20 from /c2.
    for (int i = 0; i <= 21; ++i)
        server.Redirect("/c" + std::to_string(i), 302, i == 21 ? std::string("/end") : "/c" + std::to_string(i + 1));
    server.ServeBody("/end", "done");

    const auto start = std::chrono::steady_clock::now();
    std::string address = server.Url("/a");
    RemoteFileInfo info;
    EXPECT_FALSE(ProbeRemoteFile(address, info));
    address = server.Url("/a");
    EXPECT_FALSE(OpenDownload(address));
    address = server.Url("/c1");  // 21 redirects
    EXPECT_FALSE(ProbeRemoteFile(address, info));
    address = server.Url("/c1");
    EXPECT_FALSE(OpenDownload(address));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

    address = server.Url("/c2");  // exactly 20 redirects: still followed
    EXPECT_TRUE(ProbeRemoteFile(address, info));
    EXPECT_EQ(address, server.Url("/end"));
    address = server.Url("/c2");
    EXPECT_TRUE(OpenDownload(address));
}

TEST(HttpFileClientRedirects, RedirectWithoutLocationFails) {
    LoopbackServer server;
    server.Redirect("/nowhere", 302, "");
    std::string address = server.Url("/nowhere");
    RemoteFileInfo info;
    EXPECT_FALSE(ProbeRemoteFile(address, info));
    EXPECT_TRUE(address.empty());
}

TEST(HttpFileClientProbe, FailuresYieldFalseAndNoClient) {
    LoopbackServer server;
    RemoteFileInfo info;
    std::string missing = server.Url("/missing");
    EXPECT_FALSE(ProbeRemoteFile(missing, info));
    std::string refused = "http://127.0.0.1:" + std::to_string(testnet::FreeLoopbackPort()) + "/x";
    EXPECT_FALSE(ProbeRemoteFile(refused, info));
    for (std::string bad : {std::string(), std::string("not an address"), std::string("ftp://127.0.0.1/x"),
                            std::string("http://"), std::string("http://[::1/x")}) {
        EXPECT_FALSE(ProbeRemoteFile(bad, info)) << bad;
        EXPECT_FALSE(PrepareDownload(nullptr, bad)) << bad;
    }
}

TEST(HttpFileClientProbe, ReadsTheHeadOfTheAnswerWith64BitLength) {
    LoopbackServer server;
    const std::int64_t fiveGiB = 5LL << 30;  // wraps to 1 GiB in 32 bits
    server.Route("/big", [=](Poco::Net::HTTPServerRequest&, Poco::Net::HTTPServerResponse& rs) {
        rs.setContentLength64(fiveGiB);
        rs.set("Accept-Ranges", "bytes");
        rs.set("Last-Modified", "Tue, 01 Dec 2026 10:00:00 GMT");
        rs.send() << "only the start";
    });
    server.ServeRaw("/nolength", RawHead(""), "body without length");

    std::string address = server.Url("/big");
    RemoteFileInfo info;
    ASSERT_TRUE(ProbeRemoteFile(address, info));
    EXPECT_EQ(info.contentLength, fiveGiB);
    EXPECT_TRUE(info.acceptsRanges);
    EXPECT_EQ(info.lastModified, "Tue, 01 Dec 2026 10:00:00 GMT");

    address = server.Url("/big");
    std::unique_ptr<HttpFileClient> client = PrepareDownload(nullptr, address);
    ASSERT_TRUE(client);
    EXPECT_EQ(client->ExpectedSize(), fiveGiB);

    address = server.Url("/nolength");
    RemoteFileInfo none;
    ASSERT_TRUE(ProbeRemoteFile(address, none));
    EXPECT_EQ(none.contentLength, -1);
    EXPECT_FALSE(none.acceptsRanges);
}

TEST(HttpFileClientOpen, GetUsesThePortOfTheAddress) {
    LoopbackServer server;  // never on port 80
    server.ServeBody("/pkg", "package");
    std::string address = server.Url("/pkg");
    std::unique_ptr<HttpFileClient> client = PrepareDownload(nullptr, address);
    ASSERT_TRUE(client) << "GET did not reach port " << server.Port();
    EXPECT_EQ(client->getPort(), server.Port());
    EXPECT_EQ(server.Hits("/pkg"), 2);
}

TEST(HttpFileClientOpen, PartialContentAnswerIsAccepted) {
    LoopbackServer server;
    const std::string body = Pattern(1234);
    ProbeThenGet(server, "/p", LengthOnly(1234),
                 [body](Poco::Net::HTTPServerRequest&, Poco::Net::HTTPServerResponse& rs) {
                     rs.setStatus(Poco::Net::HTTPResponse::HTTP_PARTIAL_CONTENT);
                     rs.setContentLength64(1234);
                     rs.send() << body;
                 });
    CallbackLog log;
    std::unique_ptr<HttpFileClient> client = Download(server, "/p", log);
    ASSERT_TRUE(client);
    EXPECT_EQ(client->State(), kDownloadCompleted);
    EXPECT_EQ(testnet::ReadWholeFile(client->FilePath()), body);
    RemoveFile(client->FilePath());
}

TEST(HttpFileClientDownload, ExactLengthCompletesIntoANewTempFile) {
    LoopbackServer server;
    const std::size_t size = 3 * kDownloadBlockSize + 17;
    server.ServeGenerated("/pkg", size);
    CallbackLog log;
    std::unique_ptr<HttpFileClient> client = Download(server, "/pkg", log);
    ASSERT_TRUE(client);
    EXPECT_EQ(client->State(), kDownloadCompleted);
    EXPECT_TRUE(client->ErrorText().empty());
    EXPECT_EQ(client->ReceivedSize(), size);
    EXPECT_EQ(log.done, std::vector<int>{1});
    EXPECT_TRUE(log.fileExistedAtDone);
    // One progress call per block of 256 KiB.
    const std::vector<std::pair<std::uint64_t, std::uint64_t>> expected = {
        {kDownloadBlockSize, size}, {2 * kDownloadBlockSize, size}, {3 * kDownloadBlockSize, size}, {size, size}};
    EXPECT_EQ(log.progress, expected);
    const std::wstring& path = client->FilePath();
    const std::size_t slash = path.find_last_of(L"/\\");
    EXPECT_EQ(path.substr(slash + 1, 3), L"~4a");
    EXPECT_EQ(testnet::ReadWholeFile(path), Pattern(size));
    RemoveFile(path);
}

TEST(HttpFileClientDownload, ShortOrLengthlessBodiesFailTheSizeCheck) {
    LoopbackServer server;
    // Probe promises 1000; the GET promises 1000 too but closes after 999.
    server.ServeRaw("/short", RawHead("Content-Length: 1000\r\n"), Pattern(999));
    // No Content-Length anywhere: expected size -1.
    server.ServeRaw("/nolength", RawHead(""), Pattern(4000));
    // Chunked body cut off inside its first chunk.
    server.ServeRaw("/chunked", RawHead("Transfer-Encoding: chunked\r\n"), "3e8\r\n" + Pattern(500));

    {
        CallbackLog log;
        std::unique_ptr<HttpFileClient> client = Download(server, "/short", log);
        ASSERT_TRUE(client);
        EXPECT_EQ(client->ReceivedSize(), 999u);
        ExpectFailedWithoutFile(*client, log, L"下载失败:文件大小检验不正确!");
    }
    {
        CallbackLog log;
        std::unique_ptr<HttpFileClient> client = Download(server, "/nolength", log);
        ASSERT_TRUE(client);
        EXPECT_EQ(client->ExpectedSize(), -1);
        ASSERT_FALSE(log.progress.empty());
        EXPECT_EQ(log.progress.back(), std::make_pair(std::uint64_t{4000}, std::uint64_t{UINT64_MAX}));
        ExpectFailedWithoutFile(*client, log, kDownloadErrorSize);
    }
    {
        // The probe promised 1000 bytes; the chunked GET ends after 500.
        std::string cut = server.Url("/chunked");
        std::unique_ptr<HttpFileClient> client = OpenDownload(cut);
        ASSERT_TRUE(client);
        CallbackLog log;
        client->SetExpectedSize(1000);
        client->SetCallbacks(Callbacks(log));
        DownloadToTempFile(*client);
        EXPECT_EQ(client->ReceivedSize(), 500u);
        ExpectFailedWithoutFile(*client, log, kDownloadErrorSize);
    }
}

TEST(HttpFileClientDownload, ContentLengthShorterThanTheBodyReadsOnlyThatLength) {
    LoopbackServer server;
    server.ServeRaw("/long", RawHead("Content-Length: 600\r\n"), Pattern(900));
    CallbackLog log;
    std::unique_ptr<HttpFileClient> client = Download(server, "/long", log);
    ASSERT_TRUE(client);
    EXPECT_EQ(client->State(), kDownloadCompleted);
    EXPECT_EQ(testnet::ReadWholeFile(client->FilePath()), Pattern(600));
    RemoveFile(client->FilePath());
}

TEST(HttpFileClientDownload, CutOrResetBodyFailsEvenWhenTheProbedSizeWasReached) {
    LoopbackServer server;
    // The probe finds an empty file (a reset also drops the block being
    // read, so only a probed size of 0 lets the byte count alone match).
    server.Route("/empty", LengthOnly(0));
    // The GET announces 2000 bytes and resets before sending any.
    server.ServeRaw("/reset-announced", RawHead("Content-Length: 2000\r\n"), "", RawEnd::kResetWhenReleased);
    // The GET announces no length and resets: only the socket error tells.
    server.ServeRaw("/reset-unannounced", RawHead(""), "", RawEnd::kResetWhenReleased);
    // A reset in the middle of a body with a matching probe.
    server.ServeRaw("/reset-mid", RawHead("Content-Length: 300000\r\n"), Pattern(100000), RawEnd::kResetWhenReleased);

    struct Case {
        const char* probe;
        const char* get;
    };
    std::vector<Case> cases = {{"/empty", "/reset-announced"}, {"/reset-mid", "/reset-mid"}};
#ifndef _WIN32
    cases.push_back({"/empty", "/reset-unannounced"});  // Wine reports a reset as a normal close
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.get);
        std::string address = server.Url(c.probe);
        RemoteFileInfo info;
        ASSERT_TRUE(ProbeRemoteFile(address, info));
        std::string get = server.Url(c.get);
        std::unique_ptr<HttpFileClient> client = OpenDownload(get);
        ASSERT_TRUE(client);
        server.ReleaseHeldAnswers();
        CallbackLog log;
        client->SetExpectedSize(info.contentLength);
        client->SetCallbacks(Callbacks(log));
        DownloadToTempFile(*client);
        ExpectFailedWithoutFile(*client, log, kDownloadErrorSize);
    }
}

TEST(HttpFileClientDownload, SlowBodyIsReceivedWhole) {
    LoopbackServer server;
    const std::string body = Pattern(6000);
    server.ServeRaw("/slow", RawHead("Content-Length: 6000\r\n"), body, RawEnd::kClose, 4, 60);
    CallbackLog log;
    std::unique_ptr<HttpFileClient> client = Download(server, "/slow", log);
    ASSERT_TRUE(client);
    EXPECT_EQ(client->State(), kDownloadCompleted);
    EXPECT_EQ(testnet::ReadWholeFile(client->FilePath()), body);
    RemoveFile(client->FilePath());
}

TEST(HttpFileClientDownload, NoCallbacksStillDownloads) {
    LoopbackServer server;
    server.ServeBody("/pkg", "abc");
    std::string address = server.Url("/pkg");
    std::unique_ptr<HttpFileClient> client = PrepareDownload(nullptr, address);
    ASSERT_TRUE(client);
    DownloadToTempFile(*client);
    EXPECT_EQ(client->State(), kDownloadCompleted);
    EXPECT_EQ(client->UserRecord()->client, client.get());
    RemoveFile(client->FilePath());
}

TEST(HttpFileClientTempFile, UnusableTempFolderFailsWithTheCreateText) {
    LoopbackServer server;
    server.ServeBody("/pkg", "abc");
#ifdef _WIN32
    testnet::ScopedEnv tmp("TMP", std::string("C:\\no\\such\\folder\\"));
    testnet::ScopedEnv temp("TEMP", std::string("C:\\no\\such\\folder\\"));
#else
    testnet::ScopedEnv tmp("TMPDIR", std::string("/no/such/folder"));
#endif
    CallbackLog log;
    std::unique_ptr<HttpFileClient> client = Download(server, "/pkg", log);
    ASSERT_TRUE(client);
    EXPECT_EQ(client->State(), kDownloadFailed);
    EXPECT_EQ(client->ErrorText(), L"下载失败:无法创建本地文件!");
    EXPECT_EQ(log.done, std::vector<int>{0});
    EXPECT_TRUE(log.progress.empty());
}

#ifndef _WIN32
// A file size limit makes writes fail the way a full disk does.
TEST(HttpFileClientTempFile, WriteErrorFailsAndRemovesThePartialFile) {
    LoopbackServer server;
    server.ServeGenerated("/pkg", 4 * kDownloadBlockSize);
    std::string address = server.Url("/pkg");
    CallbackLog log;
    DownloadCallbacks callbacks = Callbacks(log);
    std::unique_ptr<HttpFileClient> client = PrepareDownload(&callbacks, address);
    ASSERT_TRUE(client);

    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = kDownloadBlockSize + 100;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    DownloadToTempFile(*client);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    ExpectFailedWithoutFile(*client, log, kDownloadErrorCreateFile);
}
#endif
