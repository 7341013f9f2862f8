#include "app/wiring.h"

#include "app/disc_menus.h"
#include "app/geometry.h"
#include "app/main_window.h"
#include "app/shell.h"
#include "engine/media.h"
#include "playlist/discs.h"
#include "playlist/playlist.h"
#include "skin/frame.h"
#include "skin/seek_bar.h"

void wirePlayer() {
    attachEngine(mainWindow, displayWindow);
    attachFrame(mainWindow);
    engineNotices.stateChanged = [] { drawControls(); };
    engineNotices.positionChanged = showPlayingPosition;
    engineNotices.mediaEnded = PlayNext;
    engineNotices.mediaOpened = [] {
        if (media.kind == MediaKind::Disc)
            discOpened();
        else
            recordPlayingLength();
        hoverUnderPointer();
    };
    engineNotices.videoSizeKnown = fitWindowToVideo;
    engineNotices.playbackStopped = [] {
        clearPlayingDisplay();
        removeLanguageItems();
    };
    engineNotices.discTitleChanged = [](int title) {
        setSeekProgress(0);
        followDiscTitle(title);
        rebuildLanguageMenus();
    };
    engineNotices.discChapterStarted = followDiscChapter;
    engineNotices.discTimeChanged = showDiscTime;
    engineNotices.mediaReleased = DiscardDiscList;
    engineNotices.playWanted = PlayChosenEntry;
    listFacts = [] { return ListFacts{activeList->count(), activeList->current, loopFlag}; };
}
