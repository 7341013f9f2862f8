#include "engine/flash.h"

#include "engine/media.h"
#include "engine/renderer.h"

#include <oleauto.h>

// The host's faces stand where a graph's interfaces would: the engine drives a movie as any
// medium, in frames.
OpenedFacts openFlashMovie(MediaContext& m, const std::wstring& path) {
    OpenedFacts facts;
    FlashHostPtr host = createFlashHost(engineVideoWindow);
    if (!host)
        return facts;
    facts.made = true;
    IUnknown* faces = flashHostIdentity(*host);
    m.flashHost = std::move(host);
    HRESULT loaded = E_NOINTERFACE;
    if (SUCCEEDED(faces->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&m.control)))) {
        BSTR movie = SysAllocString(path.c_str());
        loaded = m.control->RenderFile(movie);
        SysFreeString(movie);
    }
    if (SUCCEEDED(faces->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&m.seeking))) &&
        FAILED(m.seeking->GetDuration(&m.duration)))
        m.duration = 0;
    faces->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&m.videoWindow));
    // A movie of no frames is nothing to play: it is skipped as any unplayable file.
    facts.rendered = SUCCEEDED(loaded) && m.duration > 0;
    facts.duration = m.duration;
    facts.seekable = m.seeking && m.duration > 0;
    updateVideoSize(m, false, facts);
    return facts;
}
