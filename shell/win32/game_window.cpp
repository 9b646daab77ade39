// Opening and closing the game's window, its window procedure and the start-up error boxes.
#include "shell/win32/game_window.h"

#include "platform/platform.h"
#include "shell/common/frame_step.h"
#include "shell/win32/resource_ids.h"

namespace {

const char kClassName[] = "OpenGl Window";
const char kCaption[] = "Glimmerwake";
constexpr BYTE kDepthBits = 16;

// The surface the game draws on, handed to both pixel-format calls: double-buffered RGBA of the
// requested colour depth with 16 depth bits. Every field not set is 0: no alpha, accumulation,
// stencil or auxiliary buffers, and the channels' bits and shifts left to the driver.
PIXELFORMATDESCRIPTOR pixelFormat(int colourBits) {
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = static_cast<BYTE>(colourBits);
    format.cDepthBits = kDepthBits;
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

bool registerWindowClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = gameWindowProc;
    windowClass.hInstance = shell().instance;
    // The game's own icon in the title bar, the task bar and Alt+Tab: the large one as Windows
    // sizes it, the small one picked from the icon's own 16 and 24 pixel images.
    windowClass.hIcon = LoadIconA(shell().instance, MAKEINTRESOURCEA(GLIMMERWAKE_ICON));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageA(shell().instance, MAKEINTRESOURCEA(GLIMMERWAKE_ICON), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExA(&windowClass) != 0;
}

bool switchToFullScreen(int width, int height, int colourBits) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(colourBits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

// Creates the hidden window, its device context and its current rendering context. The first
// failing step shows its box and stops.
bool createWindowAndContext(RECT frame, DWORD style, DWORD extendedStyle, int colourBits) {
    ShellContext& context = shell();
    context.window =
        CreateWindowExA(extendedStyle, kClassName, kCaption,
                        style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, context.instance, nullptr);
    if (context.window == nullptr) {
        fatalError("Windows Error:  Could not create window");
        return false;
    }
    context.deviceContext = GetDC(context.window);
    if (context.deviceContext == nullptr) {
        fatalError("Windows Error:  Could not get a device context");
        return false;
    }
    const PIXELFORMATDESCRIPTOR wanted = pixelFormat(colourBits);
    const int format = ChoosePixelFormat(context.deviceContext, &wanted);
    if (format == 0) {
        fatalError("Windows Error:  Could not find a pixel format");
        return false;
    }
    if (!SetPixelFormat(context.deviceContext, format, &wanted)) {
        fatalError("Windows Error:  Could not set pixel format");
        return false;
    }
    context.renderContext = wglCreateContext(context.deviceContext);
    if (context.renderContext == nullptr) {
        fatalError("Windows Error:  Could not create an OpenGL rendering context");
        return false;
    }
    if (!wglMakeCurrent(context.deviceContext, context.renderContext)) {
        fatalError("Windows Error:  Could not activate OpenGL rendering context");
        return false;
    }
    return true;
}

} // namespace

ShellContext& shell() {
    static ShellContext context;
    return context;
}

bool openGameWindow(int width, int height, int colourBits) {
    ShellContext& context = shell();
    RECT frame{0, 0, width, height};
    // Full screen is tried first unless the player asked for a window.
    context.fullScreen = context.fullScreenWanted;
    if (!registerWindowClass()) {
        fatalError("Windows Error: Could not register Window Class");
        return false;
    }
    if (context.fullScreen && !switchToFullScreen(width, height, colourBits)) {
        showError("Windows Error:  Setting Fullscreen mode failed.  Will run in normal window");
        context.fullScreen = false;
    }
    DWORD extendedStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    DWORD style = WS_OVERLAPPEDWINDOW;
    if (context.fullScreen) {
        extendedStyle = WS_EX_APPWINDOW;
        style = WS_POPUP;
        ShowCursor(FALSE);
    }
    // The requested size is the client area; the window is larger by its frame.
    AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
    if (!createWindowAndContext(frame, style, extendedStyle, colourBits)) {
        return false;
    }
    ShowWindow(context.window, SW_SHOW);
    SetForegroundWindow(context.window);
    SetFocus(context.window);
    frameStepResize(width, height);
    return true;
}

void closeGameWindow() {
    const ShellContext& context = shell();
    if (context.fullScreen) {
        ChangeDisplaySettingsA(nullptr, 0);
        ShowCursor(TRUE);
    }
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context.renderContext);
    ReleaseDC(context.window, context.deviceContext);
    // Fails without effect when the window was closed and destroyed already.
    DestroyWindow(context.window);
    UnregisterClassA(kClassName, context.instance);
}

LRESULT CALLBACK gameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        postQuitMessage(0);
        return 0;
    case WM_SIZE:
        // Minimised, the client area is 0 x 0: the view keeps its size for the return.
        if (wParam == SIZE_MINIMIZED) {
            shell().focusPause.windowLeft();
            return 0;
        }
        frameStepResize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_KILLFOCUS:
        // Another window took the keyboard (Alt+Tab, a click elsewhere): a game in play pauses.
        shell().focusPause.windowLeft();
        return 0;
    case WM_PAINT: {
        // Everything is drawn by the frame function; this only validates the window.
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void fatalError(const char* text) {
    MessageBoxA(nullptr, text, "FATAL ERROR", MB_OK);
    shell().fatalErrorShown = true;
    postQuitMessage(0);
}

void showError(const char* text) {
    MessageBoxA(nullptr, text, "ERROR", MB_OK);
}
