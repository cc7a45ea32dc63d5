#include "text/sink.hpp"

Sink& Sink::operator=(Sink&& other) noexcept {
    drain = std::move(other.drain);
    dropping = other.dropping;
    buffer = std::move(other.buffer);
    next = std::exchange(other.next, nullptr);
    end = std::exchange(other.end, nullptr);
    kept = std::move(other.kept);
    return *this;
}

void Sink::makeBuffer() {
    buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
    next = buffer.get();
    end = next + kBufferSize;
}

void Sink::pass() {
    if (buffer == nullptr || next == buffer.get()) return;
    std::string_view gathered(buffer.get(), static_cast<std::size_t>(next - buffer.get()));
    // Emptied first: a drain that fails (say, out of memory) must not see the bytes again.
    next = buffer.get();
    if (drain) drain(gathered);
    else kept += gathered;
}

void Sink::release() {
    pass();
    buffer.reset();
    next = end = nullptr;
}

const Bytes& Sink::text() {
    pass();
    return kept;
}

void Sink::appendBeyondBuffer(std::string_view text) {
    // A dropping sink never has a buffer, so every text comes here.
    if (dropping) return;
    pass();
    if (buffer == nullptr) makeBuffer();
    // A text larger than the buffer goes on as it is, after what came before it.
    if (text.size() >= kBufferSize) {
        if (drain) drain(text);
        else kept += text;
        return;
    }
    std::memcpy(next, text.data(), text.size());
    next += text.size();
}
