// A DVD's list of menus, titles and chapters, and the rules that keep it in step with the
// navigator; the commands of the language menus; which drives may hold a disc.
#pragma once
#include "core/command_ids.h"
#include "core/playlist_model.h"

#include <cstdint>
#include <vector>

// Entries beyond this are not added: a navigator that reports absurd counts cannot exhaust memory.
constexpr int kDiscListCapacity = 4096;

// Clears the list and fills it: the title menu, the root (chapter) menu, then each title followed
// by its chapters. chapters[t - 1] is the number of chapters of title t.
void fillDvdList(Playlist& list, const std::vector<int>& chapters);

// The index of title t's own entry, or -1.
int dvdTitleEntry(const Playlist& list, int title);
// The index of the first entry of chapter c in title t, or -1.
int dvdChapterEntry(const Playlist& list, int title, int chapter);
// Walking back from `from` toward index 1 (the title menu at 0 is never looked at), the entry of
// title t whose length is not known yet, or -1: a title's length is read only once.
int dvdTitleAwaitingLength(const Playlist& list, int from, int title);

// Whole seconds of a time code packed in 32 bits: byte 0 hours, 1 minutes, 2 seconds, 3 frames.
int dvdSecondsOfTimecode(std::uint32_t packed);

// The language menus' commands: audio stream i is CMD_AUDIO_STREAM_FIRST + i, subtitle stream i
// CMD_SUBTITLE_STREAM_FIRST + i, and CMD_SUBTITLE_OFF turns subtitles off. Only the first eleven
// audio and ten subtitle streams can be chosen; later ones are listed all the same.
enum class DvdStreamKind { None, Audio, Subtitle, SubtitlesOff };
struct DvdStreamChoice {
    DvdStreamKind kind;
    unsigned stream;
};
DvdStreamChoice dvdStreamOf(unsigned command);

// A drive the disc search looks at, by its type code: those with bit 0 or bit 2 set (no root
// directory, fixed, remote, CD-ROM, RAM disk); unknown and removable drives are passed over.
constexpr bool driveMayHoldDisc(unsigned driveType) {
    return (driveType & 5u) != 0;
}
