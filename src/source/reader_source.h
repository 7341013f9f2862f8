// The program's own source filter for files DirectShow finds no splitter for: Media Foundation's
// Source Reader opens the file and decodes its first video and first audio streams, and the
// filter's pins offer them as pictures the renderers take and as PCM. The engine makes it itself;
// it is never registered.
#pragma once
#include <windows.h>
#include <dshow.h>

extern const CLSID kReaderSourceClass;
// A filter with no file yet (IFileSourceFilter::Load opens one) and one reference; null without
// memory.
IBaseFilter* newReaderSource();
