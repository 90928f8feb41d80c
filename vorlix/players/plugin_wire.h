#pragma once
// The messages between a program and its player host (vorlix-player-host), the child
// process that loads one player library and calls it on the program's behalf.
//
// A message is a frame: a 32-bit little-endian length, then that many bytes, of which
// the first is the message type. Numbers inside are little-endian, texts a 32-bit
// length and their bytes. Every frame and every field is length-checked on reading: a
// frame that is too long, too short or has bytes left over is refused.
//
// Requests go from the program to the host; the host answers each with exactly one
// Reply or Failed, and before that may send any number of Box messages (a message box
// the library caused, e.g. the range error of Game), which the program shows.

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vorlix::wire {

enum class Type : std::uint8_t {
    // Requests
    Load = 1,         // path, name, level -> status, exports, version, ability count
    Move = 2,         // game state, board changed -> move, alternatives, values
    OfferOpen1 = 3,   // game state -> 2 point records
    OfferOpen2 = 4,   // game state -> 3 point records
    ChOpening = 5,    // game state -> result
    AbilityName = 6,  // game state, ability -> has name, name
    AbilityProps = 7, // game state, ability -> line count, lines
    Delete = 8,       // -> (DeletePlayer, ExitDLL)
    List = 9,         // path, most players -> listed, caption, names
    About = 10,       // path -> loaded, has author, author, country, e-mail
    Ping = 11,        // game state -> (nothing called in the library)
    // Answers
    Reply = 64,
    Box = 65,    // kind, text
    Failed = 66, // text: the library threw an exception out of the call
};

// Longest frame either side sends or accepts (a full property printout fits).
constexpr std::uint32_t kMaxFrame = 256 * 1024;

// Load statuses: 0 success, then the loading failures in the order they are tested.
enum class LoadStatus : std::uint8_t {
    Ok = 0,
    NotFound = 1,
    NoCreatePlayer = 2,
    NoInitDll = 3,
    NoDeletePlayer = 4,
    NoMove = 5,
    CreateFailed = 6,
};

// Bits of the exports mask of a Load reply: which optional functions the library has.
enum Export : std::uint32_t {
    kRefreshBoard = 1u << 0,
    kValueArray = 1u << 1,
    kAlNum = 1u << 2,
    kAlList = 1u << 3,
    kAlValue = 1u << 4,
    kAbilityNum = 1u << 5,
    kVersion = 1u << 6,
    kLevel = 1u << 7,
    kOfferOpen1 = 1u << 8,
    kOfferOpen2 = 1u << 9,
    kChOpening = 1u << 10,
    kAcceptDraw = 1u << 11,
    kExitDLL = 1u << 12,
    kAbilityName = 1u << 13,
    kAbPropNum = 1u << 14,
    kAbPropLine = 1u << 15,
};

class Writer {
  public:
    explicit Writer(Type type) { buf_.push_back(static_cast<char>(type)); }
    Writer& U8(std::uint8_t v);
    Writer& I16(std::int16_t v);
    Writer& I32(std::int32_t v);
    Writer& U32(std::uint32_t v);
    Writer& I64(std::int64_t v);
    Writer& F64(double v);
    Writer& Text(const std::string& s);
    Writer& Bytes(const void* data, std::size_t n);
    // Type byte and fields, without the length.
    const std::string& Body() const { return buf_; }

  private:
    std::string buf_;
};

// A message that does not read as its type says.
class MalformedMessage : public std::runtime_error {
  public:
    MalformedMessage() : std::runtime_error("malformed message") {}
};

class Reader {
  public:
    Reader() = default;
    // `body` is the frame without its length; throws MalformedMessage when empty.
    explicit Reader(std::string body);
    Type MessageType() const { return type_; }
    std::uint8_t U8();
    std::int16_t I16();
    std::int32_t I32();
    std::uint32_t U32();
    std::int64_t I64();
    double F64();
    // A text of at most `limit` bytes.
    std::string Text(std::size_t limit = kMaxFrame);
    void Bytes(void* out, std::size_t n);
    // Throws MalformedMessage when bytes are left over.
    void End() const;

  private:
    const char* Take(std::size_t n);
    std::string body_;
    std::size_t pos_ = 1;
    Type type_ = Type::Reply;
};

enum class IoResult { Ok, Closed, TimedOut, Broken };

// Writes one frame; Broken when the other side is gone (never raises SIGPIPE).
IoResult SendFrame(int fd, const Writer& message);

// Reads one frame. With a deadline, waits at most until then, calling `idle` (when
// given) about every 20 ms; without one, blocks. A frame longer than kMaxFrame or
// empty is Broken.
using Deadline = std::chrono::steady_clock::time_point;
IoResult ReceiveFrame(int fd, std::string& body, const Deadline* deadline = nullptr,
                      void (*idle)() = nullptr);

// The game state that the host exports read, packed with every request that calls the
// library: Tabla's 225 cells, ColourToMove, MoveCount and GameRecord[1..MoveCount].
void WriteGameState(Writer& w);
// Makes this process's game model the one read; throws MalformedMessage when the state
// is not a sound one (a count outside 0..225, a colour outside 0..2).
void ReadGameState(Reader& r);

} // namespace vorlix::wire
