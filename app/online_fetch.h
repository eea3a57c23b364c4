// The online fetch: asks the update service for the package address,
// downloads the package with a percentage on the status button, and on
// success records it and runs the install, all on the calling thread.
#pragma once

#include <cstdint>
#include <string>

#include "app/status_view.h"
#include "net/http_file_client.h"

// What the callbacks find in the download's user record.
struct FetchContext {
    StatusView* view = nullptr;
    FetchTarget* target = nullptr;
};

// "正在下载:%.2f%%" for received ÷ expected × 100 (0.00 when expected is 0),
// with "." as the decimal point whatever the run-time library's locale.
std::wstring DownloadProgressText(std::uint64_t received, std::uint64_t expected);

// Runs the whole fetch; the install starts from OnDownloadDone on success.
// Does not throw.
void FetchAndInstall(StatusView& view, FetchTarget& target);

// Callbacks of the download; the record's context is a FetchContext.
void OnDownloadProgress(std::uint64_t received, std::uint64_t expected, DownloadUserRecord* record);
void OnDownloadDone(int success, DownloadUserRecord* record);
