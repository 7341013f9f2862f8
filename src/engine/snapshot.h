// Saving the picture on screen as a bitmap file. The picture is taken and written on the medium's
// session, whose renderer holds it.
#pragma once

// Whether a picture is shown that a snapshot can take: a video file's, not a disc's or a movie's.
bool snapshotPossible();
// Asks for a file name (an existing file is replaced without asking) and writes the picture there.
void saveSnapshot();
// Writes the picture as an uncompressed bitmap file at `path`, in one piece, after what the medium
// was handed before; nothing is left behind when there is no picture or the file could not be
// written whole.
void writeSnapshot(const wchar_t* path);
