// Whole seconds as the short time text of the list and the frame: MM:SS, H:MM:SS.
#pragma once

// Fills buffer (at least 8 bytes) and returns it, or returns "--:--" for 0 or less and "!!:!!" from
// ten hours on, leaving the buffer untouched.
const char* FormatTime(char* buffer, int seconds);
