// Seeking: the filter's positions, and each pin's IMediaSeeking, which asks the filter. Times are
// media times only (TIME_FORMAT_MEDIA_TIME).
#include "source/source_pin.h"

#include <algorithm>

namespace {
constexpr REFERENCE_TIME kEndOfTime = 0x7fffffffffffffffLL;
}

DWORD SourceFilter::seekingCapabilities() {
    std::lock_guard hold(positionsLock_);
    DWORD capabilities = AM_SEEKING_CanGetCurrentPos;
    REFERENCE_TIME length = 0;
    if (stop_)
        capabilities |= AM_SEEKING_CanGetStopPos;
    if (duration(length))
        capabilities |= AM_SEEKING_CanGetDuration;
    if (seekable())
        capabilities |= AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards | AM_SEEKING_CanSeekBackwards;
    return capabilities;
}

HRESULT SourceFilter::lengthOf(LONGLONG* length) {
    if (length == nullptr)
        return E_POINTER;
    REFERENCE_TIME known = 0;
    if (!duration(known))
        return E_NOTIMPL;
    *length = known;
    return S_OK;
}

HRESULT SourceFilter::positions(LONGLONG* current, LONGLONG* stop) {
    std::lock_guard hold(positionsLock_);
    if (current != nullptr)
        *current = start_;
    if (stop != nullptr && !stop_)
        return E_NOTIMPL;
    if (stop != nullptr)
        *stop = *stop_;
    return S_OK;
}

HRESULT SourceFilter::setPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) {
    DWORD currentHow = currentFlags & AM_SEEKING_PositioningBitsMask;
    DWORD stopHow = stopFlags & AM_SEEKING_PositioningBitsMask;
    if ((currentHow != AM_SEEKING_NoPositioning && current == nullptr) ||
        (stopHow != AM_SEEKING_NoPositioning && stop == nullptr))
        return E_POINTER;
    std::lock_guard hold(lock_);
    if (currentHow != AM_SEEKING_NoPositioning && !seekable())
        return E_NOTIMPL;
    std::unique_lock holdPositions(positionsLock_);
    REFERENCE_TIME newCurrent = start_;
    if (currentHow == AM_SEEKING_AbsolutePositioning)
        newCurrent = *current;
    else if (currentHow == AM_SEEKING_RelativePositioning)
        newCurrent += *current;
    else if (currentHow != AM_SEEKING_NoPositioning)
        return E_INVALIDARG;
    if (stopHow == AM_SEEKING_RelativePositioning && !stop_)
        return E_INVALIDARG;
    REFERENCE_TIME newStop = stop_.value_or(kEndOfTime);
    if (stopHow == AM_SEEKING_AbsolutePositioning)
        newStop = *stop;
    else if (stopHow == AM_SEEKING_RelativePositioning)
        newStop += *stop;
    else if (stopHow == AM_SEEKING_IncrementalPositioning)
        newStop = newCurrent + *stop;
    if (stopHow != AM_SEEKING_NoPositioning)
        streamStop_ = *(stop_ = newStop);
    holdPositions.unlock();
    HRESULT hr =
        currentHow != AM_SEEKING_NoPositioning ? restartAt(std::max<REFERENCE_TIME>(newCurrent, 0)) : S_OK;
    if (currentHow != AM_SEEKING_NoPositioning && (currentFlags & AM_SEEKING_ReturnTime))
        *current = std::max<REFERENCE_TIME>(newCurrent, 0);
    if (stopHow != AM_SEEKING_NoPositioning && (stopFlags & AM_SEEKING_ReturnTime))
        *stop = newStop;
    return hr;
}

// A new rate starts the streams again where they had got to, their times now passing faster or
// slower than the media's.
HRESULT SourceFilter::setRate(double rate) {
    if (!(rate > 0))
        return E_INVALIDARG;
    std::lock_guard hold(lock_);
    if (rate == rate_)
        return S_OK;
    if (!seekable())
        return E_NOTIMPL;
    REFERENCE_TIME reached = start_;
    if (state_ != State_Stopped && movedOn_)
        for (auto& pin : pins_)
            reached = std::max(reached, pin->reached());
    {
        std::lock_guard holdPositions(positionsLock_);
        rate_ = rate;
    }
    return state_ != State_Stopped ? restartAt(reached) : S_OK;
}

double SourceFilter::rate() {
    std::lock_guard hold(positionsLock_);
    return rate_;
}

HRESULT SourcePin::GetCapabilities(DWORD* capabilities) {
    if (capabilities == nullptr)
        return E_POINTER;
    *capabilities = filter_.seekingCapabilities();
    return S_OK;
}

HRESULT SourcePin::CheckCapabilities(DWORD* capabilities) {
    if (capabilities == nullptr)
        return E_POINTER;
    DWORD asked = *capabilities;
    *capabilities &= filter_.seekingCapabilities();
    return *capabilities == asked ? S_OK : *capabilities != 0 ? S_FALSE : E_FAIL;
}

HRESULT SourcePin::IsFormatSupported(const GUID* format) {
    if (format == nullptr)
        return E_POINTER;
    return *format == TIME_FORMAT_MEDIA_TIME ? S_OK : S_FALSE;
}

HRESULT SourcePin::QueryPreferredFormat(GUID* format) {
    return GetTimeFormat(format);
}

HRESULT SourcePin::GetTimeFormat(GUID* format) {
    if (format == nullptr)
        return E_POINTER;
    *format = TIME_FORMAT_MEDIA_TIME;
    return S_OK;
}

HRESULT SourcePin::IsUsingTimeFormat(const GUID* format) {
    return IsFormatSupported(format);
}

HRESULT SourcePin::SetTimeFormat(const GUID* format) {
    if (format == nullptr)
        return E_POINTER;
    return *format == TIME_FORMAT_MEDIA_TIME ? S_OK : E_INVALIDARG;
}

HRESULT SourcePin::GetDuration(LONGLONG* duration) {
    return filter_.lengthOf(duration);
}

HRESULT SourcePin::GetStopPosition(LONGLONG* stop) {
    if (stop == nullptr)
        return E_POINTER;
    return filter_.positions(nullptr, stop);
}

HRESULT SourcePin::GetCurrentPosition(LONGLONG* current) {
    if (current == nullptr)
        return E_POINTER;
    return filter_.positions(current, nullptr);
}

HRESULT SourcePin::ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                     const GUID* sourceFormat) {
    if (target == nullptr)
        return E_POINTER;
    auto ours = [](const GUID* format) { return format == nullptr || *format == TIME_FORMAT_MEDIA_TIME; };
    if (!ours(targetFormat) || !ours(sourceFormat))
        return E_INVALIDARG;
    *target = source;
    return S_OK;
}

HRESULT SourcePin::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) {
    return filter_.setPositions(current, currentFlags, stop, stopFlags);
}

HRESULT SourcePin::GetPositions(LONGLONG* current, LONGLONG* stop) {
    return filter_.positions(current, stop);
}

HRESULT SourcePin::GetAvailable(LONGLONG* earliest, LONGLONG* latest) {
    if (earliest != nullptr)
        *earliest = 0;
    if (latest != nullptr && FAILED(filter_.lengthOf(latest)))
        *latest = reached();
    return S_OK;
}

HRESULT SourcePin::SetRate(double rate) {
    return filter_.setRate(rate);
}

HRESULT SourcePin::GetRate(double* rate) {
    if (rate == nullptr)
        return E_POINTER;
    *rate = filter_.rate();
    return S_OK;
}

HRESULT SourcePin::GetPreroll(LONGLONG* preroll) {
    if (preroll == nullptr)
        return E_POINTER;
    *preroll = 0;
    return S_OK;
}
