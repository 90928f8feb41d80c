// Fuzz target: the readers of the six pattern table files. Any text either fills its
// table or is refused with PatternTableError naming the file; nothing else escapes, and
// a refused file never writes outside a table (the sanitizers watch that).

#include "vorlix/eval/pattern_tables.h"

#include "fuzz_check.h"
#include "fuzz_temp_file.h"

#include <cstdint>
#include <cstring>
#include <string>

using fuzzing::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses the layout: M1 code values (two per line), E1 code values
    // (one per line) or a pair matrix.
    const int kind = data[0] % 3;
    const std::string path = fuzzing::WriteTempFile(data + 1, size - 1, "table.dat");
    try {
        if (kind < 2) {
            vorlix::CodeValues own{}, opp{};
            vorlix::ReadCodeValueFile(path, kind == 0 ? 2 : 1, &own, kind == 0 ? &opp : nullptr);
        } else {
            vorlix::PairMatrix m{};
            vorlix::ReadMatrixFile(path, &m);
            vorlix::DirectionTable t{};
            vorlix::BuildDirectionTable(m, &t);
        }
    } catch (const vorlix::PatternTableError& e) {
        Check(std::strstr(e.what(), "table.dat") != nullptr, "the message names the file");
    }
    return 0;
}
