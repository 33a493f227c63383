#include "recording_sink.hpp"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "vyt/dispatch.hpp"

namespace vyt::test {

bool RecordingSink::lookup(int slot, const char* name, const char* signature) {
    lookups.push_back(std::string(name) + " " + signature);
    if (std::find(missing.begin(), missing.end(), name) != missing.end()) return false;
    if (slots_.size() <= static_cast<std::size_t>(slot)) slots_.resize(static_cast<std::size_t>(slot) + 1);
    slots_[static_cast<std::size_t>(slot)] = {name, signature};
    return true;
}

bool RecordingSink::share(int slot, TextArg text) {
    if (sharedTexts.size() <= static_cast<std::size_t>(slot)) sharedTexts.resize(static_cast<std::size_t>(slot) + 1);
    sharedTexts[static_cast<std::size_t>(slot)] = std::string(text.p, text.n);
    return true;
}

bool RecordingSink::call(int slot, const Arg* args, std::size_t n) {
    const Slot& s = slots_.at(static_cast<std::size_t>(slot));
    RecCall c{s.name, s.signature, {}};
    for (std::size_t i = 0; i < n; ++i) {
        RecArg a;
        a.isText = args[i].isText;
        if (!args[i].isText) {
            a.i = args[i].i;
        } else if (args[i].t.shared >= 0) {
            a.sharedSlot = args[i].t.shared;
            a.s = sharedTexts.at(static_cast<std::size_t>(args[i].t.shared));
        } else {
            a.s.assign(args[i].t.p, args[i].t.n);
        }
        c.args.push_back(std::move(a));
    }
    calls.push_back(std::move(c));
    return static_cast<int>(calls.size()) - 1 != throwOnCall;
}

std::string RecordingSink::traceText() const {
    std::string all;
    for (const auto& l : lines) all += l;
    return all;
}

std::vector<RecCall> RecordingSink::callsTo(const std::string& method) const {
    std::vector<RecCall> out;
    for (const auto& c : calls)
        if (c.method == method) out.push_back(c);
    return out;
}

bool RecordingSink::hasLine(const std::string& line) const {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> RecordingSink::decoderLines() const {
    auto isProcess = [](const std::string& l, const char* what) {
        return l.rfind("\nProcess", 0) == 0 && l.find(what) != std::string::npos;
    };
    auto first =
        std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return isProcess(l, " Entry: "); });
    auto last = std::find_if(first, lines.end(), [&](const std::string& l) { return isProcess(l, " Exit: "); });
    if (last != lines.end()) ++last;
    return std::vector<std::string>(first, last);
}

ReplyBuilder& ReplyBuilder::i32(std::size_t off, std::int32_t v) {
    if (off + 4 > b_.size()) throw std::out_of_range("i32 outside reply");
    const auto u = static_cast<std::uint32_t>(v);
    for (int k = 0; k < 4; ++k) b_[off + static_cast<std::size_t>(k)] = static_cast<unsigned char>(u >> (8 * k));
    return *this;
}

ReplyBuilder& ReplyBuilder::u16(std::size_t off, std::uint16_t v) {
    if (off + 2 > b_.size()) throw std::out_of_range("u16 outside reply");
    b_[off] = static_cast<unsigned char>(v);
    b_[off + 1] = static_cast<unsigned char>(v >> 8);
    return *this;
}

ReplyBuilder& ReplyBuilder::text(std::size_t off, const std::string& s) {
    if (off + s.size() > b_.size()) throw std::out_of_range("text outside reply");
    std::copy(s.begin(), s.end(), b_.begin() + static_cast<std::ptrdiff_t>(off));
    return *this;
}

int Map(const std::vector<unsigned char>& reply, int reportType, RecordingSink& sink) {
    return MapReply(Bytes(reply.data(), reply.size()), reportType, sink);
}

std::string TruncationSweep(const std::vector<unsigned char>& reply, int reportType) {
    RecordingSink whole;
    if (Map(reply, reportType, whole) != 0) return "the whole reply does not decode with status 0";
    for (std::size_t len = 0; len < reply.size(); ++len) {
        // A heap block of exactly `len` bytes: any read past it is caught.
        std::unique_ptr<unsigned char[]> cut(new unsigned char[len == 0 ? 1 : len]);
        std::copy(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(len), cut.get());
        RecordingSink s;
        const int status = MapReply(Bytes(cut.get(), len), reportType, s);
        if (status != 1) return "prefix of " + std::to_string(len) + " bytes gave status " + std::to_string(status);
        if (s.calls.size() > whole.calls.size())
            return "prefix of " + std::to_string(len) + " bytes made more calls than the whole reply";
        for (std::size_t i = 0; i < s.calls.size(); ++i)
            if (s.calls[i].args != whole.calls[i].args)
                return "prefix of " + std::to_string(len) + " bytes changed call " + std::to_string(i);
    }
    return "";
}

}  // namespace vyt::test
