#include "app/online_fetch.h"

#include <charconv>
#include <exception>
#include <memory>

#include "app/installer_texts.h"
#include "net/remote_file.h"
#include "net/update_query.h"

namespace {

void ReportDownloadFailure(StatusView& view, const std::wstring& text) {
    view.ShowMessage(text);
    view.SetStatusText(kInstallFailedText);
}

}  // namespace

std::wstring DownloadProgressText(std::uint64_t received, std::uint64_t expected) {
    // Without a length the expected size is -1, i.e. 2^64-1 here: 0.00%.
    const double percent = expected == 0 ? 0.0 : static_cast<double>(received) / static_cast<double>(expected) * 100.0;
    // to_chars ignores the locale, which the package pass sets to the user's
    // (printf would write "12,34" in many of them). At most 2^64 × 100: a
    // couple of dozen digits.
    char number[64];
    const std::to_chars_result r = std::to_chars(number, number + sizeof number, percent, std::chars_format::fixed, 2);
    const std::wstring format = kDownloadProgressFormat;
    std::wstring text = format.substr(0, format.find(L'%'));
    if (r.ec == std::errc()) text.append(number, r.ptr);
    text += L'%';
    return text;
}

void OnDownloadProgress(std::uint64_t received, std::uint64_t expected, DownloadUserRecord* record) {
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
        UpdateInfo manifest;
        if (!QueryUpdate(address, &manifest)) {
            view.SetStatusText(kFetchQueryFailedText);
            return;
        }
        // An empty address, a failed probe or a GET that did not open: nothing
        // to download from.
        std::unique_ptr<HttpFileClient> client = address.empty() ? nullptr : PrepareDownload(&callbacks, address);
        if (!client) {
            ReportDownloadFailure(view, kFetchCannotConnectMessage);
            return;
        }
        // The manifest's checksum, when it has one, must hold before the
        // package counts as downloaded (and so before it reaches the device).
        if (manifest.sha256) client->SetExpectedSha256(*manifest.sha256);
        // The completion callback, and the install it may start, run in here.
        DownloadToTempFile(*client);
    } catch (const std::exception&) {
        // Out of memory on the way; the worker thread must not see it.
    }
}
