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
// How long a failed save at exit waits before its last try.
constexpr DWORD kLeavingRetryDelay = 500;

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
bool lastWriteOk = true; // the newest list handed to the writer is on the disk
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
        lastWriteOk = ok;
        if (!ok && !pending)
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

// True when the last list handed over reached the disk.
bool waitUntilWritten() {
    std::unique_lock<std::mutex> hold(mutex);
    idle.wait(hold, [] { return !pending && !writing; });
    return lastWriteOk;
}

// False when the settings file could not be written; they are written again next time.
bool saveSettings() {
    // Index and Loop are known once the list is loaded; until then the file keeps last run's.
    if (!listLoaded)
        return true;
    Settings now = {loopFlag ? 1 : 0, playlistVisible ? 1 : 0, mainList.current, playlistWidth};
    if (writtenSettings == now)
        return true;
    bool ok = writeSetting(kLoop, now.loop);
    ok = writeSetting(kListShown, now.visible) && ok;
    ok = writeSetting(kCurrentEntry, now.index) && ok;
    ok = writeSetting(kListWidth, now.width) && ok;
    if (ok)
        writtenSettings = now;
    return ok;
}

// The same bytes need not be written again: they are on their way, or on the disk.
bool alreadySubmitted(const std::wstring& target, std::size_t hash) {
    if (target != submittedTarget || hash != submittedHash)
        return false;
    std::lock_guard<std::mutex> hold(mutex);
    return pending || writing || lastWriteOk;
}

// The user's own list; a disc's list is never saved.
void submitList() {
    if (!listLoaded || mainList.fileName.empty())
        return;
    std::wstring target = asWide(mainList.fileName.c_str());
    std::string bytes = listFileText(mainList, target.c_str());
    std::size_t hash = std::hash<std::string>{}(bytes);
    if (alreadySubmitted(target, hash))
        return;
    submittedTarget = target;
    submittedHash = hash;
    submit({target, std::move(bytes)});
}
} // namespace

void noteListChanged() {
    if (saveScheduled || playlistWindow == nullptr)
        return;
    // Not pushed back by further changes: what changed is written within the delay.
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
    if (!saveSettings())
        retrySaveLater();
    submitList();
}

void retrySaveLater() {
    if (playlistWindow != nullptr && !saveScheduled)
        saveScheduled = SetTimer(playlistWindow, kListSaveTimer, kListSaveRetry, nullptr) != 0;
}

bool saveEverythingNow() {
    // Whatever happened to earlier writes, this one is made.
    submittedTarget.clear();
    return saveChangesNow();
}

bool saveChangesNow() {
    if (saveScheduled) {
        KillTimer(playlistWindow, kListSaveTimer);
        saveScheduled = false;
    }
    bool settingsOk = saveSettings();
    submitList();
    return waitUntilWritten() && settingsOk;
}

void saveBeforeLeaving(bool everything) {
    if (everything ? saveEverythingNow() : saveChangesNow())
        return;
    Sleep(kLeavingRetryDelay);
    saveChangesNow();
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
