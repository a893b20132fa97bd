// Kelmora — the workbook's face for the web page (kelmora-book.wasm, loaded
// when the page first needs the workbook).
//
// The workbook is the desktop's: the same model (src/book) and the same
// SQLite file, kept by the same storage code (book/sqlite_store.cpp) in the
// module's memory file system.  After every change the page takes the whole
// file (kbBytes) and keeps it in the browser; on the next visit it hands the
// bytes back (kbLoad).  The page shows what these functions return and
// computes nothing itself: blocks, balance checks, postings, the ledger and
// the trial balance are all the model's.
//
// Arguments that carry records use two control characters no one types:
// \x1e between records, \x1f between the fields of one.  Replies are JSON.
#include <emscripten/emscripten.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "book/blocks.h"
#include "book/journal.h"
#include "book/sqlite_store.h"
#include "core/surface.h"
#include "web/book_texts.h"
#include "web/json.h"

namespace kelmora::web {
namespace {

using namespace kelmora::book;

constexpr char kRecord = '\x1e', kField = '\x1f';

std::vector<std::string> split(const std::string& s, char by) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = s.find(by, start);
        out.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) break;
        start = at + 1;
    }
    return out;
}

// The connection SQLite opened last: the storage opens one for its file.
sqlite3* lastOpened = nullptr;
int noteOpened(sqlite3* db, char**, const sqlite3_api_routines*) {
    lastOpened = db;
    return SQLITE_OK;
}

// The workbook the page shows, in a folder of its own.
struct Open {
    std::unique_ptr<Workbook> book;
    sqlite3* db = nullptr;
    std::string folder, name;
};
Open current;
int folders = 0;
std::string reply, bytes;

const char* answer(std::string s) {
    reply = std::move(s);
    return reply.c_str();
}

std::string error(const std::string& what) { return "{\"error\":" + json::quoted(what) + "}"; }

void removeFolder(const std::string& folder, const std::string& name) {
    for (const char* tail : {"", "-wal", "-shm", "-journal"}) ::unlink((folder + "/" + name + tail).c_str());
    ::rmdir(folder.c_str());
}

// The file's name as the user's file had it, without any folder.
std::string plainName(const std::string& name) {
    std::string n = name.substr(name.find_last_of('/') + 1);
    return n.empty() || n == "." || n == ".." ? std::string(kDefaultFile) : n;
}

std::string info() {
    std::string out = "{\"name\":" + json::quoted(current.name);
    out += ",\"vouchers\":" + std::to_string(current.book ? current.book->journal().vouchers().size() : 0) + "}";
    return out;
}

// A side box's index: 0 借, 1 贷, 2 none, as the desktop's dialog orders them.
int sideIndex(Side s) { return s == Side::Debit ? 0 : s == Side::Credit ? 1 : 2; }
Side sideAt(const std::string& i) { return i == "0" ? Side::Debit : i == "1" ? Side::Credit : Side::None; }

// A block's rows as the dialog holds them (side index, account, amount as
// typed), read as the desktop's dialog reads them: empty and zero amounts
// left out; what is wrong, or nullopt.
std::optional<std::string> readRows(const std::vector<std::string>& rows, std::size_t from, std::vector<Line>* lines) {
    lines->clear();
    for (std::size_t i = from; i < rows.size(); ++i) {
        const auto f = split(rows[i], kField);
        if (f.size() < 3) continue;
        std::string text = f[2];
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.erase(0, 1);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
        if (text.empty()) continue;
        const auto cents = parseAmount(text);
        if (!cents) return kNotNumberBefore + text + kNotNumberAfter;
        if (*cents == 0) continue;
        lines->push_back({sideAt(f[0]), f[1], *cents});
    }
    return imbalance(*lines);
}

std::string replaceArg(std::string templ, const std::string& with) {
    const auto at = templ.find("%1");
    if (at != std::string::npos) templ.replace(at, 2, with);
    return templ;
}

// What a block's status line says, as on the desktop.
std::string status(const std::optional<std::string>& problem, const std::vector<Line>& lines) {
    if (problem) return "{\"problem\":true,\"status\":" + json::quoted(replaceArg(kUnbalanced, *problem)) + "}";
    Cents debit = 0, credit = 0;
    for (const Line& l : lines) (l.side == Side::Debit ? debit : credit) += l.amount;
    std::string text = kBalanced;
    text = replaceArg(text, yuan(debit));
    const auto at = text.find("%2");
    if (at != std::string::npos) text.replace(at, 2, yuan(credit));
    return "{\"problem\":false,\"status\":" + json::quoted(text) + "}";
}

std::string voucherRecord(const Voucher& v) {
    std::string out = std::to_string(v.number) + kField + v.date + kField + v.summary;
    for (const Line& l : v.lines)
        out += kRecord + std::to_string(sideIndex(l.side)) + kField + l.account + kField + std::to_string(l.amount);
    return out;
}

// Runs a change of the workbook; its reply, or the reason it was not made.
template <typename F>
std::string changing(F&& f) {
    if (!current.book) return error("no workbook");
    try {
        return f(*current.book);
    } catch (const BookError& e) {
        return error(e.what());
    }
}

void cellsOut(std::string& out, std::initializer_list<std::string> cells) {
    out += '[';
    bool first = true;
    for (const std::string& c : cells) {
        if (!first) out += ',';
        first = false;
        json::quote(out, c);
    }
    out += ']';
}

std::string money(Cents c) { return yuan(c); }

}  // namespace
}  // namespace kelmora::web

using namespace kelmora;
using namespace kelmora::web;
using namespace kelmora::book;

extern "C" {

// Opens the workbook held in bytes (none: a new, empty one) under a file
// name.  It becomes the current workbook only when it opens; otherwise the
// reply is the reason (the desktop's words) and the current one stays.
EMSCRIPTEN_KEEPALIVE const char* kbLoad(const char* name, const unsigned char* data, int size) {
    static const bool hooked = [] {
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(noteOpened));
        return true;
    }();
    (void)hooked;
    Open next;
    next.name = plainName(name ? name : "");
    next.folder = "/book" + std::to_string(++folders);
    ::mkdir(next.folder.c_str(), 0755);
    const std::string back = current.folder.empty() ? "/" : current.folder;
    ::chdir(next.folder.c_str());
    try {
        if (size > 0) {
            std::FILE* f = std::fopen(next.name.c_str(), "wb");
            const bool written = f && std::fwrite(data, 1, static_cast<std::size_t>(size), f) == static_cast<std::size_t>(size);
            if (f) std::fclose(f);
            if (!written) throw BookError(std::strerror(errno));
        }
        lastOpened = nullptr;
        auto store = SqliteStore::open(next.name);
        next.db = lastOpened;
        next.book = std::make_unique<Workbook>(std::move(store));
    } catch (const BookError& e) {
        next.book.reset();
        removeFolder(next.folder, next.name);
        ::chdir(back.c_str());
        return answer(error(e.what()));
    }
    if (current.book) {
        current.book.reset();
        removeFolder(current.folder, current.name);
    }
    current = std::move(next);
    return answer("{\"ok\":true,\"info\":" + info() + "}");
}

EMSCRIPTEN_KEEPALIVE const char* kbInfo() { return answer(info()); }

// The whole file as it is now, in one piece (what was in its journal folded
// in): kbBytesSize() bytes at the pointer returned, valid until the next call.
EMSCRIPTEN_KEEPALIVE const unsigned char* kbBytes() {
    bytes.clear();
    if (!current.book) return nullptr;
    if (current.db) sqlite3_exec(current.db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    if (std::FILE* f = std::fopen((current.folder + "/" + current.name).c_str(), "rb")) {
        char buf[65536];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
        std::fclose(f);
    }
    return reinterpret_cast<const unsigned char*>(bytes.data());
}
EMSCRIPTEN_KEEPALIVE int kbBytesSize() { return static_cast<int>(bytes.size()); }

// The blocks a window printed, from its rows ("T" text or "A" label and
// amount, one record each), with their rows as the posting dialog shows them.
EMSCRIPTEN_KEEPALIVE const char* kbBlocks(const char* rows) {
    Surface s;
    for (const std::string& r : split(rows ? rows : "", kRecord)) {
        const auto f = split(r, kField);
        if (f[0] == "A" && f.size() >= 3)
            s.writeAmount(f[1], f[2], Surface::Keep::Text);
        else if (f[0] == "T" && f.size() >= 2)
            s.writeLine(f[1], Surface::Keep::Text);
    }
    std::string out = "[";
    bool firstBlock = true;
    for (const Block& b : blocksOf(s)) {
        if (!firstBlock) out += ',';
        firstBlock = false;
        out += "{\"number\":" + std::to_string(b.number) + ",\"heading\":" + json::quoted(b.heading) + ",\"rows\":[";
        bool first = true;
        for (const BlockRow& r : b.rows) {
            if (!first) out += ',';
            first = false;
            out += "{\"side\":" + std::to_string(sideIndex(r.side)) + ",\"account\":" + json::quoted(r.account) +
                   ",\"amount\":" + json::quoted(r.read == CentsRead::Ok && r.amount != 0 ? yuan(r.amount) : "") + "}";
        }
        out += "]}";
    }
    return answer(out + "]");
}

// A block as the dialog holds it now (rows: side index, account, amount):
// whether it can be posted, and its status line.
EMSCRIPTEN_KEEPALIVE const char* kbCheck(const char* rows) {
    std::vector<Line> lines;
    const auto problem = readRows(split(rows ? rows : "", kRecord), 0, &lines);
    return answer(status(problem, lines));
}

// Posts blocks, one voucher each: the first record the date, then per block a
// record "B" + 摘要 followed by its rows.  Nothing is posted when any fails.
EMSCRIPTEN_KEEPALIVE const char* kbPost(const char* input) {
    return answer(changing([&](Workbook& b) {
        const auto records = split(input ? input : "", kRecord);
        std::vector<Workbook::Draft> drafts;
        std::vector<std::string> block;
        std::string summary;
        const auto close = [&] {
            if (block.empty()) return;
            Workbook::Draft d{records[0], summary, {}};
            if (const auto wrong = readRows(block, 1, &d.lines)) throw BookError(*wrong);
            drafts.push_back(std::move(d));
            block.clear();
        };
        for (std::size_t i = 1; i < records.size(); ++i) {
            const auto f = split(records[i], kField);
            if (f[0] == "B") {
                close();
                summary = f.size() > 1 ? f[1] : "";
                block.push_back(records[i]);
            } else if (!block.empty()) {
                block.push_back(records[i]);
            }
        }
        close();
        if (drafts.empty()) throw BookError(kNoneChosen);
        const auto numbers = b.post(drafts);
        std::string names, list = "[";
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (i) {
                names += kListSep;
                list += ',';
            }
            names += voucherName(numbers[i]);
            list += std::to_string(numbers[i]);
        }
        return "{\"ok\":true,\"numbers\":" + list + "],\"text\":" + json::quoted(replaceArg(kPosted, names)) + "}";
    }));
}

// Deletes a voucher; the reply holds it, for an undo.
EMSCRIPTEN_KEEPALIVE const char* kbDelete(int number) {
    return answer(changing([&](Workbook& b) {
        const auto gone = b.remove(number);
        if (!gone) throw BookError("no voucher " + voucherName(number));
        return "{\"ok\":true,\"name\":" + json::quoted(voucherName(number)) + ",\"voucher\":" + json::quoted(voucherRecord(*gone)) + "}";
    }));
}

// Puts a deleted voucher back under its number.
EMSCRIPTEN_KEEPALIVE const char* kbRestore(const char* record) {
    return answer(changing([&](Workbook& b) {
        const auto parts = split(record ? record : "", kRecord);
        const auto head = split(parts[0], kField);
        if (head.size() < 3) throw BookError("bad voucher");
        Voucher v{std::stoi(head[0]), head[1], head[2], {}};
        for (std::size_t i = 1; i < parts.size(); ++i) {
            const auto f = split(parts[i], kField);
            if (f.size() < 3) continue;
            v.lines.push_back({sideAt(f[0]), f[1], static_cast<Cents>(std::stoll(f[2]))});
        }
        b.restore(v);
        return "{\"ok\":true,\"name\":" + json::quoted(voucherName(v.number)) + "}";
    }));
}

// A first-level account's opening balance, as the desktop's dialog takes it
// (side 0 借, 1 贷; the amount as typed).
EMSCRIPTEN_KEEPALIVE const char* kbOpening(const char* account, int side, const char* amount) {
    return answer(changing([&](Workbook& b) {
        std::string text = amount ? amount : "";
        while (!text.empty() && text.front() == ' ') text.erase(0, 1);
        while (!text.empty() && text.back() == ' ') text.pop_back();
        const auto cents = parseAmount(text);
        if (!cents) throw BookError(replaceArg(kNotANumber, amount ? amount : ""));
        std::string which = account ? account : "";
        while (!which.empty() && which.front() == ' ') which.erase(0, 1);
        while (!which.empty() && which.back() == ' ') which.pop_back();
        b.setOpening(which, side == 1 ? -*cents : *cents);
        const Cents c = b.journal().opening(which);
        return "{\"ok\":true,\"text\":" + json::quoted(which + " " + std::string(c < 0 ? kCreditWord : kDebitWord) + " " + yuan(c < 0 ? -c : c)) + "}";
    }));
}

// An account's opening balance as the dialog shows it first.
EMSCRIPTEN_KEEPALIVE const char* kbOpeningOf(const char* account) {
    const Cents c = current.book ? current.book->journal().opening(account ? account : "") : 0;
    return answer("{\"side\":" + std::string(c < 0 ? "1" : "0") + ",\"amount\":" + json::quoted(yuan(c < 0 ? -c : c)) + "}");
}

// The vouchers as the workbook window lists them: a row per voucher (its
// totals) and one per line beneath, credits further in.
EMSCRIPTEN_KEEPALIVE const char* kbVouchers() {
    std::string out = "[";
    if (current.book) {
        bool first = true;
        for (const Voucher& v : current.book->journal().vouchers()) {
            if (!first) out += ',';
            first = false;
            Cents debit = 0, credit = 0;
            for (const Line& l : v.lines) (l.side == Side::Debit ? debit : credit) += l.amount;
            out += "{\"number\":" + std::to_string(v.number) + ",\"cells\":";
            cellsOut(out, {voucherName(v.number), v.date, v.summary, money(debit), money(credit)});
            out += ",\"lines\":[";
            bool firstLine = true;
            for (const Line& l : v.lines) {
                if (!firstLine) out += ',';
                firstLine = false;
                const bool d = l.side == Side::Debit;
                out += "{\"side\":" + std::to_string(sideIndex(l.side)) + ",\"cells\":";
                cellsOut(out, {"", "", std::string(d ? kIndentDebit : kIndentCredit) + l.account, d ? money(l.amount) : "", d ? "" : money(l.amount)});
                out += '}';
            }
            out += "]}";
        }
    }
    return answer(out + "]");
}

// The general ledger: every first-level account with its sub-accounts.
EMSCRIPTEN_KEEPALIVE const char* kbAccounts() {
    std::string out = "[";
    if (current.book) {
        bool first = true;
        for (const AccountSummary& a : current.book->journal().accounts()) {
            if (!first) out += ',';
            first = false;
            out += "{\"account\":" + json::quoted(a.account) + ",\"cells\":";
            cellsOut(out, {a.account, std::string(a.opening.word()), money(a.opening.magnitude()), money(a.debit), money(a.credit),
                           std::string(a.closing.word()), money(a.closing.magnitude())});
            out += ",\"subs\":[";
            bool firstSub = true;
            for (const AccountSummary& s : a.subs) {
                if (!firstSub) out += ',';
                firstSub = false;
                out += "{\"account\":" + json::quoted(s.account) + ",\"cells\":";
                cellsOut(out, {s.account, "", "", money(s.debit), money(s.credit), std::string(s.closing.word()),
                               money(s.closing.magnitude())});
                out += '}';
            }
            out += "]}";
        }
    }
    return answer(out + "]");
}

// An account's ledger: its opening balance, then a row per line posted to it.
EMSCRIPTEN_KEEPALIVE const char* kbLedger(const char* account) {
    std::string out = "[";
    if (current.book) {
        try {
            bool first = true;
            for (const LedgerRow& r : current.book->journal().ledger(account ? account : "")) {
                if (!first) out += ',';
                first = false;
                out += "{\"voucher\":" + std::to_string(r.voucher) + ",\"cells\":";
                cellsOut(out, {r.voucher == 0 ? std::string(kOpeningRow) : voucherName(r.voucher), r.date, r.summary,
                               r.side == Side::Debit ? money(r.amount) : "", r.side == Side::Credit ? money(r.amount) : "",
                               std::string(r.balance.word()), money(r.balance.magnitude())});
                out += '}';
            }
        } catch (const BookError& e) {
            return answer(error(e.what()));
        }
    }
    return answer(out + "]");
}

// The trial balance: six columns a row, the totals, and whether it balances.
EMSCRIPTEN_KEEPALIVE const char* kbTrial() {
    if (!current.book) return answer("{\"rows\":[],\"total\":[],\"balanced\":true}");
    try {
        const TrialBalance t = current.book->journal().trial();
        const auto row = [](std::string& out, const TrialRow& r) {
            cellsOut(out, {r.account, money(r.openDebit), money(r.openCredit), money(r.debit), money(r.credit),
                           money(r.closeDebit), money(r.closeCredit)});
        };
        std::string out = "{\"rows\":[";
        for (std::size_t i = 0; i < t.rows.size(); ++i) {
            if (i) out += ',';
            row(out, t.rows[i]);
        }
        out += "],\"total\":";
        row(out, t.total);
        out += ",\"balanced\":";
        out += t.balanced() ? "true" : "false";
        return answer(out + "}");
    } catch (const BookError& e) {
        return answer(error(e.what()));
    }
}

// CSV for a spreadsheet: the vouchers (0) or the trial balance (1).
EMSCRIPTEN_KEEPALIVE const char* kbCsv(int trial) {
    if (!current.book) return answer("");
    try {
        const Journal& j = current.book->journal();
        return answer(trial ? trialCsv(j.trial()) : vouchersCsv(j));
    } catch (const BookError&) {
        return answer("");
    }
}

// Today's date, as the posting dialog starts with it.
EMSCRIPTEN_KEEPALIVE const char* kbToday() { return answer(json::quoted(today())); }

}  // extern "C"
