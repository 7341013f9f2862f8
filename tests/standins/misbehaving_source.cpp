// A DirectShow source filter that fails on purpose, as no real medium misbehaves on demand. The
// test prefix registers it (`wine regsvr32 /s misbehaving_source.dll`) for files that begin with
// "zonfault", by the graph's byte patterns: Wine 8's graph does not use the registry's
// "Media Type\Extensions" (the key's presence even hides a file's byte patterns from it). It
// streams one video pin of 64 x 48 RGB32 frames at 25 a second, each a colour of its own, and the
// file's one line, "zonfault <fault>", says how it misbehaves:
//   hang-load             Load never returns
//   hang-connect          connecting its pin never returns
//   hang-stop             plays, but Stop never returns
//   abort <s>             after <s> seconds tells the graph EC_ERRORABORT (E_FAIL), then nothing
//   end <s>               ends its stream after <s> seconds
// each optionally followed by "claim <c>" (the length it reports, 60 s when not given) or
// "claim none" (no known length, and no seeking). "Never returns" is a wait on an event nobody
// sets; anything else in the line fails Load with VFW_E_INVALID_FILE_FORMAT. Like a source that
// reads from a network, it lets an open be given up (IAMOpenProgress): a connection that hangs
// then fails with E_ABORT. Each call that matters is a line in the file ZON_FAULT_LOG names: Load,
// Connect, Pause, Run, Stop, SetPositions <ms> (the stream moved there: a seek, or a start again
// after Stop), EndOfStream, ErrorAbort, AbortOperation.
#include "com_server.h"
#include "source/source_filter.h"
#include "win32/guards.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace {
const CLSID kClass = {0xbb201f74, 0xc618, 0x4f5a, {0x97, 0x01, 0xa3, 0xe6, 0xa1, 0x90, 0xda, 0xb8}};
const wchar_t kClassText[] = L"{BB201F74-C618-4F5A-9701-A3E6A190DAB8}";
const wchar_t kServerKey[] = L"CLSID\\{BB201F74-C618-4F5A-9701-A3E6A190DAB8}\\InprocServer32";
// Files that begin with "zonfault" are ours, whatever their name (the class doubles as the
// subtype of their stream).
const wchar_t kPatternKey[] =
    L"Media Type\\{e436eb83-524f-11ce-9f53-0020af0ba770}\\{BB201F74-C618-4F5A-9701-A3E6A190DAB8}";
const wchar_t kPattern[] = L"0,8,,7a6f6e6661756c74";

#define logged(...) standin::logTo(L"ZON_FAULT_LOG", __VA_ARGS__)

constexpr LONG kWidth = 64, kHeight = 48, kFrameBytes = kWidth * kHeight * 4;
constexpr REFERENCE_TIME kSecond = 10'000'000, kFrame = kSecond / 25;

void hangForGood() {
    static HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    WaitForSingleObject(never, INFINITE);
}

struct Fault {
    std::string kind;
    REFERENCE_TIME at = 0;                              // when abort or end happens
    std::optional<REFERENCE_TIME> claim = 60 * kSecond; // the length reported
};

std::optional<REFERENCE_TIME> seconds(const std::string& word) {
    std::istringstream text(word);
    double value = -1;
    if (!(text >> value) || !text.eof() || value < 0 || value > 1e6)
        return std::nullopt;
    return static_cast<REFERENCE_TIME>(value * kSecond);
}

// The fault the file's first line names; none for anything else.
std::optional<Fault> readFault(const wchar_t* path) {
    std::ifstream file(path);
    std::string line, word;
    std::getline(file, line);
    std::istringstream words(line);
    Fault fault;
    if (!(words >> word >> fault.kind) || word != "zonfault")
        return std::nullopt;
    bool timed = fault.kind == "abort" || fault.kind == "end";
    std::optional<REFERENCE_TIME> at = timed && words >> word ? seconds(word) : std::nullopt;
    if (timed ? !at : fault.kind != "hang-load" && fault.kind != "hang-connect" && fault.kind != "hang-stop")
        return std::nullopt;
    if (words >> word) {
        if (word != "claim" || !(words >> word) || (word != "none" && !seconds(word)))
            return std::nullopt;
        fault.claim = seconds(word);
    }
    if (words >> word)
        return std::nullopt;
    fault.at = timed ? *at : fault.claim.value_or(60 * kSecond);
    return fault;
}

// The frames: a colour each, as many as the fault lets through.
class Frames final : public StreamProducer {
public:
    Frames(const Fault& fault, HANDLE aborted) : fault_(fault), aborted_(aborted) {}
    bool offeredType(std::size_t index, MediaType& type) const override {
        BITMAPINFOHEADER picture = {sizeof picture, kWidth, kHeight, 1, 32, BI_RGB, kFrameBytes, 0, 0, 0, 0};
        VIDEOINFOHEADER format = {{}, {}, kFrameBytes * 8 * 25, 0, kFrame, picture};
        type = MediaType(); // the old format block freed
        type.get() = {MEDIATYPE_Video, MEDIASUBTYPE_RGB32, TRUE, FALSE, kFrameBytes, {}, {}, {}, {}};
        return index == 0 && type.setFormat(FORMAT_VideoInfo, &format, sizeof format);
    }
    HRESULT useType(const AM_MEDIA_TYPE&) override {
        logged(S_OK, "Connect");
        if (fault_.kind == "hang-connect")
            WaitForSingleObject(aborted_, INFINITE);
        return fault_.kind == "hang-connect" ? E_ABORT : S_OK;
    }
    ALLOCATOR_PROPERTIES bufferNeeds() const override { return {2, kFrameBytes, 1, 0}; }
    HRESULT produce(SampleSlot& slot) override {
        REFERENCE_TIME start = frame_ * kFrame;
        if (fault_.kind == "abort" && start >= fault_.at)
            return logged(E_FAIL, "ErrorAbort");
        if (start >= fault_.at)
            return logged(S_FALSE, "EndOfStream");
        if (slot.capacity < kFrameBytes)
            return VFW_E_BUFFER_OVERFLOW;
        DWORD colour =
            (frame_ * 40 & 0xff) << 16 | ((frame_ * 25 + 80) & 0xff) << 8 | ((frame_ * 15 + 160) & 0xff);
        std::fill_n(reinterpret_cast<DWORD*>(slot.data), kWidth * kHeight, colour);
        slot.length = kFrameBytes;
        slot.start = start;
        slot.stop = start + kFrame;
        ++frame_;
        return S_OK;
    }
    // The frame showing at `position` comes next.
    void seekTo(REFERENCE_TIME position) { frame_ = position / kFrame; }

private:
    const Fault fault_;
    HANDLE aborted_;
    LONGLONG frame_ = 0;
};

class MisbehavingSource final : public SourceFilter, public IAMOpenProgress, public standin::Live {
public:
    MisbehavingSource() : SourceFilter(kClass) {}

    HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
        if (out != nullptr && iid == IID_IAMOpenProgress)
            return standin::offer(out, static_cast<IAMOpenProgress*>(this), true);
        return SourceFilter::QueryInterface(iid, out);
    }
    ULONG WINAPI AddRef() override { return SourceFilter::AddRef(); }
    ULONG WINAPI Release() override { return SourceFilter::Release(); }
    HRESULT WINAPI QueryProgress(LONGLONG* total, LONGLONG* current) override {
        return *total = *current = 0, S_OK;
    }
    HRESULT WINAPI AbortOperation() override { return SetEvent(aborted_), logged(S_OK, "AbortOperation"); }

    HRESULT WINAPI Stop() override {
        logged(S_OK, "Stop");
        if (fault_.kind == "hang-stop")
            hangForGood();
        return SourceFilter::Stop();
    }
    HRESULT WINAPI Pause() override { return logged(SourceFilter::Pause(), "Pause"); }
    HRESULT WINAPI Run(REFERENCE_TIME start) override { return logged(SourceFilter::Run(start), "Run"); }

protected:
    HRESULT open(const wchar_t* path, const AM_MEDIA_TYPE*) override {
        logged(S_OK, "Load");
        std::optional<Fault> fault = readFault(path);
        if (!fault)
            return VFW_E_INVALID_FILE_FORMAT;
        if ((fault_ = *fault).kind == "hang-load")
            hangForGood();
        auto frames = std::make_unique<Frames>(fault_, aborted_);
        frames_ = frames.get();
        addOutput(L"Video", std::move(frames));
        return S_OK;
    }
    bool duration(REFERENCE_TIME& length) override {
        return length = fault_.claim.value_or(0), fault_.claim.has_value();
    }
    bool seekable() override { return fault_.claim.has_value(); }
    HRESULT seek(REFERENCE_TIME position) override {
        frames_->seekTo(position);
        return logged(S_OK, "SetPositions %lld", position / 10'000);
    }

private:
    Fault fault_;
    Frames* frames_ = nullptr; // the pin's
    Handle aborted_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

standin::Factory<MisbehavingSource> factory;
} // namespace

// The class, and the graph's way from a file's first bytes to it.
STANDIN_SERVER_ENTRIES(kClass, kServerKey, factory, {kPatternKey, L"0", kPattern},
                       {kPatternKey, L"Source Filter", kClassText})
