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

bool RecordingSink::call(int slot, const CallArgs& args) {
    const Slot& s = slots_.at(static_cast<std::size_t>(slot));
    RecCall c{s.name, s.signature, std::vector<RecArg>(args.n)};
    for (std::size_t i = 0; i < args.n; ++i) c.args[i].i = args.slots[i].i;
    for (std::size_t k = 0; k < args.nTexts; ++k) {
        const TextArg& t = args.texts[k];
        RecArg& a = c.args.at(args.textAt[k]);
        a = RecArg{};
        a.isText = true;
        if (t.shared >= 0) {
            a.sharedSlot = t.shared;
            a.s = sharedTexts.at(static_cast<std::size_t>(t.shared));
        } else {
            a.s.assign(t.p, t.n);
            // What the sink is told about the bytes must hold.
            if (t.terminated && t.p[t.n] != '\0') throw std::logic_error("text marked terminated has no NUL");
            bool ascii = true;
            for (char ch : a.s) ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
            if (t.ascii && !ascii) throw std::logic_error("text marked ASCII is not");
        }
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
