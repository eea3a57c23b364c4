// One HTTP download: the session whose answer body is being read, the
// temporary file it goes to, its progress, outcome and the caller's callbacks.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

#include <Poco/Net/HTTPClientSession.h>

#include "net/sha256.h"

class HttpFileClient;

// Handed to both callbacks: the caller's context and the client that calls.
struct DownloadUserRecord {
    void* context = nullptr;
    HttpFileClient* client = nullptr;
};

using DownloadProgressCallback = void (*)(std::uint64_t received, std::uint64_t expected, DownloadUserRecord* record);
using DownloadDoneCallback = void (*)(int success, DownloadUserRecord* record);

struct DownloadCallbacks {
    DownloadProgressCallback progress = nullptr;
    DownloadDoneCallback done = nullptr;
    void* context = nullptr;
};

// Download states.
enum : std::int32_t {
    kDownloadIdle = 0,
    kDownloadReceiving = 1,
    kDownloadCompleted = 2,
    kDownloadFailed = 3,
};

// Outcome texts of a failed download.
extern const wchar_t kDownloadErrorCreateFile[];  // "下载失败:无法创建本地文件!"
extern const wchar_t kDownloadErrorSize[];        // "下载失败:文件大小检验不正确!"

// The body is read and written in blocks of this size, one progress call each.
constexpr std::size_t kDownloadBlockSize = 0x40000;

// Prefix of the temporary files that receive downloads.
extern const wchar_t kDownloadTempPrefix[];  // "~4a906"

class HttpFileClient : public Poco::Net::HTTPClientSession {
public:
    HttpFileClient();
    // A client that talks through `socket` (net_util::SocketFor: plain or TLS).
    explicit HttpFileClient(const Poco::Net::StreamSocket& socket);
    ~HttpFileClient() override;
    HttpFileClient(const HttpFileClient&) = delete;
    HttpFileClient& operator=(const HttpFileClient&) = delete;

    const std::wstring& ErrorText() const { return errorText_; }
    const std::wstring& FilePath() const { return filePath_; }
    std::int32_t State() const { return state_; }
    std::int64_t ExpectedSize() const { return expectedSize_; }
    std::uint64_t ReceivedSize() const { return receivedSize_; }
    DownloadUserRecord* UserRecord() { return &userRecord_; }

    void SetExpectedSize(std::int64_t size) { expectedSize_ = size; }
    // The body's SHA-256 must then be this too, or the download fails as a
    // body of the wrong size does.
    void SetExpectedSha256(const Sha256Digest& digest) { expectedSha256_ = digest; }
    void SetCallbacks(const DownloadCallbacks& callbacks);
    // The answer body to read, owned by the session (null: no body), the
    // length its answer announced (-1: none) and whether it comes in chunks.
    void SetAnswerBody(std::istream* body, std::int64_t announcedLength, bool chunked = false) {
        answerBody_ = body;
        announcedLength_ = announcedLength;
        directBody_ = body && !chunked;
    }

private:
    friend void DownloadToTempFile(HttpFileClient& client);
    // Reads up to `length` bytes of the body, fewer only at its end; sets
    // `failed` when the connection broke.
    std::size_t ReadBody(char* buffer, std::size_t length, bool& failed);

    std::wstring errorText_;
    std::wstring filePath_;
    std::int32_t state_ = kDownloadIdle;
    std::int64_t expectedSize_ = 0;
    std::uint64_t receivedSize_ = 0;
    std::optional<Sha256Digest> expectedSha256_;
    DownloadProgressCallback progress_ = nullptr;
    DownloadDoneCallback done_ = nullptr;
    DownloadUserRecord userRecord_;
    std::istream* answerBody_ = nullptr;
    std::int64_t announcedLength_ = -1;
    // A body that is not chunked is read straight from the session into the
    // caller's block: the session's stream would cut it into 4 KiB reads.
    bool directBody_ = false;
    std::uint64_t directConsumed_ = 0;
};

// Receives the answer body into a new temporary file, reporting progress
// after every block and the outcome once at the end. With an expected
// SHA-256 each block is hashed as it is written. A failed download leaves no
// file behind.
void DownloadToTempFile(HttpFileClient& client);
