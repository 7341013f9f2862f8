// The objects of one open medium. They live on its session's thread (session.h), which alone makes,
// calls and releases them; the window's thread knows the medium only by what the session reports.
#pragma once
#include "flash/flash_host.h"
#include "win32/com_ptr.h"

#include "engine/dshow.h"

struct MediaContext {
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    ComPtr<IMediaSeeking> seeking;
    ComPtr<IMediaEventEx> events;
    ComPtr<IVideoWindow> videoWindow;
    ComPtr<IVMRWindowlessControl> windowless;
    ComPtr<IVideoFrameStep> frameStep;
    ComPtr<IDvdGraphBuilder> dvdBuilder;
    ComPtr<IDvdControl2> dvdControl;
    ComPtr<IDvdInfo2> dvdInfo;
    FlashHostPtr flashHost; // a Flash movie's host, its faces held above
    LONGLONG duration = 0;  // in the seeking unit; 0 when the medium does not tell
    ULONG currentDvdTitle = 0;
    unsigned long discRequest = 0; // the last entry the window asked the navigator for
    // Wine's parsers lose a stream when a running graph is sought: such a graph is stopped to seek.
    bool stopToSeek = false;
    // Where the window's thread last placed the picture, in the display window.
    RECT pictureRect = {};
};
