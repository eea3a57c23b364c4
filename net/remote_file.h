// Locating and opening a remote file: the probe that follows redirects and
// learns the length, the GET whose body is then read, and both together.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "net/http_file_client.h"

// Headers sent by the probe and the download GET.
extern const char kDownloadUserAgent[];  // "tovane pc-mini TL"
extern const char kDownloadReferer[];    // the download host, scheme and host only

// The maker's pages that the main window's two links open.
extern const char kForumPageAddress[];
extern const char kHomePageAddress[];

// Redirect hops followed before a chain counts as broken (loops included).
constexpr int kMaxRedirects = 20;

struct RemoteFileInfo {
    bool acceptsRanges = false;
    std::int64_t contentLength = -1;  // -1: the answer gave none
    std::string lastModified;
    std::string contentType;
};

// Asks for the file and reads only the answer's head; follows 301/302
// redirects, replacing `address` by the final one. True on a 200 answer.
bool ProbeRemoteFile(std::string& address, RemoteFileInfo& info);

// Sends the GET (to the address's own host and port) and returns the client
// with the answer body ready to read, or null. Follows redirects like the
// probe, replacing `address`.
std::unique_ptr<HttpFileClient> OpenDownload(std::string& address);

// Probe, then GET; the client carries the probed length and the callbacks.
// Null when either step fails.
std::unique_ptr<HttpFileClient> PrepareDownload(const DownloadCallbacks* callbacks, std::string& address);
