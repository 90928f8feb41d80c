#include "vorlix/players/plugin_wire.h"

#include "vorlix/game/board.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vorlix::wire {

namespace {

template <typename T> void Put(std::string& buf, T v) {
    char bytes[sizeof v];
    std::memcpy(bytes, &v, sizeof v); // the platform is little-endian, as the frames are
    buf.append(bytes, sizeof v);
}

int MsLeft(const Deadline& deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

// Reads exactly n bytes.
IoResult ReadExact(int fd, char* out, std::size_t n, const Deadline* deadline, void (*idle)()) {
    std::size_t got = 0;
    while (got < n) {
        if (deadline) {
            int wait = std::min(MsLeft(*deadline), idle ? 20 : 1000);
            pollfd p{fd, POLLIN, 0};
            int r = ::poll(&p, 1, wait);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) return IoResult::Broken;
            if (r == 0) {
                if (MsLeft(*deadline) == 0) return IoResult::TimedOut;
                if (idle) idle();
                continue;
            }
        }
        ssize_t k = ::read(fd, out + got, n - got);
        if (k < 0 && errno == EINTR) continue;
        if (k < 0) return IoResult::Broken;
        if (k == 0) return IoResult::Closed;
        got += static_cast<std::size_t>(k);
    }
    return IoResult::Ok;
}

} // namespace

Writer& Writer::U8(std::uint8_t v) {
    Put(buf_, v);
    return *this;
}
Writer& Writer::I16(std::int16_t v) {
    Put(buf_, v);
    return *this;
}
Writer& Writer::I32(std::int32_t v) {
    Put(buf_, v);
    return *this;
}
Writer& Writer::U32(std::uint32_t v) {
    Put(buf_, v);
    return *this;
}
Writer& Writer::I64(std::int64_t v) {
    Put(buf_, v);
    return *this;
}
Writer& Writer::F64(double v) {
    Put(buf_, v);
    return *this;
}
Writer& Writer::Text(const std::string& s) {
    U32(static_cast<std::uint32_t>(s.size()));
    buf_ += s;
    return *this;
}
Writer& Writer::Bytes(const void* data, std::size_t n) {
    buf_.append(static_cast<const char*>(data), n);
    return *this;
}

Reader::Reader(std::string body) : body_(std::move(body)) {
    if (body_.empty()) throw MalformedMessage();
    type_ = static_cast<Type>(static_cast<std::uint8_t>(body_[0]));
}

const char* Reader::Take(std::size_t n) {
    if (n > body_.size() - pos_) throw MalformedMessage();
    const char* p = body_.data() + pos_;
    pos_ += n;
    return p;
}

template <typename T> static T Get(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

std::uint8_t Reader::U8() {
    return Get<std::uint8_t>(Take(1));
}
std::int16_t Reader::I16() {
    return Get<std::int16_t>(Take(2));
}
std::int32_t Reader::I32() {
    return Get<std::int32_t>(Take(4));
}
std::uint32_t Reader::U32() {
    return Get<std::uint32_t>(Take(4));
}
std::int64_t Reader::I64() {
    return Get<std::int64_t>(Take(8));
}
double Reader::F64() {
    return Get<double>(Take(8));
}
std::string Reader::Text(std::size_t limit) {
    std::uint32_t n = U32();
    if (n > limit) throw MalformedMessage();
    const char* p = Take(n);
    return std::string(p, n);
}
void Reader::Bytes(void* out, std::size_t n) {
    std::memcpy(out, Take(n), n);
}
void Reader::End() const {
    if (pos_ != body_.size()) throw MalformedMessage();
}

IoResult SendFrame(int fd, const Writer& message) {
    const std::string& body = message.Body();
    if (body.size() > kMaxFrame) return IoResult::Broken;
    std::string frame;
    Put(frame, static_cast<std::uint32_t>(body.size()));
    frame += body;
    std::size_t sent = 0;
    while (sent < frame.size()) {
        ssize_t k = ::send(fd, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return IoResult::Broken;
        sent += static_cast<std::size_t>(k);
    }
    return IoResult::Ok;
}

IoResult ReceiveFrame(int fd, std::string& body, const Deadline* deadline, void (*idle)()) {
    char head[4];
    IoResult r = ReadExact(fd, head, sizeof head, deadline, idle);
    if (r != IoResult::Ok) return r;
    const auto n = Get<std::uint32_t>(head);
    if (n == 0 || n > kMaxFrame) return IoResult::Broken;
    body.resize(n);
    r = ReadExact(fd, body.data(), n, deadline, idle);
    return r == IoResult::Closed ? IoResult::Broken : r;
}

void WriteGameState(Writer& w) {
    w.Bytes(Tabla, sizeof Tabla);
    w.U8(ColourToMove);
    const std::int32_t n = std::clamp(MoveCount, 0, kCells);
    w.I32(n);
    w.Bytes(&GameRecord[1], sizeof(TPont) * static_cast<std::size_t>(n));
}

void ReadGameState(Reader& r) {
    r.Bytes(Tabla, sizeof Tabla);
    ColourToMove = r.U8();
    const std::int32_t n = r.I32();
    if (n < 0 || n > kCells) throw MalformedMessage();
    MoveCount = n;
    r.Bytes(&GameRecord[1], sizeof(TPont) * static_cast<std::size_t>(n));
}

} // namespace vorlix::wire
