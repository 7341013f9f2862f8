// One medium's own thread. It makes the medium's objects, drives them and releases them, then ends.
// The window's thread only hands it work and takes its reports: nothing a source filter, a codec or
// a control does while opening, playing or stopping can hold the window.
#pragma once
#include "engine/media_context.h"

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class MediaSession {
public:
    // A graph's thread joins the multithreaded apartment, where another thread may abort its open;
    // a Flash movie's control needs a single-threaded apartment with OLE.
    enum class Apartment { Multithreaded, Ole };
    using Work = std::function<void(MediaSession&, MediaContext&)>;

    // A session with its thread started; null when no thread could be made.
    static std::shared_ptr<MediaSession> start(Apartment apartment);
    ~MediaSession();
    MediaSession(const MediaSession&) = delete;
    MediaSession& operator=(const MediaSession&) = delete;

    // Runs `work` on the session's thread after everything handed over before it.
    void post(Work work);
    // Releases the medium once the work before is done, and ends the thread; later work is dropped.
    void finish();
    // From the session's thread: `what` runs on the window's thread, unless the window has let go of
    // this session by then.
    void report(std::function<void()> what);
    // The window and message the medium's graph posts its events with (the session's own).
    static constexpr UINT eventMessage = WM_APP + 1;
    HWND eventWindow() const { return window_; }
    unsigned long number() const { return number_; }
    bool ended() const;
    HANDLE thread() const { return thread_; }

    // An open's way to be given up, while it lasts (null afterwards).
    void offerAbort(ComPtr<IAMOpenProgress> progress);
    // Asks an open that takes too long to give up. Called from the window's thread; the call is
    // made from a thread of the multithreaded apartment, as the medium's objects require.
    void abortOpen();

private:
    MediaSession(Apartment apartment, unsigned long number);
    static DWORD WINAPI run(void* self);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void loop();

    const Apartment apartment_;
    const unsigned long number_;
    HANDLE thread_ = nullptr;
    HANDLE wake_ = nullptr;
    HWND window_ = nullptr;
    MediaContext context_;
    std::mutex lock_; // guards what follows
    std::deque<Work> work_;
    bool finishing_ = false;
    ComPtr<IAMOpenProgress> abort_;
};

// The window's side: where reports go, and the reports taken in the order they came.
struct SessionReport {
    unsigned long session;
    bool always; // the end of a session's thread, told whoever holds it
    std::function<void()> what;
};
void setReportWindow(HWND window, UINT message);
std::vector<SessionReport> takeSessionReports();

// What a session does with its medium when it finishes, and with its graph's events.
void releaseContext(MediaContext& m);
void handleGraphEvents(MediaSession& session, MediaContext& m);
