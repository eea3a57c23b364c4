// The online fetch: asks the update service for the package address,
// downloads the package with a percentage on the status button, and on
// success records it and runs the install, all on the calling thread.
#pragma once

#include <cstdint>
#include <string>

#include "app/status_view.h"
#include "net/http_file_client.h"

// Texts of the fetch.
extern const wchar_t kFetchQueryFailedText[];     // "更新地址获取失败,此问题频繁出现请反馈"
extern const wchar_t kFetchInstallFailedText[];   // "安装失败,请重试"
extern const wchar_t kFetchCannotConnectText[];   // "下载失败:无法连接下载服务器!"

// What the callbacks find in the download's user record.
struct FetchContext {
  StatusView* view = nullptr;
  FetchTarget* target = nullptr;
};

// "正在下载:%.2f%%" for received ÷ expected × 100 (0.00 when expected is 0).
std::wstring DownloadProgressText(std::uint64_t received, std::uint64_t expected);

// Runs the whole fetch; the install starts from OnDownloadDone on success.
// Does not throw.
void FetchAndInstall(StatusView& view, FetchTarget& target);

// Callbacks of the download; the record's context is a FetchContext.
void OnDownloadProgress(std::uint64_t received, std::uint64_t expected,
                        DownloadUserRecord* record);
void OnDownloadDone(int success, DownloadUserRecord* record);
