// The paths the shell hands the player: its command line, and the block a second start passes on.
#pragma once
#include <string>
#include <vector>

// The arguments after the program's own name. White space (space or tab) outside quotes separates
// them; a quote only opens or closes a quoted stretch and is dropped. Backslashes are always
// themselves: a file name never holds a quote, so the shell never escapes one, and a folder the
// shell quotes with its last backslash ("D:\") stays whole. Empty arguments are left out.
std::vector<std::u16string> commandLineArguments(const char16_t* commandLine);

// The paths as one block, each ended by a NUL, and back. Reading takes every non-empty text between
// NULs of the first `units` units; a last text without its NUL counts too.
std::u16string packPaths(const std::vector<std::u16string>& paths);
std::vector<std::u16string> unpackPaths(const char16_t* block, std::size_t units);
