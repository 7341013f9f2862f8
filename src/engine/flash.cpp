#include "engine/flash.h"

#include "engine/media.h"

#include <oleauto.h>

// The host's faces stand where a graph's interfaces would: the engine drives a movie as any
// medium, in frames.
bool openFlashMovie(const wchar_t* path) {
    FlashHostPtr host = createFlashHost(engineVideoWindow);
    if (!host)
        return false;
    IUnknown* faces = flashHostIdentity(*host);
    media.flashHost = std::move(host);
    if (SUCCEEDED(faces->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&media.control)))) {
        BSTR movie = SysAllocString(path);
        media.control->RenderFile(movie);
        SysFreeString(movie);
    }
    if (SUCCEEDED(faces->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&media.seeking))))
        media.seeking->GetDuration(&media.duration);
    faces->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&media.videoWindow));
    return true;
}

void haltFlashMovie() {
    if (media.flashHost)
        haltFlash(*media.flashHost);
}

void playFlashMovie() {
    if (media.flashHost)
        playFlash(*media.flashHost);
}
