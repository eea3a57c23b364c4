// The online fetch against the loopback server, with the window and the
// install workflow replaced by recorders.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/online_fetch.h"
#include "net/temp_file.h"
#include "tests/net/fetch_recorders.h"
#include "tests/net/loopback_server.h"
#include "tests/net/net_test_util.h"

using testnet::LoopbackServer;
using testnet::RecordingTarget;
using testnet::RecordingView;

namespace {

std::string Manifest(const std::string& url) {
    return R"({"error":0,"msg":"","data":{"version":"1.0","discription":"","build_number":1,"url":")" + url + "\"}}";
}

struct FetchRun {
    RecordingView view;
    RecordingTarget target;
};

void Fetch(LoopbackServer& server, FetchRun& run) {
    testnet::ScopedEnv address("TOVANE_UPDATE_URL", server.Url("/update.json?type=tu"));
    FetchAndInstall(run.view, run.target);
}

void ExpectDownloadFailure(const FetchRun& run, const wchar_t* message) {
    EXPECT_EQ(run.view.messages, std::vector<std::wstring>{message});
    ASSERT_FALSE(run.view.texts.empty());
    EXPECT_EQ(run.view.texts.back(), L"安装失败,请重试");
    EXPECT_TRUE(run.target.packagePath.empty());
    EXPECT_EQ(run.target.installs, 0);
}

}  // namespace

TEST(DownloadProgressTextTest, PercentWithTwoDecimals) {
    EXPECT_EQ(DownloadProgressText(1000, 4000), L"正在下载:25.00%");
    EXPECT_EQ(DownloadProgressText(1, 3), L"正在下载:33.33%");
    EXPECT_EQ(DownloadProgressText(4000, 4000), L"正在下载:100.00%");
    // No length: -1 taken as unsigned.
    EXPECT_EQ(DownloadProgressText(123456789, UINT64_MAX), L"正在下载:0.00%");
    EXPECT_EQ(DownloadProgressText(5, 0), L"正在下载:0.00%");
    EXPECT_EQ(DownloadProgressText(6ULL << 30, 5ULL << 30), L"正在下载:120.00%");
}

TEST(OnlineFetch, DownloadsThroughARedirectAndInstalls) {
    LoopbackServer server;
    std::string package(300000, 'p');
    server.ServeBody("/update.json", Manifest(server.Url("/get/tovane.deb")));
    server.Redirect("/get/tovane.deb", 302, "/files/tovane.deb");
    server.ServeBody("/files/tovane.deb", package);

    FetchRun run;
    Fetch(server, run);
    EXPECT_TRUE(run.view.messages.empty());
    EXPECT_EQ(run.target.installs, 1);
    EXPECT_EQ(run.target.installedBytes, package);
    const std::vector<std::wstring> progress = {L"正在下载:87.38%", L"正在下载:100.00%"};
    EXPECT_EQ(run.view.texts, progress);
    EXPECT_EQ(run.view.imageChanges, 0);
    RemoveFile(run.target.packagePath);
}

TEST(OnlineFetch, FailedQueryShowsTheQueryText) {
    LoopbackServer server;  // no /update.json: 404
    FetchRun run;
    Fetch(server, run);
    EXPECT_EQ(run.view.texts, std::vector<std::wstring>{L"更新地址获取失败,此问题频繁出现请反馈"});
    EXPECT_TRUE(run.view.messages.empty());
    EXPECT_EQ(run.target.installs, 0);
}

TEST(OnlineFetch, NoUsableAddressEndsOnTheDownloadFailurePath) {
    LoopbackServer server;
    for (const std::string& manifest : {std::string(R"({"error":0})"), std::string(R"({"data":{"url":5}})"),
                                        Manifest(""), Manifest(server.Url("/missing.deb"))}) {
        server.ServeBody("/update.json", manifest);
        FetchRun run;
        Fetch(server, run);
        ExpectDownloadFailure(run, L"下载失败:无法连接下载服务器!");
    }
}

TEST(OnlineFetch, LengthlessDownloadShowsZeroPercentThenFailsTheSizeCheck) {
    LoopbackServer server;
    server.ServeBody("/update.json", Manifest(server.Url("/pkg")));
    server.ServeRaw("/pkg", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n", std::string(5000, 'x'));

    FetchRun first;
    Fetch(server, first);
    ASSERT_EQ(first.view.texts.size(), 2u);
    EXPECT_EQ(first.view.texts[0], L"正在下载:0.00%");
    ExpectDownloadFailure(first, L"下载失败:文件大小检验不正确!");

    // A second attempt starts over with a new update query.
    FetchRun second;
    Fetch(server, second);
    ExpectDownloadFailure(second, L"下载失败:文件大小检验不正确!");
    EXPECT_EQ(server.Hits("/update.json"), 2);
}
