// The request record: reportId and the per-type words and trace lines.
#include "vyt/request.hpp"

#include <cstring>

#include "vyt/bytes.hpp"
#include "vyt/catalog.hpp"
#include "vyt/trace.hpp"

namespace vyt {

namespace {

using layout::RequestRecord;

void put32(unsigned char (&rec)[kRequestLen], std::size_t off, std::int32_t v) {
    storeLE32(rec + off, static_cast<std::uint32_t>(v));
}

// A name is refused rather than cut: a cut name would select another transaction.
bool nameFits(Tracer& t, const char* what, const NameArg& n, std::size_t width) {
    if (n.state == NameArg::Invalid) {
        errorf(t, "invalid argument, %s is not valid text\n", what);
        return false;
    }
    if (n.state == NameArg::TooLong || n.bytes > width) {
        errorf(t, "invalid argument, %s of %d characters does not fit its %zu-byte field\n", what, n.chars, width);
        return false;
    }
    return true;
}

}  // namespace

bool BuildRequest(Tracer& t, const RequestArgs& a, const NameArg& tran, const NameArg& sub,
                  unsigned char (&rec)[kRequestLen], int* reportId) {
    if (a.trace)
        tracef(t,
               "\nbuildVYTRequest Entry: type<%d> view<%d> continueIdx<%d> scrollAmount<%d> pathId<%d> "
               "IPaddr<%d>\n",
               a.type, a.view, a.continueIdx, a.scrollAmount, a.pathId, a.IPaddr);
    if (tran.state == NameArg::Missing) {
        errorf(t, "invalid argument, transName<@%p>\n", static_cast<void*>(nullptr));
        return false;
    }
    if (tran.state == NameArg::Text) tracef(t, "transName %d<%s>\n", tran.chars, tran.utf8);
    if (sub.state == NameArg::Missing) {
        errorf(t, "invalid argument, subTransName<@%p>\n", static_cast<void*>(nullptr));
        return false;
    }
    if (sub.state == NameArg::Text) tracef(t, "subTransName %d<%s>\n", sub.chars, sub.utf8);
    if (!nameFits(t, "transName", tran, sizeof(RequestRecord::tranName)) ||
        !nameFits(t, "subTransName", sub, sizeof(RequestRecord::subTranName)))
        return false;

    std::memset(rec, 0, sizeof rec);
    put32(rec, offsetof(RequestRecord, reportLen), static_cast<std::int32_t>(kRequestLen));
    put32(rec, offsetof(RequestRecord, scrollAmount), a.scrollAmount);
    put32(rec, offsetof(RequestRecord, continueIdx), a.continueIdx);
    put32(rec, offsetof(RequestRecord, IPaddr), a.IPaddr);
    put32(rec, offsetof(RequestRecord, pathId), a.pathId);
    std::memcpy(rec + offsetof(RequestRecord, tranName), tran.utf8, tran.bytes);
    if (std::strcmp(sub.utf8, kNoTransName) != 0)
        std::memcpy(rec + offsetof(RequestRecord, subTranName), sub.utf8, sub.bytes);

    if (!ValidReportType(a.type)) {
        errorf(t, "type=%d invalid\n", a.type);
        return false;
    }
    const int id = FindReportKind(a.type)->reportId;
    put32(rec, offsetof(RequestRecord, reportId), id);

    const Bytes r(rec, kRequestLen);
    auto recTran = [&] { return r.text<sizeof(RequestRecord::tranName)>(offsetof(RequestRecord, tranName)); };
    auto recSub = [&] { return r.text<sizeof(RequestRecord::subTranName)>(offsetof(RequestRecord, subTranName)); };
    FlagsTextBuffer flagsText;
    switch (a.type) {
        case 8: case 9: case 10: case 13: case 19:
            put32(rec, offsetof(RequestRecord, flags), a.view);
            break;
        case 21:
            put32(rec, offsetof(RequestRecord, urlListRuleId), a.IPaddr);
            break;
        case 24:
            put32(rec, offsetof(RequestRecord, continueIdx2), a.IPaddr);
            tracef(t, "VYT_SUB_TRAN_LIST_TYPE: continueIdx<%d> continueIdx2<%d>\n", a.continueIdx, a.IPaddr);
            break;
        case 26:
            put32(rec, offsetof(RequestRecord, continueIdx2), a.IPaddr);
            tracef(t, "VYT_CURRENT_URL_STATES: continueIdx<%d> continueIdx2<%d>\n", a.continueIdx, a.IPaddr);
            break;
        case 27:
            tracef(t, "VYT_TRANSACTION_INCLUDE_EXCLUDE_URL_LIST_TYPE: continueIdx<%d>\n", a.continueIdx);
            break;
        case 28:
            put32(rec, offsetof(RequestRecord, flags), a.view);
            VYT_TRACE(t, "VYT_ADD_TRANSACTION_INCLUDE_EXCLUDE_TYPE: tranName<%s> subTranName<%s> flags<%s>\n",
                      recTran().c_str(), recSub().c_str(), FlagsText(static_cast<std::uint32_t>(a.view), flagsText));
            break;
        case 29:
            put32(rec, offsetof(RequestRecord, urlListRuleId), a.continueIdx);
            tracef(t, "VYT_REMOVE_TRANSACTION_INCLUDE_EXCLUDE_TYPE: urlListRuleId<%d>\n", a.continueIdx);
            break;
        case 30:
            put32(rec, offsetof(RequestRecord, urlListRuleId), a.continueIdx);
            tracef(t, "VYT_GET_TRANSACTION_INCLUDE_EXCLUDE_TYPE: urlListRuleId<%d>\n", a.continueIdx);
            break;
        case 31:
            put32(rec, offsetof(RequestRecord, flags), a.view);
            put32(rec, offsetof(RequestRecord, urlListRuleId), a.continueIdx);
            VYT_TRACE(t,
                      "VYT_EDIT_TRANSACTION_INCLUDE_EXCLUDE_TYPE: tranName<%s> subTranName<%s> urlListRuleId<%d> "
                      "flags<%s>\n",
                      recTran().c_str(), recSub().c_str(), a.continueIdx, FlagsText(static_cast<std::uint32_t>(a.view), flagsText));
            break;
        case 32:
            put32(rec, offsetof(RequestRecord, flags), a.view);
            VYT_TRACE(t, "VYT_CHANGE_TRANSACTION_INCLUDE_EXCLUDE_URL_LIST_PRECEDENCE_TYPE: tranName<%s>\n",
                      recTran().c_str());
            break;
        default:
            break;
    }
    PrintDump(t, rec, 0, static_cast<int>(kRequestLen));
    tracef(t, "\nbuildVYTRequest Exit: reportId=%d reportLen=%d\n", id, static_cast<int>(kRequestLen));
    *reportId = id;
    return true;
}

}  // namespace vyt
