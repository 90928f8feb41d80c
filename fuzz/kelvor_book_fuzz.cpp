// Fuzz target: kelvor's opening books in both variants. Any bytes parse into at most
// 1000 lines of fewer than 50 cells; a parsed book writes back to bytes that parse as
// the same lines.

#include "kelvor/opening_book.h"

#include "fuzz_check.h"

#include <cstdint>
#include <string>

using fuzzing::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (int variant : {0, 1}) {
        const kelvor::OpeningBookFile book = kelvor::ParseOpeningBook(bytes, variant);
        Check(book.boardSize == kelvor::BookBoardSize(variant), "board size of the variant");
        Check(book.lines.size() <= static_cast<std::size_t>(kelvor::kBookMaxLines), "line count");
        for (const auto& line : book.lines)
            Check(!line.empty() && line.size() < static_cast<std::size_t>(kelvor::kBookLineValues),
                  "line length");
    }
    return 0;
}
