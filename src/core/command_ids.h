// The one command vocabulary of the player: menu items, shortcut keys and skinned buttons all
// resolve to these identifiers. Plain #defines so that the resource script can use them too.
#pragma once

#define CMD_FILE_OPEN 40001
#define CMD_FILE_OPEN_LOCATION 40002
#define CMD_FILE_SNAPSHOT 40003
#define CMD_FILE_EXIT 40099
#define CMD_VIEW_PLAYLIST 41001
#define CMD_VIEW_FULLSCREEN 41002
#define CMD_ZOOM_OUT 41011
#define CMD_ZOOM_IN 41012
#define CMD_ZOOM_50 41013
#define CMD_ZOOM_100 41014
#define CMD_ZOOM_200 41015
#define CMD_PLAY_PAUSE 42001
#define CMD_PAUSE 42002
#define CMD_STOP 42003
#define CMD_FRAME_STEP 42004
#define CMD_PREVIOUS 42005
#define CMD_NEXT 42006
#define CMD_SKIP_BACK 42007
#define CMD_SKIP_FORWARD 42008
#define CMD_DISC 42009
#define CMD_RATE_DOWN 42011
#define CMD_RATE_UP 42012
#define CMD_RATE_HALF 42013
#define CMD_RATE_NORMAL 42014
#define CMD_RATE_DOUBLE 42015
#define CMD_AUDIO_DEFAULT 42021
#define CMD_SUBTITLE_OFF 42031
#define CMD_SUBTITLE_DEFAULT 42032
#define CMD_AUDIO_STREAM_FIRST 42100
#define CMD_AUDIO_STREAM_LAST 42110
#define CMD_SUBTITLE_STREAM_FIRST 42111
#define CMD_SUBTITLE_STREAM_LAST 42120
#define CMD_HELP_HOMEPAGE 43001
#define CMD_HELP_ABOUT 43099
#define CMD_BUTTON_MINIMISE 44001
#define CMD_BUTTON_RESTORE 44002
#define CMD_BUTTON_FULLSCREEN 44003
#define CMD_BUTTON_MUTE 44004
#define CMD_LIST_ADD 45001
#define CMD_LIST_SAVE 45002
#define CMD_LIST_CLEAR 45003
#define CMD_LIST_LOOP 45004
#define CMD_LIST_SHUFFLE 45005
#define CMD_LIST_SORT_TITLE 45006
#define CMD_LIST_SORT_PATH 45007

// Resource numbers.
#define IDR_MAIN_MENU 101
#define IDR_LIST_MENU 102
#define IDD_RENAME 101
#define IDD_LANGUAGES 102
#define IDD_ABOUT 103
#define IDC_RENAME_EDIT 1000
#define IDC_AUDIO_LANGUAGE 1001
#define IDC_SUBTITLE_LANGUAGE 1002
#define IDC_MENU_LANGUAGE 1003
#define IDS_HOMEPAGE 102
#define IDS_CAPTION 103
#define IDS_SAVE_LIST_FILTER 104
#define IDS_ADD_FILTER 105
#define IDI_APP 101
#define IDB_BUTTONS 101
#define IDB_PANEL 102
#define IDB_BORDERS 103
#define IDB_SCROLLBAR 104
#define IDB_CAPTION 105
#define IDB_SEEKBAR 106

#ifndef RC_INVOKED
#include <cstdint>

enum Command : std::uint16_t {
    CommandOpen = CMD_FILE_OPEN,
    CommandOpenLocation = CMD_FILE_OPEN_LOCATION,
    CommandSnapshot = CMD_FILE_SNAPSHOT,
    CommandExit = CMD_FILE_EXIT,
    CommandTogglePlaylist = CMD_VIEW_PLAYLIST,
    CommandFullScreen = CMD_VIEW_FULLSCREEN,
    CommandZoomOut = CMD_ZOOM_OUT,
    CommandZoomIn = CMD_ZOOM_IN,
    CommandZoom50 = CMD_ZOOM_50,
    CommandZoom100 = CMD_ZOOM_100,
    CommandZoom200 = CMD_ZOOM_200,
    CommandPlayPause = CMD_PLAY_PAUSE,
    CommandPause = CMD_PAUSE,
    CommandStop = CMD_STOP,
    CommandFrameStep = CMD_FRAME_STEP,
    CommandPrevious = CMD_PREVIOUS,
    CommandNext = CMD_NEXT,
    CommandSkipBack = CMD_SKIP_BACK,
    CommandSkipForward = CMD_SKIP_FORWARD,
    CommandDisc = CMD_DISC,
    CommandRateDown = CMD_RATE_DOWN,
    CommandRateUp = CMD_RATE_UP,
    CommandRateHalf = CMD_RATE_HALF,
    CommandRateNormal = CMD_RATE_NORMAL,
    CommandRateDouble = CMD_RATE_DOUBLE,
    CommandAudioDefault = CMD_AUDIO_DEFAULT,
    CommandSubtitleOff = CMD_SUBTITLE_OFF,
    CommandSubtitleDefault = CMD_SUBTITLE_DEFAULT,
    CommandHomepage = CMD_HELP_HOMEPAGE,
    CommandAbout = CMD_HELP_ABOUT,
    CommandMinimiseButton = CMD_BUTTON_MINIMISE,
    CommandRestoreButton = CMD_BUTTON_RESTORE,
    CommandFullScreenButton = CMD_BUTTON_FULLSCREEN,
    CommandMuteButton = CMD_BUTTON_MUTE,
    CommandListAdd = CMD_LIST_ADD,
    CommandListSave = CMD_LIST_SAVE,
    CommandListClear = CMD_LIST_CLEAR,
    CommandListLoop = CMD_LIST_LOOP,
    CommandListShuffle = CMD_LIST_SHUFFLE,
    CommandListSortTitle = CMD_LIST_SORT_TITLE,
    CommandListSortPath = CMD_LIST_SORT_PATH,
};
#endif
