// What another process holds: its memory, its kernel handles and its GDI objects.
#pragma once
#include <windows.h>

struct ProcessCounts {
    SIZE_T workingSet; // bytes
    long handles;      // -1 when the system does not tell
    long gdiObjects;   // -1 when the system does not tell
};

ProcessCounts countsOf(HANDLE process);
