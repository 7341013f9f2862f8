#include "core/disc_list.h"

#include "core/transport_math.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {
void append(Playlist& list, std::u16string title, int dvdTitle, int dvdChapter, bool timeText) {
    if (list.count() >= kDiscListCapacity)
        return;
    PlaylistEntry& e = AppendEntry(list, u"");
    e.title = std::move(title);
    e.dvdTitle = dvdTitle;
    e.dvdChapter = dvdChapter;
    if (timeText) // menus and chapters have no length of their own: a blank time column
        std::strcpy(e.timeText, " ");
}

std::u16string decimal(int n) {
    std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}
} // namespace

void fillDvdList(Playlist& list, const std::vector<int>& chapters) {
    ClearPlaylist(list);
    list.top = 0;
    append(list, u"标题选单", 0, 0, true);
    append(list, u"章节选单", 0, 1, true);
    for (std::size_t t = 1; t <= chapters.size() && list.count() < kDiscListCapacity; ++t) {
        int title = static_cast<int>(t);
        append(list, u"标题 " + decimal(title), title, 0, false);
        for (int c = 1; c <= chapters[t - 1] && list.count() < kDiscListCapacity; ++c)
            append(list, u"    章节 " + decimal(c), title, c, true);
    }
}

int dvdTitleEntry(const Playlist& list, int title) {
    return dvdChapterEntry(list, title, 0);
}

int dvdChapterEntry(const Playlist& list, int title, int chapter) {
    for (int i = 0; i < list.count(); ++i) {
        const PlaylistEntry& e = *list.entries[static_cast<std::size_t>(i)];
        if (e.dvdTitle == title && e.dvdChapter == chapter)
            return i;
    }
    return -1;
}

int dvdTitleAwaitingLength(const Playlist& list, int from, int title) {
    for (int i = std::min(from, list.count() - 1); i >= 1; --i) {
        const PlaylistEntry& e = *list.entries[static_cast<std::size_t>(i)];
        if (e.dvdChapter == 0 && e.dvdTitle == title && e.duration == 0)
            return i;
    }
    return -1;
}

int dvdSecondsOfTimecode(std::uint32_t packed) {
    auto byte = [packed](int n) { return static_cast<unsigned char>(packed >> (8 * n) & 0xFF); };
    return dvdSecondsOf({byte(0), byte(1), byte(2), byte(3)});
}

DvdStreamChoice dvdStreamOf(unsigned command) {
    if (command >= CMD_AUDIO_STREAM_FIRST && command <= CMD_AUDIO_STREAM_LAST)
        return {DvdStreamKind::Audio, command - CMD_AUDIO_STREAM_FIRST};
    if (command >= CMD_SUBTITLE_STREAM_FIRST && command <= CMD_SUBTITLE_STREAM_LAST)
        return {DvdStreamKind::Subtitle, command - CMD_SUBTITLE_STREAM_FIRST};
    return {command == CMD_SUBTITLE_OFF ? DvdStreamKind::SubtitlesOff : DvdStreamKind::None, 0};
}
