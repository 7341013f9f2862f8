#include "playlist/saving.h"
#include "win32/settings_file.h"

#include "core/timers.h"

#include "win32/wide.h"
#include "win32/long_path.h"
#include "playlist/playlist.h"
#include "playlist/playlist_window.h"
#include "win32/program_location.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace {

struct Settings {
    int loop, visible, index, width;
    bool operator==(const Settings&) const = default;
};
// What the settings file holds as far as this run knows; nothing until the first save.
std::optional<Settings> writtenSettings;

bool listLoaded;
bool saveScheduled;
// The list as last handed to the writer, to skip writing the same bytes again.
std::wstring submittedTarget;
std::size_t submittedHash;

// The writer thread: writing and flushing a large list must never hold up the window.
struct Job {
    std::wstring target;
    std::string bytes;
};
std::mutex mutex;
std::condition_variable wake, idle;
std::optional<Job> pending; // the newest list supersedes one not yet written
bool writing, stopping;
std::thread writer;
std::wstring originalToKeep; // a list file not read whole, kept before it is first replaced

// The first free name of "<list>.original", "<list>.original.2", ...
std::wstring keptName(const std::wstring& target) {
    std::wstring base = target + L".original";
    std::wstring name = base;
    for (int n = 2; GetFileAttributesW(extendedPath(name).c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
        name = base + L"." + std::to_wstring(n);
    return name;
}

// The original bytes of a list file the player did not fully understand stay beside it.
bool keepOriginal(const std::wstring& target) {
    if (CopyFileW(extendedPath(target).c_str(), extendedPath(keptName(target)).c_str(), TRUE))
        return true;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; // gone: nothing to keep
}

bool write(const Job& job) {
    bool keep;
    {
        std::lock_guard<std::mutex> hold(mutex);
        keep = !originalToKeep.empty() && lstrcmpiW(originalToKeep.c_str(), job.target.c_str()) == 0;
    }
    if (keep) {
        if (!keepOriginal(job.target))
            return false; // never replace what could not be kept
        std::lock_guard<std::mutex> hold(mutex);
        originalToKeep.clear();
    }
    return replaceListFile(job.target, job.bytes);
}

void writerLoop() {
    std::unique_lock<std::mutex> hold(mutex);
    for (;;) {
        wake.wait(hold, [] { return pending.has_value() || stopping; });
        if (!pending)
            return;
        Job job = std::move(*pending);
        pending.reset();
        writing = true;
        hold.unlock();
        bool ok = write(job);
        hold.lock();
        writing = false;
        if (!ok)
            PostMessageW(playlistWindow, kSaveFailedMessage, 0, 0);
        idle.notify_all();
    }
}

void submit(Job job) {
    std::lock_guard<std::mutex> hold(mutex);
    if (!writer.joinable()) {
        stopping = false;
        writer = std::thread(writerLoop);
    }
    pending = std::move(job);
    wake.notify_one();
}

void waitUntilWritten() {
    std::unique_lock<std::mutex> hold(mutex);
    idle.wait(hold, [] { return !pending && !writing; });
}

void saveSettings() {
    // Index and Loop are known once the list is loaded; until then the file keeps last run's.
    if (!listLoaded)
        return;
    Settings now = {loopFlag ? 1 : 0, playlistVisible ? 1 : 0, mainList.current, playlistWidth};
    if (writtenSettings == now)
        return;
    writeSetting(kLoop, now.loop);
    writeSetting(kListShown, now.visible);
    writeSetting(kCurrentEntry, now.index);
    writeSetting(kListWidth, now.width);
    writtenSettings = now;
}

// The user's own list; a disc's list is never saved.
void submitList() {
    if (!listLoaded || mainList.fileName.empty())
        return;
    std::wstring target = asWide(mainList.fileName.c_str());
    std::string bytes = listFileText(mainList, target.c_str());
    std::size_t hash = std::hash<std::string>{}(bytes);
    if (target == submittedTarget && hash == submittedHash)
        return;
    submittedTarget = target;
    submittedHash = hash;
    submit({target, std::move(bytes)});
}
} // namespace

void noteListChanged() {
    if (saveScheduled || playlistWindow == nullptr)
        return;
    // Not pushed back by further changes: what changed is on the disk within the delay.
    saveScheduled = SetTimer(playlistWindow, kListSaveTimer, kListSaveDelay, nullptr) != 0;
}

void listFileLoaded(bool found, bool whole) {
    listLoaded = true;
    std::lock_guard<std::mutex> hold(mutex);
    originalToKeep = found && !whole ? std::wstring(asWide(mainList.fileName.c_str())) : std::wstring();
}

void runScheduledSave() {
    KillTimer(playlistWindow, kListSaveTimer);
    saveScheduled = false;
    saveSettings();
    submitList();
}

void retrySaveLater() {
    submittedTarget.clear();
    if (playlistWindow != nullptr && !saveScheduled)
        saveScheduled = SetTimer(playlistWindow, kListSaveTimer, kListSaveRetry, nullptr) != 0;
}

void saveEverythingNow() {
    // Whatever happened to earlier writes, this one is made.
    submittedTarget.clear();
    saveChangesNow();
}

void saveChangesNow() {
    if (saveScheduled) {
        KillTimer(playlistWindow, kListSaveTimer);
        saveScheduled = false;
    }
    saveSettings();
    submitList();
    waitUntilWritten();
}

void stopSaving() {
    {
        std::lock_guard<std::mutex> hold(mutex);
        stopping = true;
        wake.notify_one();
    }
    if (writer.joinable())
        writer.join();
}
