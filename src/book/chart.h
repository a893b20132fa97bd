// Kelmora — the chart of accounts: the first-level accounts of the
// general-enterprise chart of the accounting standards, each with its
// four-digit code, its class and the side its balance normally stands on;
// and the table of the other names under which the windows print accounts.
//
// A printed first-level name is placed by place(): a chart name stands for
// itself, another name (an older name, a short form) for the account the
// table gives.  A name that could be accounts of different classes, or that
// names no account at all, is left unplaced with its reason, and is never
// booked to a guessed class.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "book/journal.h"

namespace kelmora::book {

enum class AccountClass { Asset, Liability, Common, Equity, Cost, ProfitLoss };

// "资产", "负债", "共同", "所有者权益", "成本", "损益".
std::string_view classWord(AccountClass c);

struct ChartAccount {
    std::string_view code;  // four digits
    std::string_view name;
    AccountClass cls;
    Side side;  // where its balance normally stands (共同 accounts: 借)
};

// Every account of the chart, in code order.
const std::vector<ChartAccount>& chart();
const ChartAccount* chartByCode(std::string_view code);
// The chart's own name only; see place() for the other names.
const ChartAccount* chartByName(std::string_view name);

// An entry of the table of other names: a name the windows print, and the
// chart's name of the account it books to.  note says why where the mapping
// took judgement (empty where the name is plainly the account's older or
// shorter name).
struct OtherName {
    std::string_view name, chartName, note;
};
const std::vector<OtherName>& otherNames();

// A printed first-level name the chart leaves unplaced, and why.
struct UnplacedName {
    std::string_view name, reason;
};
const std::vector<UnplacedName>& unplacedNames();

struct Placement {
    const ChartAccount* account = nullptr;  // null when unplaced or unknown
    bool known = false;                     // in the chart, the other names or the unplaced list
    bool other = false;                     // placed through the table of other names
    std::string reason;                     // why it is not placed, in words
};
// Where the first-level name books to.
Placement place(std::string_view firstLevelName);
// The same, for the ledger's loops: the account, or null when unplaced.
const ChartAccount* accountOf(std::string_view firstLevelName);

// The code standing beside an account name in the ledger views ("1002" for
// 银行存款-工行); empty for a name the chart does not place.
std::string_view codeOf(std::string_view account);

}  // namespace kelmora::book
