#include "engine/session.h"

#include <ole2.h>

namespace {
const wchar_t kWindowClass[] = L"Zon Media Session";

std::mutex reportLock; // guards what follows
std::vector<SessionReport> reports;
HWND reportWindow;
UINT reportMessage;

void deliver(SessionReport report) {
    HWND window;
    UINT message;
    {
        std::lock_guard<std::mutex> held(reportLock);
        reports.push_back(std::move(report));
        window = reportWindow;
        message = reportMessage;
    }
    if (window != nullptr)
        PostMessageW(window, message, 0, 0);
}

void registerWindowClass(WNDPROC procedure) {
    static const ATOM registered = [procedure] {
        WNDCLASSW c = {};
        c.lpfnWndProc = procedure;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = kWindowClass;
        return RegisterClassW(&c);
    }();
    (void)registered;
}

DWORD WINAPI abortFromTheMultithreadedApartment(void* param) {
    std::unique_ptr<ComPtr<IAMOpenProgress>> progress(static_cast<ComPtr<IAMOpenProgress>*>(param));
    if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
        (*progress)->AbortOperation();
        progress->reset();
        CoUninitialize();
    }
    return 0;
}
} // namespace

void setReportWindow(HWND window, UINT message) {
    std::lock_guard<std::mutex> held(reportLock);
    reportWindow = window;
    reportMessage = message;
}

std::vector<SessionReport> takeSessionReports() {
    std::lock_guard<std::mutex> held(reportLock);
    return std::exchange(reports, {});
}

MediaSession::MediaSession(Apartment apartment, unsigned long number)
    : apartment_(apartment), number_(number), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

MediaSession::~MediaSession() {
    if (thread_ != nullptr)
        CloseHandle(thread_);
    if (wake_ != nullptr)
        CloseHandle(wake_);
}

std::shared_ptr<MediaSession> MediaSession::start(Apartment apartment) {
    static unsigned long sessions;
    std::shared_ptr<MediaSession> session(new MediaSession(apartment, ++sessions));
    registerWindowClass(windowProc);
    // The thread holds the session as long as it runs: one the window let go of still ends well.
    auto* held = new std::shared_ptr<MediaSession>(session);
    if (session->wake_ == nullptr ||
        (session->thread_ = CreateThread(nullptr, 0, run, held, 0, nullptr)) == nullptr) {
        delete held;
        return nullptr;
    }
    return session;
}

void MediaSession::post(Work work) {
    {
        std::lock_guard<std::mutex> held(lock_);
        if (finishing_)
            return;
        work_.push_back(std::move(work));
    }
    SetEvent(wake_);
}

void MediaSession::finish() {
    {
        std::lock_guard<std::mutex> held(lock_);
        if (finishing_)
            return;
        work_.push_back([](MediaSession&, MediaContext& m) { releaseContext(m); });
        finishing_ = true;
    }
    SetEvent(wake_);
}

void MediaSession::report(std::function<void()> what) {
    deliver({number_, false, std::move(what)});
}

bool MediaSession::ended() const {
    return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0;
}

void MediaSession::offerAbort(ComPtr<IAMOpenProgress> progress) {
    std::lock_guard<std::mutex> held(lock_);
    abort_ = std::move(progress);
}

void MediaSession::abortOpen() {
    auto* progress = new ComPtr<IAMOpenProgress>;
    {
        std::lock_guard<std::mutex> held(lock_);
        if (abort_)
            abort_->AddRef();
        *progress = ComPtr<IAMOpenProgress>::adopt(abort_.get());
    }
    HANDLE helper = *progress
                        ? CreateThread(nullptr, 0, abortFromTheMultithreadedApartment, progress, 0, nullptr)
                        : nullptr;
    if (helper != nullptr)
        CloseHandle(helper);
    else
        delete progress;
}

DWORD WINAPI MediaSession::run(void* param) {
    std::shared_ptr<MediaSession> self = std::move(*static_cast<std::shared_ptr<MediaSession>*>(param));
    delete static_cast<std::shared_ptr<MediaSession>*>(param);
    bool ole = self->apartment_ == Apartment::Ole;
    HRESULT entered = ole ? OleInitialize(nullptr) : CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    self->window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(self->window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self.get()));
    self->loop();
    releaseContext(self->context_); // nothing is left open, whatever the work before did
    DestroyWindow(self->window_);
    if (SUCCEEDED(entered)) {
        if (ole)
            OleUninitialize();
        else
            CoUninitialize();
    }
    deliver({self->number_, true, {}});
    return 0;
}

void MediaSession::loop() {
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Work next;
        {
            std::lock_guard<std::mutex> held(lock_);
            if (!work_.empty()) {
                next = std::move(work_.front());
                work_.pop_front();
            } else if (finishing_) {
                return;
            }
        }
        if (next)
            next(*this, context_);
        else
            MsgWaitForMultipleObjectsEx(1, &wake_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

LRESULT CALLBACK MediaSession::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MediaSession*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // The graph's events are taken between two pieces of work, never inside one that waits.
    if (message == eventMessage && self != nullptr)
        self->post([](MediaSession& s, MediaContext& m) { handleGraphEvents(s, m); });
    return DefWindowProcW(window, message, wParam, lParam);
}
