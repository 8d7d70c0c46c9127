// CodePage: the 8-bit code page input lines are decoded with and records are encoded back with.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace t2k {

class CodePage {
public:
    // The system ANSI code page (GetACP on Windows, read once), Windows-1252 elsewhere.
    static CodePage system();
    // A code page by number, when this platform can convert it.
    static std::optional<CodePage> from_number(unsigned number);

    unsigned number() const noexcept { return number_; }

    // Every byte sequence gives what the code page's table says; nothing is refused.
    std::u16string decode(std::string_view bytes) const;
    // The reverse; a character the code page cannot hold becomes what the system gives for it.
    std::string encode(std::u16string_view text) const;
    // Whether every character of text has its own form in the code page: none is replaced by the
    // default character or by a look-alike.
    bool holds(std::u16string_view text) const;

    // Where the system has no conversions of its own: a single-byte code page's two tables.
    struct Table;

private:
    explicit CodePage(unsigned number, std::shared_ptr<const Table> table = nullptr)
        : number_(number), table_(std::move(table)) {}
    unsigned number_;
    std::shared_ptr<const Table> table_;
};

} // namespace t2k
