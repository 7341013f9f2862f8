// The DVD graph builder and navigator the test prefix registers (`wine regsvr32 /s dvd_standin.dll`),
// since Wine's answer E_NOTIMPL. The picture is real: the graph is Wine's filter graph with the clip
// ZON_DVD_CLIP names rendered into it. The disc is fixed: title 1 has 3 chapters, lasts 1:40 and
// has English and Chinese sound; title 2 has 1 chapter, lasts 0:30, Japanese sound and English and
// Japanese subtitles. Each navigator call the player makes is a line in the file ZON_DVD_LOG names
// (opened each time: a killed player loses nothing), as "<method> <arguments>", speeds %g.
// The navigator's events reach the player through the real graph: PlayTitle gives a title change
// and chapter 1's start, PlayChapterInTitle the chapter's start (and a title change to another
// title), the graph's first run title 1 and chapter 1, and each second it runs the position as an
// HMSF time (hours, minutes, seconds, frames at 25 a second, byte by byte).
#include "engine/dshow.h"
#include "win32/com_ptr.h"
#include "win32/guards.h"
#include "com_server.h"

#include <dvdevcod.h>
#include <atomic>
#include <string>
#include <vector>

namespace {
using standin::offer;
const wchar_t kServerKey[] = L"CLSID\\{FCC152B7-F372-11d0-8E00-00C04FD7C08B}\\InprocServer32";

// Logs a command and answers hr, with no command object for the caller to wait on.
void noCommand(IDvdCmd** command) {
    if (command != nullptr)
        *command = nullptr;
}
#define logged(command, ...) (noCommand(command), standin::logTo(L"ZON_DVD_LOG", __VA_ARGS__))
struct Title {
    ULONG chapters;
    DVD_HMSF_TIMECODE length;
    std::vector<LCID> audio, subtitles;
};

const std::vector<Title> kDisc = {{3, {0, 1, 40, 0}, {0x409, 0x804}, {}},
                                  {1, {0, 0, 30, 0}, {0x411}, {0x409, 0x411}}};

HRESULT pick(const std::vector<LCID>& streams, ULONG stream, LCID* language) {
    return stream < streams.size() ? *language = streams[stream], S_OK : E_INVALIDARG;
}
HRESULT choose(const std::vector<LCID>& streams, ULONG stream, ULONG& current) {
    return stream < streams.size() ? current = stream, S_OK : E_INVALIDARG;
}

// Owns the disc, the graph and the thread that watches the graph. The navigator
// and the line 21 decoder are objects of their own (a query on one finds none of the others, as
// with the platform's), whose references are the builder's.
class Builder final : public IDvdGraphBuilder, public standin::Live {
public:
    Builder() {
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                         reinterpret_cast<void**>(&graph_));
        if (SUCCEEDED(graph_.queryInterface(control_)) && SUCCEEDED(graph_.queryInterface(seeking_)) &&
            SUCCEEDED(graph_.queryInterface(sink_)))
            thread_ = CreateThread(nullptr, 0, watch, this, 0, nullptr);
    }
    // The watcher ends before the graph goes, as it calls into the graph.
    ~Builder() {
        if (thread_ != nullptr)
            SetEvent(stop_), WaitForSingleObject(thread_, INFINITE), CloseHandle(thread_);
    }
    bool ready() const { return thread_ != nullptr; }

    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        return offer(out, this, iid == IID_IUnknown || iid == IID_IDvdGraphBuilder);
    }
    STANDIN_REFERENCE_COUNTING
    HRESULT WINAPI GetFiltergraph(IGraphBuilder** out) override {
        return offer(reinterpret_cast<void**>(out), graph_.get(), true);
    }
    HRESULT WINAPI GetDvdInterface(REFIID iid, void** out) override {
        if (iid == IID_IDvdControl2 || iid == IID_IDvdInfo2)
            return navigator_.QueryInterface(iid, out);
        return offer(out, &line21_, iid == IID_IAMLine21Decoder);
    }
    // A clip that does not render fails here, so that a test set up wrongly fails at once.
    HRESULT WINAPI RenderDvdVideoVolume(LPCWSTR path, DWORD flags, AM_DVD_RENDERSTATUS* status) override {
        logged(nullptr, S_OK, "RenderDvdVideoVolume %ls %lu", path != nullptr ? path : L"null", flags);
        if (status != nullptr)
            *status = {};
        HRESULT hr = graph_->RenderFile(standin::environment(L"ZON_DVD_CLIP").c_str(), nullptr);
        return SUCCEEDED(hr) ? S_OK : hr;
    }

private:
    class Navigator : public IDvdControl2, public IDvdInfo2 {
    public:
        explicit Navigator(Builder& builder) : b_(builder) {}
        HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
            if (iid == IID_IDvdInfo2)
                return offer(out, static_cast<IDvdInfo2*>(this), true);
            return offer(out, static_cast<IDvdControl2*>(this),
                         iid == IID_IUnknown || iid == IID_IDvdControl2);
        }
        ULONG WINAPI AddRef() override { return b_.AddRef(); }
        ULONG WINAPI Release() override { return b_.Release(); }

        HRESULT WINAPI SetOption(DVD_OPTION_FLAG flag, BOOL on) override {
            return logged(nullptr, S_OK, "SetOption %d %d", flag, on);
        }
        HRESULT WINAPI ShowMenu(DVD_MENU_ID menu, DWORD flags, IDvdCmd** command) override {
            return logged(command, S_OK, "ShowMenu %d %lu", menu, flags);
        }
        HRESULT WINAPI PlayTitle(ULONG title, DWORD flags, IDvdCmd** command) override {
            logged(command, S_OK, "PlayTitle %lu %lu", title, flags);
            return b_.play(title, 1, true);
        }
        HRESULT WINAPI PlayChapterInTitle(ULONG title, ULONG chapter, DWORD flags,
                                          IDvdCmd** command) override {
            logged(command, S_OK, "PlayChapterInTitle %lu %lu %lu", title, chapter, flags);
            return b_.play(title, chapter, title != b_.title_);
        }
        HRESULT WINAPI PlayAtTime(DVD_HMSF_TIMECODE* t, DWORD flags, IDvdCmd** command) override {
            logged(command, S_OK, "PlayAtTime %u:%02u:%02u %lu", t->bHours, t->bMinutes, t->bSeconds, flags);
            LONGLONG at =
                ((t->bHours * 60 + t->bMinutes) * 60 + t->bSeconds) * 10000000LL + t->bFrames * 400000LL;
            return b_.seeking_->SetPositions(&at, AM_SEEKING_AbsolutePositioning, nullptr,
                                             AM_SEEKING_NoPositioning);
        }
        HRESULT WINAPI PlayForwards(double speed, DWORD flags, IDvdCmd** command) override {
            return logged(command, S_OK, "PlayForwards %g %lu", speed, flags);
        }
        HRESULT WINAPI PlayBackwards(double speed, DWORD flags, IDvdCmd** command) override {
            return logged(command, S_OK, "PlayBackwards %g %lu", speed, flags);
        }
        HRESULT WINAPI SelectAudioStream(ULONG stream, DWORD flags, IDvdCmd** command) override {
            logged(command, S_OK, "SelectAudioStream %lu %lu", stream, flags);
            return choose(b_.title().audio, stream, b_.audio_);
        }
        HRESULT WINAPI SetSubpictureState(BOOL on, DWORD flags, IDvdCmd** command) override {
            return b_.subpictureOff_ = !on, logged(command, S_OK, "SetSubpictureState %d %lu", on, flags);
        }
        HRESULT WINAPI SelectSubpictureStream(ULONG stream, DWORD flags, IDvdCmd** command) override {
            logged(command, S_OK, "SelectSubpictureStream %lu %lu", stream, flags);
            return choose(b_.title().subtitles, stream, b_.subpicture_);
        }
        HRESULT WINAPI SelectAtPosition(POINT at) override {
            return logged(nullptr, S_OK, "SelectAtPosition %ld %ld", at.x, at.y);
        }
        HRESULT WINAPI ActivateAtPosition(POINT at) override {
            return logged(nullptr, S_OK, "ActivateAtPosition %ld %ld", at.x, at.y);
        }
        HRESULT WINAPI GetDVDVolumeInfo(ULONG* volumes, ULONG* volume, DVD_DISC_SIDE* side,
                                        ULONG* titles) override {
            *volumes = *volume = 1, *side = DVD_SIDE_A;
            return *titles = static_cast<ULONG>(kDisc.size()), S_OK;
        }
        HRESULT WINAPI GetNumberOfChapters(ULONG title, ULONG* chapters) override {
            if (title < 1 || title > kDisc.size())
                return E_INVALIDARG;
            return *chapters = kDisc[title - 1].chapters, S_OK;
        }
        HRESULT WINAPI GetTotalTitleTime(DVD_HMSF_TIMECODE* length, ULONG* flags) override {
            return *length = b_.title().length, *flags = DVD_TC_FLAG_25fps, S_OK;
        }
        HRESULT WINAPI GetCurrentAudio(ULONG* available, ULONG* current) override {
            return *available = static_cast<ULONG>(b_.title().audio.size()), *current = b_.audio_, S_OK;
        }
        HRESULT WINAPI GetAudioLanguage(ULONG stream, LCID* language) override {
            return pick(b_.title().audio, stream, language);
        }
        HRESULT WINAPI GetCurrentSubpicture(ULONG* available, ULONG* current, BOOL* disabled) override {
            *available = static_cast<ULONG>(b_.title().subtitles.size());
            return *current = b_.subpicture_, *disabled = b_.subpictureOff_, S_OK;
        }
        HRESULT WINAPI GetSubpictureLanguage(ULONG stream, LCID* language) override {
            return pick(b_.title().subtitles, stream, language);
        }
        // clang-format off
        // The commands the player never gives, logged all the same, and the rest of the navigator.
#define LOGGED_NOT_IMPLEMENTED(name, ...) \
        HRESULT WINAPI name(__VA_ARGS__) override { return logged(nullptr, E_NOTIMPL, #name); }
        LOGGED_NOT_IMPLEMENTED(PlayAtTimeInTitle, ULONG, DVD_HMSF_TIMECODE*, DWORD, IDvdCmd**);
        LOGGED_NOT_IMPLEMENTED(Stop); LOGGED_NOT_IMPLEMENTED(ReturnFromSubmenu, DWORD, IDvdCmd**);
        LOGGED_NOT_IMPLEMENTED(PlayChapter, ULONG, DWORD, IDvdCmd**);
        LOGGED_NOT_IMPLEMENTED(PlayPrevChapter, DWORD, IDvdCmd**);
        LOGGED_NOT_IMPLEMENTED(ReplayChapter, DWORD, IDvdCmd**);
        LOGGED_NOT_IMPLEMENTED(PlayNextChapter, DWORD, IDvdCmd**); LOGGED_NOT_IMPLEMENTED(Resume, DWORD, IDvdCmd**);
        LOGGED_NOT_IMPLEMENTED(SelectRelativeButton, DVD_RELATIVE_BUTTON); LOGGED_NOT_IMPLEMENTED(ActivateButton);
        LOGGED_NOT_IMPLEMENTED(SelectButton, ULONG); LOGGED_NOT_IMPLEMENTED(SelectAndActivateButton, ULONG);
        LOGGED_NOT_IMPLEMENTED(StillOff); LOGGED_NOT_IMPLEMENTED(Pause, BOOL);
        LOGGED_NOT_IMPLEMENTED(SelectAngle, ULONG, DWORD, IDvdCmd**);
        LOGGED_NOT_IMPLEMENTED(SelectParentalLevel, ULONG); LOGGED_NOT_IMPLEMENTED(SelectParentalCountry, BYTE*);
        LOGGED_NOT_IMPLEMENTED(SelectKaraokeAudioPresentationMode, ULONG);
        LOGGED_NOT_IMPLEMENTED(SelectVideoModePreference, ULONG); LOGGED_NOT_IMPLEMENTED(SetDVDDirectory, LPCWSTR);
        LOGGED_NOT_IMPLEMENTED(PlayChaptersAutoStop, ULONG, ULONG, ULONG, DWORD, IDvdCmd**);
        LOGGED_NOT_IMPLEMENTED(AcceptParentalLevelChange, BOOL);
        LOGGED_NOT_IMPLEMENTED(SetState, IDvdState*, DWORD, IDvdCmd**);
        LOGGED_NOT_IMPLEMENTED(PlayPeriodInTitleAutoStop, ULONG, DVD_HMSF_TIMECODE*, DVD_HMSF_TIMECODE*, DWORD, IDvdCmd**);
        LOGGED_NOT_IMPLEMENTED(SetGPRM, ULONG, WORD, DWORD, IDvdCmd**);
        LOGGED_NOT_IMPLEMENTED(SelectDefaultMenuLanguage, LCID);
        LOGGED_NOT_IMPLEMENTED(SelectDefaultAudioLanguage, LCID, DVD_AUDIO_LANG_EXT);
        LOGGED_NOT_IMPLEMENTED(SelectDefaultSubpictureLanguage, LCID, DVD_SUBPICTURE_LANG_EXT);
        NOT_IMPLEMENTED(GetCurrentDomain, DVD_DOMAIN*); NOT_IMPLEMENTED(GetCurrentLocation, DVD_PLAYBACK_LOCATION2*);
        NOT_IMPLEMENTED(GetCurrentButton, ULONG*, ULONG*); NOT_IMPLEMENTED(GetCurrentAngle, ULONG*, ULONG*);
        NOT_IMPLEMENTED(GetCurrentUOPS, ULONG*); NOT_IMPLEMENTED(GetAllSPRMs, SPRMARRAY*);
        NOT_IMPLEMENTED(GetAllGPRMs, GPRMARRAY*);
        NOT_IMPLEMENTED(GetTitleAttributes, ULONG, DVD_MenuAttributes*, DVD_TitleAttributes*);
        NOT_IMPLEMENTED(GetVMGAttributes, DVD_MenuAttributes*);
        NOT_IMPLEMENTED(GetCurrentVideoAttributes, DVD_VideoAttributes*);
        NOT_IMPLEMENTED(GetAudioAttributes, ULONG, DVD_AudioAttributes*);
        NOT_IMPLEMENTED(GetKaraokeAttributes, ULONG, DVD_KaraokeAttributes*);
        NOT_IMPLEMENTED(GetSubpictureAttributes, ULONG, DVD_SubpictureAttributes*);
        NOT_IMPLEMENTED(GetDVDTextNumberOfLanguages, ULONG*);
        NOT_IMPLEMENTED(GetDVDTextLanguageInfo, ULONG, ULONG*, LCID*, DVD_TextCharSet*);
        NOT_IMPLEMENTED(GetDVDTextStringAsNative, ULONG, ULONG, BYTE*, ULONG, ULONG*, DVD_TextStringType*);
        NOT_IMPLEMENTED(GetDVDTextStringAsUnicode, ULONG, ULONG, WCHAR*, ULONG, ULONG*, DVD_TextStringType*);
        NOT_IMPLEMENTED(GetPlayerParentalLevel, ULONG*, BYTE*);
        NOT_IMPLEMENTED(GetTitleParentalLevels, ULONG, ULONG*);
        NOT_IMPLEMENTED(GetDVDDirectory, LPWSTR, ULONG, ULONG*); NOT_IMPLEMENTED(IsAudioStreamEnabled, ULONG, BOOL*);
        NOT_IMPLEMENTED(GetDiscID, LPCWSTR, ULONGLONG*); NOT_IMPLEMENTED(GetState, IDvdState**);
        NOT_IMPLEMENTED(GetMenuLanguages, LCID*, ULONG, ULONG*); NOT_IMPLEMENTED(GetButtonAtPosition, POINT, ULONG*);
        NOT_IMPLEMENTED(GetCmdFromEvent, LONG_PTR, IDvdCmd**); NOT_IMPLEMENTED(GetDefaultMenuLanguage, LCID*);
        NOT_IMPLEMENTED(GetDefaultAudioLanguage, LCID*, DVD_AUDIO_LANG_EXT*);
        NOT_IMPLEMENTED(GetDefaultSubpictureLanguage, LCID*, DVD_SUBPICTURE_LANG_EXT*);
        NOT_IMPLEMENTED(GetDecoderCaps, DVD_DECODER_CAPS*); NOT_IMPLEMENTED(GetButtonRect, ULONG, RECT*);
        NOT_IMPLEMENTED(IsSubpictureStreamEnabled, ULONG, BOOL*);
        // clang-format on

    private:
        Builder& b_;
    };

    class Line21 : public IAMLine21Decoder {
    public:
        explicit Line21(Builder& builder) : b_(builder) {}
        HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
            return offer(out, this, iid == IID_IUnknown || iid == IID_IAMLine21Decoder);
        }
        ULONG WINAPI AddRef() override { return b_.AddRef(); }
        ULONG WINAPI Release() override { return b_.Release(); }
        HRESULT WINAPI SetServiceState(AM_LINE21_CCSTATE state) override {
            return logged(nullptr, S_OK, "SetServiceState %d", state);
        }
        // clang-format off
        NOT_IMPLEMENTED(GetDecoderLevel, int*); NOT_IMPLEMENTED(GetCurrentService, int*);
        NOT_IMPLEMENTED(SetCurrentService, int); NOT_IMPLEMENTED(GetServiceState, AM_LINE21_CCSTATE*);
        NOT_IMPLEMENTED(GetOutputFormat, BITMAPINFOHEADER*); NOT_IMPLEMENTED(SetOutputFormat, BITMAPINFO*);
        NOT_IMPLEMENTED(GetBackgroundColor, DWORD*); NOT_IMPLEMENTED(SetBackgroundColor, DWORD);
        NOT_IMPLEMENTED(GetRedrawAlways, BOOL*); NOT_IMPLEMENTED(SetRedrawAlways, BOOL);
        NOT_IMPLEMENTED(GetDrawBackgroundMode, int*); NOT_IMPLEMENTED(SetDrawBackgroundMode, int);
        // clang-format on

    private:
        Builder& b_;
    };

    // The title playing, one of the disc's: play() takes no other.
    const Title& title() const {
        return kDisc[title_ - 1];
    }
    // Wine's graph queues codes it does not know and posts to the player's notify window, under an
    // event lock of its own, so the watcher may notify while the player stops the graph.
    HRESULT notify(LONG code, LONG_PTR param1) {
        return sink_->Notify(code, param1, 0);
    }
    HRESULT play(ULONG title, ULONG chapter, bool newTitle) {
        if (title < 1 || title > kDisc.size() || chapter < 1 || chapter > kDisc[title - 1].chapters)
            return E_INVALIDARG;
        if (newTitle)
            title_ = title, audio_ = subpicture_ = 0, notify(EC_DVD_TITLE_CHANGE, title);
        return notify(EC_DVD_CHAPTER_START, chapter);
    }
    // Polls the graph: its first run starts the disc, and each second it runs is told.
    static DWORD WINAPI watch(void* self) {
        Builder& b = *static_cast<Builder*>(self);
        ULONGLONG next = 0;
        for (bool running = false; WaitForSingleObject(b.stop_, 50) == WAIT_TIMEOUT;) {
            OAFilterState state = State_Stopped;
            b.control_->GetState(0, &state);
            ULONGLONG now = GetTickCount64();
            bool runs = state == State_Running;
            if (runs && !running) {
                next = now + 1000;
                if (!b.started_.exchange(true))
                    b.notify(EC_DVD_TITLE_CHANGE, b.title_), b.notify(EC_DVD_CHAPTER_START, 1);
            } else if (runs && now >= next) {
                next += 1000;
                b.notify(EC_DVD_CURRENT_HMSF_TIME, b.hmsfTime());
            }
            running = runs;
        }
        return 0;
    }
    LONG_PTR hmsfTime() {
        LONGLONG at = 0;
        seeking_->GetCurrentPosition(&at);
        ULONG seconds = static_cast<ULONG>(at / 10000000),
              frames = static_cast<ULONG>(at % 10000000 / 400000);
        return (seconds / 3600 & 0xff) | (seconds / 60 % 60) << 8 | (seconds % 60) << 16 | frames << 24;
    }

    LONG refs_ = 1;
    std::atomic<ULONG> title_{1};
    ULONG audio_ = 0, subpicture_ = 0;
    BOOL subpictureOff_ = TRUE;
    std::atomic<bool> started_{false};
    ComPtr<IGraphBuilder> graph_;
    ComPtr<IMediaControl> control_;
    ComPtr<IMediaSeeking> seeking_;
    ComPtr<IMediaEventSink> sink_;
    Handle stop_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread_ = nullptr;
    Navigator navigator_{*this};
    Line21 line21_{*this};
};

standin::Factory<Builder> factory;

} // namespace

STANDIN_SERVER_ENTRIES(CLSID_DvdGraphBuilder, kServerKey, factory)
