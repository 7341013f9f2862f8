// What the streams of a Source Reader have in common: opening the file, selecting the stream while
// its pin is connected, reading it, and seeking it.
#include "source/reader_streams.h"

OpenReader::OpenReader() : started(SUCCEEDED(MFStartup(MF_VERSION, MFSTARTUP_FULL))) {}

OpenReader::~OpenReader() {
    reader.reset();
    if (started)
        MFShutdown();
}

HRESULT OpenReader::open(const wchar_t* path) {
    if (!started)
        return E_FAIL;
    HRESULT hr = MFCreateSourceReaderFromURL(path, nullptr, &reader);
    if (SUCCEEDED(hr))
        hr = reader->SetStreamSelection(MF_SOURCE_READER_ALL_STREAMS, FALSE);
    return hr;
}

bool OpenReader::has(DWORD index) const {
    ComPtr<IMFMediaType> type;
    return SUCCEEDED(reader->GetNativeMediaType(index, 0, &type));
}

ComPtr<IMFMediaType> OpenReader::decodedAs(DWORD index, const GUID& major, const GUID& subtype,
                                           UINT32 bits) const {
    ComPtr<IMFMediaType> asked, given;
    if (FAILED(MFCreateMediaType(&asked)) || FAILED(asked->SetGUID(MF_MT_MAJOR_TYPE, major)) ||
        FAILED(asked->SetGUID(MF_MT_SUBTYPE, subtype)) ||
        (bits != 0 && FAILED(asked->SetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, bits))) ||
        FAILED(reader->SetCurrentMediaType(index, nullptr, asked.get())) ||
        FAILED(reader->GetCurrentMediaType(index, &given)))
        return {};
    return given;
}

// A stream is read only while its pin is connected: the reader would keep every sample of a
// selected stream that nobody reads.
HRESULT ReaderStream::useType(const AM_MEDIA_TYPE& type) {
    HRESULT hr = takeType(type);
    if (FAILED(hr) || selected_)
        return hr;
    hr = reader_->reader->SetStreamSelection(index_, TRUE);
    selected_ = SUCCEEDED(hr);
    return hr;
}

void ReaderStream::disconnected() {
    reader_->reader->SetStreamSelection(index_, FALSE);
    selected_ = false;
}

HRESULT ReaderStream::read(ComPtr<IMFSample>& sample, std::int64_t& stamp) {
    for (;;) {
        DWORD actual = 0, flags = 0;
        LONGLONG time = 0;
        HRESULT hr = reader_->reader->ReadSample(index_, 0, &actual, &flags, &time, &sample);
        if (FAILED(hr))
            return hr;
        if (flags & MF_SOURCE_READERF_ERROR)
            return E_FAIL;
        if ((flags & MF_SOURCE_READERF_CURRENTMEDIATYPECHANGED) && FAILED(hr = readerTypeChanged()))
            return hr;
        if (sample) {
            stamp = time;
            return S_OK;
        }
        if (flags & MF_SOURCE_READERF_ENDOFSTREAM)
            return S_FALSE;
        // A gap in the stream (a tick) or a change of type: read on. Nothing at all is a reader
        // that broke its word.
        if ((flags & (MF_SOURCE_READERF_STREAMTICK | MF_SOURCE_READERF_CURRENTMEDIATYPECHANGED |
                      MF_SOURCE_READERF_NATIVEMEDIATYPECHANGED)) == 0)
            return E_UNEXPECTED;
    }
}
