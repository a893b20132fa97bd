// Helpers of the workbook's tests: a temporary folder, files read whole.
#pragma once

#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kelmora::testing {

class TempDir {
public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "kelmora-book-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        path_ = tmpl;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void writeAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs SQL on a file through a connection of its own; the first column of
// the last row, as text.
inline std::string sql(const std::string& path, const std::string& statements) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    std::string last;
    sqlite3_exec(
        db, statements.c_str(),
        [](void* out, int n, char** values, char**) {
            *static_cast<std::string*>(out) = n > 0 && values[0] ? values[0] : "";
            return 0;
        },
        &last, nullptr);
    sqlite3_close(db);
    return last;
}

}  // namespace kelmora::testing
