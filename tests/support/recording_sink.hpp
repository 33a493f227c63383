// A Sink that records everything a decoder does, for pure decoder tests.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "vyt/emit.hpp"

namespace vyt::test {

// One argument as Java would see it: an int, a string, or a shared string
// (made once with Out::share; `sharedSlot` tells which).
struct RecArg {
    bool isText = false;
    std::int32_t i = 0;
    std::string s;
    int sharedSlot = -1;
    bool operator==(const RecArg&) const = default;
};

struct RecCall {
    std::string method;
    std::string signature;
    std::vector<RecArg> args;
    // Convenience accessors by 1-based argument position.
    std::int32_t num(std::size_t pos) const { return args.at(pos - 1).i; }
    const std::string& str(std::size_t pos) const { return args.at(pos - 1).s; }
};

class RecordingSink : public Sink {
public:
    bool tracingOn = true;
    // Lookups of these names fail (as if the class lacked them).
    std::vector<std::string> missing;
    // The call with this index (0-based over all calls) throws.
    int throwOnCall = -1;

    std::vector<std::string> lines;   // trace lines, in order
    std::vector<std::string> errors;  // error lines, in order
    std::vector<std::string> lookups; // "name signature" per lookup, in order
    std::vector<RecCall> calls;
    std::vector<std::string> sharedTexts;

    bool tracing() const override { return tracingOn; }
    void traceLine(const char* text) override { lines.emplace_back(text); }
    void errorLine(const char* text) override { errors.emplace_back(text); }
    bool lookup(int slot, const char* name, const char* signature) override;
    bool share(int slot, TextArg text) override;
    bool call(int slot, const CallArgs& args) override;

    // All trace lines joined, as they would appear in the file (no prefixes).
    std::string traceText() const;
    // The calls to `method`, in order.
    std::vector<RecCall> callsTo(const std::string& method) const;
    // True when `line` was traced, exactly.
    bool hasLine(const std::string& line) const;
    // The lines the decoder wrote, from its entry line through its exit line
    // (mapData's own lines and the dump around them left out).
    std::vector<std::string> decoderLines() const;

private:
    struct Slot {
        std::string name, signature;
    };
    std::vector<Slot> slots_;
};

// Builds a reply byte by byte.
class ReplyBuilder {
public:
    explicit ReplyBuilder(std::size_t size) : b_(size, 0) { i32(0, static_cast<std::int32_t>(size)); }
    ReplyBuilder& i32(std::size_t off, std::int32_t v);
    ReplyBuilder& u16(std::size_t off, std::uint16_t v);
    // Writes `s` at `off`; no NUL is added (the buffer starts zeroed).
    ReplyBuilder& text(std::size_t off, const std::string& s);
    std::vector<unsigned char>& bytes() { return b_; }
    std::size_t size() const { return b_.size(); }

private:
    std::vector<unsigned char> b_;
};

// Runs mapData's logic over `reply` into `sink`.
int Map(const std::vector<unsigned char>& reply, int reportType, RecordingSink& sink);

// Decodes every prefix of `reply` (a valid reply whose every byte belongs to
// its header or to an entry) into a fresh copy of exactly that many bytes, so
// that AddressSanitizer sees any read past the end.  Each prefix shorter than
// the reply must give status 1 and at most the calls of the whole reply;
// returns a description of the first prefix that does not ("" when all do).
std::string TruncationSweep(const std::vector<unsigned char>& reply, int reportType);

}  // namespace vyt::test
