// What a list's line or a shell argument names: a path or an address, made whole against the folder
// it was written in, and the title a name gives.
#pragma once
#include <string>

// "scheme://...", with a scheme of two characters or more (so that a drive letter is not one).
bool isAddress(const std::u16string& text);
// "file://" in any case.
bool isFileAddress(const std::u16string& text);

// The path a file:// address names: its percent-escapes decoded as UTF-8, "/" made "\", a host
// other than "localhost" made a UNC server, and "?" and what follows dropped (no file name holds
// one). Sets *exact to false when the escapes were not UTF-8 (such bytes become U+FFFD).
std::u16string pathFromFileAddress(const std::u16string& address, bool* exact);

// An entry as a list in `folder` (a full path ending in "\" or "/"; empty when not known) means
// it. A relative path ("a.avi", "sub/b.avi", ".\a.avi", "..\x.avi") is joined to the folder, with
// its "." and ".." steps taken and "\" between its names; a path rooted without a drive ("\x.avi")
// takes the folder's drive or server share. A file:// address becomes its path; any other address
// and any full path stay as they are. *rewritten tells whether the text changed.
std::u16string resolveListEntry(std::u16string entry, const std::u16string& folder, bool* rewritten);

// The title a path or address gives: its last name without the extension (the last dot's part,
// unless the dot begins the name). Names end at "\" or "/" (and a drive's ":"); an address's last
// name is its last non-empty segment before any "?" or "#", percent-decoded, else its host.
std::u16string titleOf(const std::u16string& path);
