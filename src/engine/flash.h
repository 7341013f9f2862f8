// Flash movies through the hosted Shockwave Flash control.
#pragma once

bool openFlashMovie(const wchar_t* path);
void haltFlashMovie();
void playFlashMovie();
