#include "core/program_paths.h"

#include <algorithm>

void computeSettingsPath(const char16_t* programPath, char16_t (&settingsPath)[kPathUnits]) {
    copyTextCut(settingsPath, kPathUnits, programPath);
    // The last three characters are replaced, so the path keeps its length (and its room); only a
    // path shorter than three characters grows, to "ini".
    std::size_t n = textLength(settingsPath);
    std::size_t at = n - std::min<std::size_t>(n, 3);
    settingsPath[at] = u'i';
    settingsPath[at + 1] = u'n';
    settingsPath[at + 2] = u'i';
    settingsPath[at + 3] = 0;
}

void computeProgramFolder(const char16_t* programPath, char16_t (&programFolder)[kPathUnits]) {
    copyTextCut(programFolder, kPathUnits, programPath);
    long n = static_cast<long>(textLength(programFolder));
    for (long i = n - 5; i >= 1; --i) {
        if (programFolder[i] == u'\\') {
            programFolder[i + 1] = 0;
            return;
        }
    }
    if (n > 1)
        programFolder[1] = 0;
}
