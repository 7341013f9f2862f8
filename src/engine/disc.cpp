#include "engine/disc.h"

#include "core/disc_list.h"
#include "core/transport_math.h"
#include "engine/media.h"
#include "engine/renderer.h"

#include <dvdevcod.h>

#include <algorithm>

namespace {
constexpr DWORD kFlushAndBlock = DVD_CMD_FLAG_Flush | DVD_CMD_FLAG_Block;
} // namespace

bool openDvdGraph() {
    if (playbackState != Stopped)
        setPlaybackState(Stopped);
    if (FAILED(CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER, IID_IDvdGraphBuilder,
                                reinterpret_cast<void**>(&media.dvdBuilder))))
        return false;
    media.currentDvdTitle = 0;
    media.dvdBuilder->GetFiltergraph(&media.graph);
    AM_DVD_RENDERSTATUS status = {};
    // No disc in the drive still plays: the navigator then sends no events.
    media.dvdBuilder->RenderDvdVideoVolume(nullptr, AM_DVD_HWDEC_PREFER, &status);
    if (media.graph) {
        media.graph.queryInterface(media.control);
        if (SUCCEEDED(media.graph.queryInterface(media.events)))
            media.events->SetNotifyWindow(reinterpret_cast<OAHWND>(engineNotifyWindow), graphNotifyMessage,
                                          0);
    }
    ComPtr<IAMLine21Decoder> captions;
    if (SUCCEEDED(
            media.dvdBuilder->GetDvdInterface(IID_IAMLine21Decoder, reinterpret_cast<void**>(&captions))))
        captions->SetServiceState(AM_L21_CCSTATE_Off);
    if (SUCCEEDED(media.dvdBuilder->GetDvdInterface(IID_IDvdControl2,
                                                    reinterpret_cast<void**>(&media.dvdControl)))) {
        media.dvdControl->SetOption(DVD_NotifyParentalLevelChange, FALSE);
        media.dvdControl->SetOption(DVD_HMSF_TimeCodeEvents, TRUE);
    }
    updateVideoSize();
    media.dvdBuilder->GetDvdInterface(IID_IDvdInfo2, reinterpret_cast<void**>(&media.dvdInfo));
    return true;
}

std::vector<int> dvdChapterCounts() {
    std::vector<int> chapters;
    ULONG volumes = 0, volume = 0, titles = 0;
    DVD_DISC_SIDE side = DVD_SIDE_A;
    if (!media.dvdInfo || FAILED(media.dvdInfo->GetDVDVolumeInfo(&volumes, &volume, &side, &titles)))
        return chapters;
    for (ULONG t = 1; t <= titles && chapters.size() < kDiscListCapacity; ++t) {
        ULONG count = 0;
        media.dvdInfo->GetNumberOfChapters(t, &count);
        chapters.push_back(static_cast<int>(std::min<ULONG>(count, kDiscListCapacity)));
    }
    return chapters;
}

int readDvdTitleLength() {
    DVD_HMSF_TIMECODE total = {};
    ULONG flags = 0;
    media.duration = 0;
    if (media.dvdInfo && SUCCEEDED(media.dvdInfo->GetTotalTitleTime(&total, &flags)))
        media.duration = dvdSecondsOf({total.bHours, total.bMinutes, total.bSeconds, total.bFrames});
    return static_cast<int>(media.duration);
}

void playDiscEntry(const PlaylistEntry& entry) {
    if (!media.dvdControl)
        return;
    auto title = static_cast<ULONG>(entry.dvdTitle), chapter = static_cast<ULONG>(entry.dvdChapter);
    if (title == 0)
        media.dvdControl->ShowMenu(chapter == 0 ? DVD_MENU_Title : DVD_MENU_Root, kFlushAndBlock, nullptr);
    else if (chapter == 0)
        media.dvdControl->PlayTitle(title, DVD_CMD_FLAG_Block, nullptr);
    else
        media.dvdControl->PlayChapterInTitle(title, chapter, DVD_CMD_FLAG_Block, nullptr);
}

bool selectDvdStream(WORD command) {
    DvdStreamChoice choice = dvdStreamOf(command);
    if (choice.kind == DvdStreamKind::None)
        return false;
    if (!media.dvdControl)
        return true;
    if (choice.kind == DvdStreamKind::Audio) {
        media.dvdControl->SelectAudioStream(choice.stream, DVD_CMD_FLAG_None, nullptr);
    } else {
        media.dvdControl->SetSubpictureState(choice.kind == DvdStreamKind::Subtitle, DVD_CMD_FLAG_None,
                                             nullptr);
        if (choice.kind == DvdStreamKind::Subtitle)
            media.dvdControl->SelectSubpictureStream(choice.stream, DVD_CMD_FLAG_None, nullptr);
    }
    return true;
}

namespace {
// The language of each of `available` streams, as `language` (a member of IDvdInfo2) tells it.
std::vector<LCID> languagesOf(ULONG available, HRESULT (WINAPI IDvdInfo2::*language)(ULONG, LCID*)) {
    std::vector<LCID> languages;
    for (ULONG i = 0; i < available && i < kDiscListCapacity; ++i) {
        LCID found = 0;
        languages.push_back(SUCCEEDED((media.dvdInfo.get()->*language)(i, &found)) ? found : 0);
    }
    return languages;
}
} // namespace

std::vector<LCID> dvdAudioLanguages() {
    ULONG available = 0, current = 0;
    if (!media.dvdInfo || FAILED(media.dvdInfo->GetCurrentAudio(&available, &current)))
        return {};
    return languagesOf(available, &IDvdInfo2::GetAudioLanguage);
}

std::vector<LCID> dvdSubtitleLanguages() {
    ULONG available = 0, current = 0;
    BOOL disabled = FALSE;
    if (!media.dvdInfo || FAILED(media.dvdInfo->GetCurrentSubpicture(&available, &current, &disabled)))
        return {};
    return languagesOf(available, &IDvdInfo2::GetSubpictureLanguage);
}

void handleDvdEvent(long code, LONG_PTR param1, LONG_PTR) {
    switch (code) {
    case EC_DVD_TITLE_CHANGE:
        media.currentDvdTitle = static_cast<ULONG>(param1);
        engineNotices.discTitleChanged(static_cast<int>(param1));
        break;
    case EC_DVD_CHAPTER_START:
        engineNotices.discChapterStarted(static_cast<int>(param1));
        break;
    case EC_DVD_CURRENT_HMSF_TIME:
        engineNotices.discTimeChanged(dvdSecondsOfTimecode(static_cast<std::uint32_t>(param1)),
                                      static_cast<int>(media.duration));
        break;
    default:
        break;
    }
}
