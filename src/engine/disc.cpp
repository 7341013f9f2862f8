#include "engine/disc.h"

#include "core/disc_list.h"
#include "core/timers.h"
#include "core/transport_math.h"
#include "engine/graph.h"
#include "engine/media.h"
#include "engine/medium.h"
#include "engine/renderer.h"

#include <dvdevcod.h>

#include <algorithm>

namespace {
constexpr DWORD kFlushAndBlock = DVD_CMD_FLAG_Flush | DVD_CMD_FLAG_Block;

// The entries asked of the navigator, counted. Its title and chapter events are delayed on their
// way here: one the navigator sent before it took the latest request tells where it was, not where
// it goes, and would move the list back to an entry the user has just left.
unsigned long discRequests;

std::vector<int> chapterCounts(MediaContext& m) {
    std::vector<int> chapters;
    ULONG volumes = 0, volume = 0, titles = 0;
    DVD_DISC_SIDE side = DVD_SIDE_A;
    if (!m.dvdInfo || FAILED(m.dvdInfo->GetDVDVolumeInfo(&volumes, &volume, &side, &titles)))
        return chapters;
    for (ULONG t = 1; t <= titles && chapters.size() < kDiscListCapacity; ++t) {
        ULONG count = 0;
        m.dvdInfo->GetNumberOfChapters(t, &count);
        chapters.push_back(static_cast<int>(std::min<ULONG>(count, kDiscListCapacity)));
    }
    return chapters;
}

OpenedFacts openDisc(MediaSession& session, MediaContext& m, bool cursorHidden) {
    OpenedFacts facts;
    if (FAILED(CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER, IID_IDvdGraphBuilder,
                                reinterpret_cast<void**>(&m.dvdBuilder))))
        return facts;
    facts.made = facts.rendered = true;
    m.currentDvdTitle = 0;
    m.dvdBuilder->GetFiltergraph(&m.graph);
    AM_DVD_RENDERSTATUS status = {};
    // No disc in the drive still plays: the navigator then sends no events.
    m.dvdBuilder->RenderDvdVideoVolume(nullptr, AM_DVD_HWDEC_PREFER, &status);
    if (m.graph) {
        m.graph.queryInterface(m.control);
        if (SUCCEEDED(m.graph.queryInterface(m.events)))
            m.events->SetNotifyWindow(reinterpret_cast<OAHWND>(session.eventWindow()),
                                      MediaSession::eventMessage, 0);
    }
    ComPtr<IAMLine21Decoder> captions;
    if (SUCCEEDED(m.dvdBuilder->GetDvdInterface(IID_IAMLine21Decoder, reinterpret_cast<void**>(&captions))))
        captions->SetServiceState(AM_L21_CCSTATE_Off);
    if (SUCCEEDED(m.dvdBuilder->GetDvdInterface(IID_IDvdControl2, reinterpret_cast<void**>(&m.dvdControl)))) {
        m.dvdControl->SetOption(DVD_NotifyParentalLevelChange, FALSE);
        m.dvdControl->SetOption(DVD_HMSF_TimeCodeEvents, TRUE);
    }
    updateVideoSize(m, cursorHidden, facts);
    m.dvdBuilder->GetDvdInterface(IID_IDvdInfo2, reinterpret_cast<void**>(&m.dvdInfo));
    facts.discInfo = static_cast<bool>(m.dvdInfo);
    facts.discChapters = chapterCounts(m);
    return facts;
}

// The language of each of `available` streams, as `language` (a member of IDvdInfo2) tells it.
std::vector<LCID> languagesOf(MediaContext& m, ULONG available,
                              HRESULT (WINAPI IDvdInfo2::*language)(ULONG, LCID*)) {
    std::vector<LCID> languages;
    for (ULONG i = 0; i < available && i < kDiscListCapacity; ++i) {
        LCID found = 0;
        languages.push_back(SUCCEEDED((m.dvdInfo.get()->*language)(i, &found)) ? found : 0);
    }
    return languages;
}

std::vector<LCID> audioLanguagesOf(MediaContext& m) {
    ULONG available = 0, current = 0;
    if (!m.dvdInfo || FAILED(m.dvdInfo->GetCurrentAudio(&available, &current)))
        return {};
    return languagesOf(m, available, &IDvdInfo2::GetAudioLanguage);
}

std::vector<LCID> subtitleLanguagesOf(MediaContext& m) {
    ULONG available = 0, current = 0;
    BOOL disabled = FALSE;
    if (!m.dvdInfo || FAILED(m.dvdInfo->GetCurrentSubpicture(&available, &current, &disabled)))
        return {};
    return languagesOf(m, available, &IDvdInfo2::GetSubpictureLanguage);
}

int titleLengthOf(MediaContext& m) {
    DVD_HMSF_TIMECODE total = {};
    ULONG flags = 0;
    m.duration = 0;
    if (m.dvdInfo && SUCCEEDED(m.dvdInfo->GetTotalTitleTime(&total, &flags)))
        m.duration = dvdSecondsOf({total.bHours, total.bMinutes, total.bSeconds, total.bFrames});
    return static_cast<int>(m.duration);
}

void toNavigator(void (*call)(IDvdControl2&, ULONG, ULONG), ULONG a, ULONG b, unsigned long request = 0) {
    toMedium([call, a, b, request](MediaSession&, MediaContext& m) {
        if (request != 0)
            m.discRequest = request;
        if (m.dvdControl)
            call(*m.dvdControl.get(), a, b);
    });
}
} // namespace

bool openDvdGraph() {
    setPlaybackState(Stopped);
    if (!startMedium(MediaKind::Disc, MediaSession::Apartment::Multithreaded))
        return false;
    bool hidden = videoCursorHidden();
    unsigned long request = ++discRequests; // the disc's own start
    toMedium([hidden, request](MediaSession& s, MediaContext& m) {
        m.discRequest = request;
        OpenedFacts facts = openDisc(s, m, hidden);
        s.report([facts] { takeOpened(facts); });
    });
    setPlaybackState(Playing);
    return true;
}

int readDvdTitleLength() {
    return static_cast<int>(media.duration);
}

void playDiscEntry(const PlaylistEntry& entry) {
    auto title = static_cast<ULONG>(entry.dvdTitle), chapter = static_cast<ULONG>(entry.dvdChapter);
    void (*call)(IDvdControl2&, ULONG, ULONG);
    if (title == 0)
        call = [](IDvdControl2& c, ULONG, ULONG chapter) {
            c.ShowMenu(chapter == 0 ? DVD_MENU_Title : DVD_MENU_Root, kFlushAndBlock, nullptr);
        };
    else if (chapter == 0)
        call = [](IDvdControl2& c, ULONG title, ULONG) { c.PlayTitle(title, DVD_CMD_FLAG_Block, nullptr); };
    else
        call = [](IDvdControl2& c, ULONG title, ULONG chapter) {
            c.PlayChapterInTitle(title, chapter, DVD_CMD_FLAG_Block, nullptr);
        };
    toNavigator(call, title, chapter, ++discRequests);
}

bool selectDvdStream(WORD command) {
    DvdStreamChoice choice = dvdStreamOf(command);
    if (choice.kind == DvdStreamKind::None)
        return false;
    toMedium([choice](MediaSession&, MediaContext& m) {
        if (!m.dvdControl)
            return;
        if (choice.kind == DvdStreamKind::Audio) {
            m.dvdControl->SelectAudioStream(choice.stream, DVD_CMD_FLAG_None, nullptr);
        } else {
            m.dvdControl->SetSubpictureState(choice.kind == DvdStreamKind::Subtitle, DVD_CMD_FLAG_None,
                                             nullptr);
            if (choice.kind == DvdStreamKind::Subtitle)
                m.dvdControl->SelectSubpictureStream(choice.stream, DVD_CMD_FLAG_None, nullptr);
        }
    });
    return true;
}

std::vector<LCID> dvdAudioLanguages() {
    return media.audioLanguages;
}

std::vector<LCID> dvdSubtitleLanguages() {
    return media.subtitleLanguages;
}

void pointAtDiscButton(POINT at) {
    if (media.kind == MediaKind::Disc)
        toNavigator(
            [](IDvdControl2& c, ULONG x, ULONG y) {
                c.SelectAtPosition({LONG(x), LONG(y)});
            },
            static_cast<ULONG>(at.x), static_cast<ULONG>(at.y));
}

void pressDiscButton(POINT at) {
    if (media.kind == MediaKind::Disc)
        toNavigator(
            [](IDvdControl2& c, ULONG x, ULONG y) {
                c.ActivateAtPosition({LONG(x), LONG(y)});
            },
            static_cast<ULONG>(at.x), static_cast<ULONG>(at.y));
}

void handleDvdEvent(MediaSession& session, MediaContext& m, long code, LONG_PTR param1, LONG_PTR) {
    switch (code) {
    case EC_DVD_TITLE_CHANGE: {
        m.currentDvdTitle = static_cast<ULONG>(param1);
        int title = static_cast<int>(param1);
        std::vector<LCID> audio = audioLanguagesOf(m), subtitles = subtitleLanguagesOf(m);
        session.report([title, audio, subtitles, request = m.discRequest] {
            if (request != discRequests)
                return;
            media.currentDvdTitle = static_cast<ULONG>(title);
            media.audioLanguages = audio;
            media.subtitleLanguages = subtitles;
            engineNotices.discTitleChanged(title);
        });
        break;
    }
    case EC_DVD_CHAPTER_START: {
        int chapter = static_cast<int>(param1), length = titleLengthOf(m);
        session.report([chapter, length, request = m.discRequest] {
            if (request != discRequests)
                return;
            media.duration = length;
            engineNotices.discChapterStarted(chapter);
        });
        break;
    }
    case EC_DVD_CURRENT_HMSF_TIME: {
        int seconds = dvdSecondsOfTimecode(static_cast<std::uint32_t>(param1));
        session.report(
            [seconds] { engineNotices.discTimeChanged(seconds, static_cast<int>(media.duration)); });
        break;
    }
    default:
        break;
    }
}
