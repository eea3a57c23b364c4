#include "net/http_file_client.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <memory>

#include "net/temp_file.h"

const wchar_t kDownloadErrorCreateFile[] = L"下载失败:无法创建本地文件!";
const wchar_t kDownloadErrorSize[] = L"下载失败:文件大小检验不正确!";
const wchar_t kDownloadTempPrefix[] = L"~4a906";

HttpFileClient::HttpFileClient() { userRecord_.client = this; }

HttpFileClient::HttpFileClient(const Poco::Net::StreamSocket& socket) : Poco::Net::HTTPClientSession(socket) {
    userRecord_.client = this;
}

HttpFileClient::~HttpFileClient() = default;

void HttpFileClient::SetCallbacks(const DownloadCallbacks& callbacks) {
    progress_ = callbacks.progress;
    done_ = callbacks.done;
    userRecord_.context = callbacks.context;
}

namespace {

enum class BodyOutcome { kComplete, kReadFailed, kWriteFailed };

}  // namespace

std::size_t HttpFileClient::ReadBody(char* buffer, std::size_t length, bool& failed) {
    if (!directBody_) {
        // A reset connection surfaces as a stream error (the stream catches the
        // socket's exception), not as an end of data.
        answerBody_->read(buffer, static_cast<std::streamsize>(length));
        failed = answerBody_->bad();
        return static_cast<std::size_t>(answerBody_->gcount());
    }
    std::size_t total = 0;
    try {
        while (total < length) {
            std::uint64_t want = length - total;
            if (announcedLength_ >= 0) {
                const std::uint64_t left = static_cast<std::uint64_t>(announcedLength_) - directConsumed_;
                if (left == 0) break;
                want = std::min(want, left);
            }
            const int n = read(buffer + total, static_cast<std::streamsize>(std::min<std::uint64_t>(want, INT_MAX)));
            if (n <= 0) break;  // the connection closed
            total += static_cast<std::size_t>(n);
            directConsumed_ += static_cast<std::uint64_t>(n);
        }
    } catch (const std::exception&) {
        failed = true;  // Poco's socket errors (reset, timeout) derive from std::exception
    }
    return total;
}

namespace {

// Copies the body block by block; reports progress after each block.
// `readBody(buffer, length, failed)` delivers the next block.
// `hash`, when given, takes every block written.
template <typename ReadBody>
BodyOutcome CopyBody(ReadBody&& readBody, TempFileWriter& file, Sha256* hash, std::uint64_t& received,
                     std::int64_t expected, DownloadProgressCallback progress, DownloadUserRecord* record) {
    auto buffer = std::make_unique<char[]>(kDownloadBlockSize);
    for (;;) {
        bool failed = false;
        const std::size_t count = readBody(buffer.get(), kDownloadBlockSize, failed);
        if (count > 0) {
            if (!file.Write(buffer.get(), count)) return BodyOutcome::kWriteFailed;
            // Hashed while the block is still in the cache.
            if (hash) hash->Update(buffer.get(), count);
            received += count;
            if (progress) progress(received, static_cast<std::uint64_t>(expected), record);
        }
        if (failed) return BodyOutcome::kReadFailed;
        if (count < kDownloadBlockSize) return BodyOutcome::kComplete;
    }
}

}  // namespace

void DownloadToTempFile(HttpFileClient& client) {
    try {
        client.filePath_ = MakeTempFileName(kDownloadTempPrefix);
    } catch (const std::exception&) {
        client.filePath_.clear();
    }
    client.receivedSize_ = 0;
    bool fileFailed = false;
    bool readFailed = false;
    std::unique_ptr<Sha256> hash;
    {
        TempFileWriter file;
        if (client.filePath_.empty() || !file.Open(client.filePath_)) {
            fileFailed = true;
        } else if (client.answerBody_) {
            client.state_ = kDownloadReceiving;
            BodyOutcome outcome = BodyOutcome::kReadFailed;
            try {
                if (client.expectedSha256_) hash = std::make_unique<Sha256>();
                auto readBody = [&client](char* buffer, std::size_t length, bool& failed) {
                    return client.ReadBody(buffer, length, failed);
                };
                outcome = CopyBody(readBody, file, hash.get(), client.receivedSize_, client.expectedSize_,
                                   client.progress_, &client.userRecord_);
            } catch (const std::exception&) {
                // Out of memory for the block buffer, or a stream set to throw.
            }
            fileFailed = outcome == BodyOutcome::kWriteFailed;
            readFailed = outcome == BodyOutcome::kReadFailed;
        }
        if (!file.Close()) fileFailed = true;
    }

    const bool sizeMatches =
        client.expectedSize_ >= 0 && client.receivedSize_ == static_cast<std::uint64_t>(client.expectedSize_);
    // A body shorter than its own answer announced was cut off, whatever the
    // probe said (a closed or reset connection can look like a normal end).
    const bool cutShort =
        client.announcedLength_ >= 0 && client.receivedSize_ != static_cast<std::uint64_t>(client.announcedLength_);
    // Without a hash (it could not be made, or there was no body) an expected
    // digest is never met.
    const bool digestMatches =
        !client.expectedSha256_ || (hash && !readFailed && hash->Finish() == *client.expectedSha256_);
    if (fileFailed) {
        client.state_ = kDownloadFailed;
        client.errorText_ = kDownloadErrorCreateFile;
    } else if (readFailed || cutShort || !sizeMatches || !digestMatches) {
        client.state_ = kDownloadFailed;
        client.errorText_ = kDownloadErrorSize;
    } else {
        client.state_ = kDownloadCompleted;
        client.errorText_.clear();
    }
    // A failed download leaves nothing behind in the temporary folder.
    if (client.state_ == kDownloadFailed && !client.filePath_.empty()) RemoveFile(client.filePath_);

    if (client.done_) client.done_(client.state_ == kDownloadCompleted ? 1 : 0, &client.userRecord_);
}
