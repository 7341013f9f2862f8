// Flash movies through the hosted Shockwave Flash control, opened on the movie's session.
#pragma once
#include "engine/graph.h"

OpenedFacts openFlashMovie(MediaContext& m, const std::wstring& path);
