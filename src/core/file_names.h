// The names the rename and move of the playing file work with, from the entry's path.
#pragma once
#include "core/video_geometry.h"

#include <optional>
#include <string>

// The name the rename dialog shows: the file name without its extension; empty when the path has
// no folder part. A dot or backslash in the first place does not count.
std::u16string shownNameOf(const std::u16string& path);
// The path renamed to `name`, in the same folder, with the file's own extension (none when the
// file name has none; a dot in a folder's name is not an extension). Nothing when the path has
// no folder part.
std::optional<std::u16string> renamedPath(const std::u16string& path, const std::u16string& name);
// The path moved into `folder` (ending in a backslash). Nothing when the path has no folder part.
std::optional<std::u16string> movedPath(const std::u16string& folder, const std::u16string& path);
// Where the rename and move hints stand: a strip 16 pixels tall near the bottom of the video.
Rect fileHintRect(const Rect& display);
