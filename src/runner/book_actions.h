// Kelmora — the runner's workbook actions: book, date, blocks, post, delete,
// opening, vouchers, ledger, trial; chart, account, reverse, close, reopen,
// statement.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "book/journal.h"

namespace kelmora {

class Window;

class BookActions {
public:
    BookActions();
    static bool handles(const std::string& action);
    // Performs one action; a line that cannot be carried out throws
    // book::BookError with the reason, and nothing of it is done.
    void perform(const std::string& action, const std::string& rest, std::ostream& out,
                 const std::function<Window&(const std::string&)>& windowNamed);

private:
    void act(const std::string& action, const std::string& rest, std::ostream& out,
             const std::function<Window&(const std::string&)>& windowNamed);

    book::Workbook book_;  // in memory until `book FILE`
    std::string date_;
};

}  // namespace kelmora
