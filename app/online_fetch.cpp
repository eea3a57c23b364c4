#include "app/online_fetch.h"

#include <cstdio>
#include <exception>
#include <memory>

#include "net/remote_file.h"
#include "net/update_query.h"

const wchar_t kFetchQueryFailedText[] = L"更新地址获取失败,此问题频繁出现请反馈";
const wchar_t kFetchInstallFailedText[] = L"安装失败,请重试";
const wchar_t kFetchCannotConnectText[] = L"下载失败:无法连接下载服务器!";

namespace {

void ReportDownloadFailure(StatusView& view, const std::wstring& text) {
  view.ShowMessage(text);
  view.SetStatusText(kFetchInstallFailedText);
}

}  // namespace

std::wstring DownloadProgressText(std::uint64_t received, std::uint64_t expected) {
  // Without a length the expected size is -1, i.e. 2^64-1 here: 0.00%.
  const double percent =
      expected == 0 ? 0.0 : static_cast<double>(received) / static_cast<double>(expected) * 100.0;
  char number[64];
  const int length = std::snprintf(number, sizeof number, "%.2f", percent);
  std::wstring text = L"正在下载:";
  for (int i = 0; i < length && i < static_cast<int>(sizeof number) - 1; ++i)
    text += static_cast<wchar_t>(number[i]);
  text += L'%';
  return text;
}

void OnDownloadProgress(std::uint64_t received, std::uint64_t expected,
                        DownloadUserRecord* record) {
  if (!record || !record->context) return;
  auto* context = static_cast<FetchContext*>(record->context);
  try {
    context->view->SetStatusText(DownloadProgressText(received, expected));
  } catch (const std::exception&) {
    // A missed progress text is not worth stopping the download for.
  }
}

void OnDownloadDone(int success, DownloadUserRecord* record) {
  if (!record || !record->context || !record->client) return;
  auto* context = static_cast<FetchContext*>(record->context);
  if (success) {
    context->target->SetPackagePath(record->client->FilePath());
    context->target->InstallPackage();
  } else {
    // The package path stays empty, so the next click fetches again.
    ReportDownloadFailure(*context->view, record->client->ErrorText());
  }
}

void FetchAndInstall(StatusView& view, FetchTarget& target) {
  try {
    FetchContext context{&view, &target};
    DownloadCallbacks callbacks;
    callbacks.progress = &OnDownloadProgress;
    callbacks.done = &OnDownloadDone;
    callbacks.context = &context;

    std::string address;
    if (!QueryUpdate(address)) {
      view.SetStatusText(kFetchQueryFailedText);
      return;
    }
    // An empty address, a failed probe or a GET that did not open: nothing
    // to download from.
    std::unique_ptr<HttpFileClient> client =
        address.empty() ? nullptr : PrepareDownload(&callbacks, address);
    if (!client) {
      ReportDownloadFailure(view, kFetchCannotConnectText);
      return;
    }
    // The completion callback, and the install it may start, run in here.
    DownloadToTempFile(*client);
  } catch (const std::exception&) {
    // Out of memory on the way; the worker thread must not see it.
  }
}
