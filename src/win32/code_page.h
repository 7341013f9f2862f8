// The system code page's bytes for each UTF-16 unit, learnt once from the code page's own
// decoding. Converting through the platform costs more per character than writing the file does.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CodePageEncoder {
public:
    // Reads the decoding of every single byte and of every lead byte with every trail byte.
    CodePageEncoder();
    // Appends the bytes of `text`; false when a unit has no bytes that read back as it (then '?'
    // stands in its place), as with a character outside the code page or half a surrogate pair.
    bool append(const char16_t* text, std::size_t length, std::string& out) const;

private:
    // Per unit: the byte (below 0x100), or lead byte << 8 | trail byte; 0 for none, but for U+0000.
    std::vector<std::uint16_t> bytes_;
};
