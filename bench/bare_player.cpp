// The playback baseline: a window that plays the first of the dropped files that DirectShow can
// render by its own choice of filters, or the file its command line names, its video window made a
// child of the window. Nothing else.
#include <windows.h>
#include <dshow.h>
#include <shellapi.h>

#include <string>

namespace {
IGraphBuilder* graph;

bool play(HWND window, const wchar_t* file) {
    if (graph != nullptr || FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                                    IID_IGraphBuilder, reinterpret_cast<void**>(&graph))))
        return false;
    if (FAILED(graph->RenderFile(file, nullptr))) {
        graph->Release();
        graph = nullptr;
        return false;
    }
    IVideoWindow* video = nullptr;
    if (SUCCEEDED(graph->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&video)))) {
        RECT client;
        GetClientRect(window, &client);
        video->put_Owner(reinterpret_cast<OAHWND>(window));
        video->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
        video->SetWindowPosition(0, 0, client.right, client.bottom);
        video->Release();
    }
    IMediaControl* control = nullptr;
    if (SUCCEEDED(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control)))) {
        control->Run();
        control->Release();
    }
    return true;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DROPFILES) {
        wchar_t file[MAX_PATH];
        for (UINT i = 0; DragQueryFileW(reinterpret_cast<HDROP>(wParam), i, file, MAX_PATH) != 0; ++i)
            if (play(window, file))
                break;
        DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    if (message == WM_DESTROY) {
        if (graph != nullptr) {
            IMediaControl* control = nullptr;
            if (SUCCEEDED(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control)))) {
                control->Stop();
                control->Release();
            }
            graph->Release();
        }
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    WNDCLASSW c = {};
    c.lpfnWndProc = windowProc;
    c.hInstance = instance;
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    c.lpszClassName = L"Bare Player";
    RegisterClassW(&c);
    HWND window = CreateWindowExW(WS_EX_ACCEPTFILES, c.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW, 100, 100,
                                  640, 400, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    // One path, quoted or not.
    std::wstring file = commandLine;
    if (!file.empty() && file[0] == L'"')
        file = file.substr(1, file.find(L'"', 1) - 1);
    if (!file.empty())
        play(window, file.c_str());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    CoUninitialize();
    return 0;
}
