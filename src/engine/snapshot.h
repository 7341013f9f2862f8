// Saving the picture on screen as a bitmap file.
#pragma once

// Whether a picture is shown that a snapshot can take: a video file's, not a disc's or a movie's.
bool snapshotPossible();
// Asks for a file name (an existing file is replaced without asking) and writes the picture there.
void saveSnapshot();
// The picture as an uncompressed bitmap file at `path`, written in one piece; false when there is
// no picture or the file could not be written whole (nothing is left behind then).
bool writeSnapshot(const wchar_t* path);
