#include "tests/net/loopback_server.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include <Poco/Net/HTTPRequestHandler.h>
#include <Poco/Net/HTTPRequestHandlerFactory.h>
#include <Poco/Net/HTTPServerParams.h>
#include <Poco/Net/HTTPServerRequestImpl.h>
#include <Poco/Net/Net.h>
#include <Poco/Net/ServerSocket.h>
#include <Poco/Net/SocketAddress.h>
#include <Poco/Net/StreamSocket.h>
#include <Poco/URI.h>

namespace testnet {

namespace {

class CallHandler : public Poco::Net::HTTPRequestHandler {
public:
    explicit CallHandler(std::function<void(Poco::Net::HTTPServerRequest&, Poco::Net::HTTPServerResponse&)> call)
        : call_(std::move(call)) {}
    void handleRequest(Poco::Net::HTTPServerRequest& request, Poco::Net::HTTPServerResponse& response) override {
        call_(request, response);
    }

private:
    std::function<void(Poco::Net::HTTPServerRequest&, Poco::Net::HTTPServerResponse&)> call_;
};

void SendAll(Poco::Net::StreamSocket& socket, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = socket.sendBytes(bytes.data() + sent, static_cast<int>(bytes.size() - sent));
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

}  // namespace

class LoopbackServer::Factory : public Poco::Net::HTTPRequestHandlerFactory {
public:
    explicit Factory(LoopbackServer* owner) : owner_(owner) {}
    Poco::Net::HTTPRequestHandler* createRequestHandler(const Poco::Net::HTTPServerRequest&) override {
        LoopbackServer* owner = owner_;
        return new CallHandler([owner](Poco::Net::HTTPServerRequest& request, Poco::Net::HTTPServerResponse& response) {
            owner->Dispatch(request, response);
        });
    }

private:
    LoopbackServer* owner_;
};

LoopbackServer::LoopbackServer(std::uint16_t port) {
    Poco::Net::initializeNetwork();
    Poco::Net::ServerSocket socket(Poco::Net::SocketAddress("127.0.0.1", port));
    port_ = socket.address().port();
    auto* params = new Poco::Net::HTTPServerParams;
    params->setMaxThreads(16);
    params->setMaxQueued(64);
    params->setKeepAlive(false);
    server_ = std::make_unique<Poco::Net::HTTPServer>(new Factory(this), socket, params);
    server_->start();
}

LoopbackServer::~LoopbackServer() { server_->stopAll(true); }

std::string LoopbackServer::Url(const std::string& pathAndQuery) const {
    return "http://127.0.0.1:" + std::to_string(port_) + pathAndQuery;
}

void LoopbackServer::Route(const std::string& path, Handler handler) {
    std::lock_guard<std::mutex> lock(mutex_);
    routes_[path] = std::move(handler);
}

void LoopbackServer::ServeBody(const std::string& path, const std::string& body, int status) {
    Route(path, [body, status](Poco::Net::HTTPServerRequest&, Poco::Net::HTTPServerResponse& response) {
        response.setStatus(static_cast<Poco::Net::HTTPResponse::HTTPStatus>(status));
        response.setContentLength64(static_cast<Poco::Int64>(body.size()));
        response.setContentType("application/octet-stream");
        response.send().write(body.data(), static_cast<std::streamsize>(body.size()));
    });
}

void LoopbackServer::ServeGenerated(const std::string& path, std::uint64_t size) {
    Route(path, [size](Poco::Net::HTTPServerRequest&, Poco::Net::HTTPServerResponse& response) {
        response.setContentLength64(static_cast<Poco::Int64>(size));
        std::ostream& out = response.send();
        // A whole number of pattern periods, so every block starts the pattern afresh.
        std::string block(kPatternPeriod * 2850, '\0');
        for (std::size_t i = 0; i < block.size(); ++i) block[i] = PatternByte(i);
        for (std::uint64_t sent = 0; sent < size && out.good();) {
            const std::uint64_t n = std::min<std::uint64_t>(block.size(), size - sent);
            out.write(block.data(), static_cast<std::streamsize>(n));
            sent += n;
        }
    });
}

void LoopbackServer::Redirect(const std::string& path, int status, const std::string& location) {
    Route(path, [status, location](Poco::Net::HTTPServerRequest&, Poco::Net::HTTPServerResponse& response) {
        response.setStatus(static_cast<Poco::Net::HTTPResponse::HTTPStatus>(status));
        if (!location.empty()) response.set("Location", location);
        response.setContentLength(0);
        response.send();
    });
}

void LoopbackServer::ServeRaw(const std::string& path, const std::string& head, const std::string& body, RawEnd end,
                              int pieces, int delayMs) {
    Route(path, [=](Poco::Net::HTTPServerRequest& request, Poco::Net::HTTPServerResponse& response) {
        const std::uint64_t generation = ReleaseGeneration();
        response.setKeepAlive(false);
        auto& impl = dynamic_cast<Poco::Net::HTTPServerRequestImpl&>(request);
        Poco::Net::StreamSocket socket = impl.detachSocket();
        try {
            SendAll(socket, head);
            const std::size_t parts = pieces < 1 ? 1 : static_cast<std::size_t>(pieces);
            const std::size_t step = (body.size() + parts - 1) / parts;
            for (std::size_t at = 0; at < body.size(); at += step) {
                if (at > 0 && delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
                SendAll(socket, body.substr(at, step));
            }
            if (end == RawEnd::kReset || end == RawEnd::kResetWhenReleased) {
                // Give the client time to take what was sent, then abort with RST.
                if (end == RawEnd::kResetWhenReleased)
                    WaitForRelease(generation);
                else
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                socket.setLinger(true, 0);
            } else {
                socket.shutdownSend();
            }
        } catch (const Poco::Exception&) {
            // The client went away first.
        }
        socket.close();
    });
}

void LoopbackServer::Dispatch(Poco::Net::HTTPServerRequest& request, Poco::Net::HTTPServerResponse& response) {
    RecordedRequest record;
    record.method = request.getMethod();
    record.target = request.getURI();
    record.path = Poco::URI(request.getURI()).getPath();
    record.userAgent = request.get("User-Agent", "");
    record.referer = request.get("referer", "");
    record.hasRange = request.has("Range");
    Handler handler;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(record);
        auto found = routes_.find(record.path);
        if (found != routes_.end()) handler = found->second;
    }
    if (handler) {
        handler(request, response);
        return;
    }
    response.setStatus(Poco::Net::HTTPResponse::HTTP_NOT_FOUND);
    response.setContentLength(0);
    response.send();
}

std::uint64_t LoopbackServer::ReleaseGeneration() {
    std::lock_guard<std::mutex> lock(mutex_);
    return releaseGeneration_;
}

void LoopbackServer::WaitForRelease(std::uint64_t generation) {
    std::unique_lock<std::mutex> lock(mutex_);
    // Bounded, so a test that forgets to release still ends.
    released_.wait_for(lock, std::chrono::seconds(10), [&] { return releaseGeneration_ != generation; });
}

void LoopbackServer::ReleaseHeldAnswers() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++releaseGeneration_;
    }
    released_.notify_all();
}

std::vector<RecordedRequest> LoopbackServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

int LoopbackServer::Hits(const std::string& path) const {
    std::lock_guard<std::mutex> lock(mutex_);
    int hits = 0;
    for (const RecordedRequest& r : requests_) hits += r.path == path ? 1 : 0;
    return hits;
}

std::uint16_t FreeLoopbackPort() {
    Poco::Net::initializeNetwork();
    Poco::Net::ServerSocket socket(Poco::Net::SocketAddress("127.0.0.1", 0));
    return socket.address().port();
}

}  // namespace testnet
