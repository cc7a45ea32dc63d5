#include "lsp/stream.hpp"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include "lsp/framing.hpp"
#include "lsp/server.hpp"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

long readInput(char* buffer, unsigned size) {
#ifdef _WIN32
    return _read(0, buffer, size);
#else
    return static_cast<long>(::read(0, buffer, size));
#endif
}

bool writeOutput(std::string_view bytes) {
    while (!bytes.empty()) {
#ifdef _WIN32
        long written = _write(1, bytes.data(), static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 20)));
#else
        long written = static_cast<long>(::write(1, bytes.data(), bytes.size()));
#endif
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// What the reader thread hands over; shared, so that the thread may outlive
// the server when the editor keeps the input open after "exit".
struct Inbox {
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<Frame> frames;
    bool ended = false;
};

void readFrames(std::shared_ptr<Inbox> inbox) {
    FrameReader reader;
    std::string buffer(1 << 16, '\0');
    for (;;) {
        long n = readInput(buffer.data(), static_cast<unsigned>(buffer.size()));
        if (n <= 0) break;
        feed(reader, std::string_view(buffer.data(), static_cast<std::size_t>(n)));
        std::deque<Frame> frames;
        for (Frame f = nextFrame(reader); f.kind != FrameKind::NeedMore; f = nextFrame(reader))
            frames.push_back(std::move(f));
        if (frames.empty()) continue;
        std::lock_guard lock(inbox->mutex);
        for (Frame& f : frames) inbox->frames.push_back(std::move(f));
        inbox->arrived.notify_one();
    }
    std::lock_guard lock(inbox->mutex);
    inbox->ended = true;
    inbox->arrived.notify_one();
}

bool flushOutbox(Server& server) {
    bool ok = true;
    for (const std::string& body : server.outbox) ok = ok && writeOutput(framed(body));
    server.outbox.clear();
    return ok;
}

}  // namespace

int serveLanguageServer() {
    auto inbox = std::make_shared<Inbox>();
    std::thread(readFrames, inbox).detach();
    Server server = makeServer();
    for (;;) {
        std::deque<Frame> frames;
        bool ended = false;
        {
            std::unique_lock lock(inbox->mutex);
            auto ready = [&] { return !inbox->frames.empty() || inbox->ended; };
            if (std::optional<Clock::time_point> due = diagnosticsDue(server)) inbox->arrived.wait_until(lock, *due, ready);
            else inbox->arrived.wait(lock, ready);
            frames.swap(inbox->frames);
            ended = inbox->ended;
        }
        try {
            for (const Frame& f : frames) {
                handleFrame(server, f);
                if (server.lifecycle == Lifecycle::Exited) break;
            }
            if (server.lifecycle != Lifecycle::Exited && frames.empty()) {
                std::optional<Clock::time_point> due = diagnosticsDue(server);
                if (due && *due <= Clock::now()) publishDiagnostics(server, Clock::now());
            }
        } catch (const std::bad_alloc&) {
            server.outbox.clear();
        }
        if (!flushOutbox(server)) return 1;
        if (server.lifecycle == Lifecycle::Exited) return server.exitStatus;
        if (ended && frames.empty()) return 1;
    }
}
