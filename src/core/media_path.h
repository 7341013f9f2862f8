// How a media file is opened, decided from its extension.
#pragma once

// Index of the first character after the last '.' found from the path's last character down to
// its second (index 1); -1 when there is none (no dot, or a dot only at index 0).
long findExtension(const char16_t* path);

// Lower-cases the extension (ASCII A-Z only) inside the caller's buffer and returns a pointer to
// it, or nullptr when the path has no extension.
char16_t* lowerExtensionInPlace(char16_t* path);

enum class MediaRoute {
    Flash,        // the hosted Shockwave Flash control
    RenderFile,   // the graph renders the whole file (the Windows Media family)
    SourceFilter, // a source filter and its first free output pin
};

struct MediaPlan {
    MediaRoute route;
    bool realMediaFilters; // add the three RealMedia filters before rendering
};

// Every test is a substring test on the (already lower-cased) extension; nullptr means none.
MediaPlan planMedia(const char16_t* extension);
