// Kelmora — the workbook where there is no database on disk (the fuzzed
// runner): everything the workbook holds (vouchers, opening balances, closed
// months, the operation log) is kept in memory for the run, and a file cannot
// be opened.  Linked in place of the SQLite storage's openFile.
#include "book/journal.h"

namespace kelmora::book {

std::unique_ptr<Store> openFile(const std::string& path) {
    throw BookError("无法打开账簿文件 " + path + "：这个运行器只在内存中记账。");
}

}  // namespace kelmora::book
