// Helpers of the window tests.
#include "WindowTestSupport.h"

namespace {

MessageRecorder* g_pRecorder = nullptr;
CallbackFailures* g_pFailures = nullptr;

const char kTestClass[] = "PXTESTWND";
const char kParentClass[] = "PXTESTPARENT";

void RegisterClasses()
{
    static bool bDone = false;
    if (bDone)
        return;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = PXWndImpl::WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kTestClass;
    RegisterClassA(&wc);
    wc.style = 0;
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);
    bDone = true;
}

} // namespace

const char* PXTestWndClass()
{
    RegisterClasses();
    return kTestClass;
}

TestParent::TestParent()
{
    RegisterClasses();
    m_hWnd = CreateWindowExA(0, kParentClass, "Test parent", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                             10, 10, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestParent::~TestParent()
{
    if (IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
    FlushMessages();
}

void FlushMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

MessageRecorder::MessageRecorder()
{
    g_pRecorder = this;
    m_hHook = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
}

MessageRecorder::~MessageRecorder()
{
    UnhookWindowsHookEx(m_hHook);
    g_pRecorder = nullptr;
}

std::vector<UINT> MessageRecorder::For(HWND hWnd) const
{
    std::vector<UINT> out;
    for (const RecordedMsg& m : msgs)
        if (m.hWnd == hWnd)
            out.push_back(m.nMsg);
    return out;
}

LRESULT CALLBACK MessageRecorder::Hook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && g_pRecorder)
    {
        const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
        char szClass[32] = "";
        GetClassNameA(p->hwnd, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, kTestClass) == 0)
            g_pRecorder->msgs.push_back({ p->hwnd, p->message, PXWndImpl::FromHandle(p->hwnd) != nullptr });
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

CallbackFailures::CallbackFailures()
{
    g_pFailures = this;
    m_pfnPrev = PXSetCallbackFailureHook(Hook);
}

CallbackFailures::~CallbackFailures()
{
    PXSetCallbackFailureHook(m_pfnPrev);
    g_pFailures = nullptr;
}

void CallbackFailures::Hook()
{
    try {
        throw;
    } catch (const PXAssertion& a) {
        if (g_pFailures)
            g_pFailures->exprs.push_back(a.expr);
    } catch (...) {
        if (g_pFailures)
            g_pFailures->exprs.push_back("?");
    }
}

void PaintPicture(PXBitmapColor& bmp, const Picture& rows, const std::vector<PictureColor>& colors,
                  COLORREF crMask)
{
    int nHeight = static_cast<int>(rows.size());
    int nWidth = static_cast<int>(rows[0].size());
    if (!bmp.m_hObject)
    {
        ScreenDC screen;
        bmp.Create(&screen.dc, nWidth, nHeight, crMask);
    }
    bmp.AttachBits();
    int nStride = (nWidth * 3 + 3) & ~3;
    for (int r = 0; r < nHeight; r++)
    {
        for (int c = 0; c < nWidth; c++)
        {
            COLORREF cr = RGB(0, 0, 0);
            for (const PictureColor& pc : colors)
                if (pc.ch == rows[r][c])
                    cr = pc.cr;
            BYTE* pb = bmp.m_pbBits + r * nStride + c * 3;
            pb[0] = GetBValue(cr);
            pb[1] = GetGValue(cr);
            pb[2] = GetRValue(cr);
        }
    }
    bmp.DetachBits(TRUE);
}

std::vector<std::vector<COLORREF>> ReadPixels(PXBitmapColor& bmp)
{
    std::vector<std::vector<COLORREF>> out;
    int nWidth = bmp.GetWidth();
    int nHeight = bmp.GetHeight();
    bmp.AttachBits();
    for (int r = 0; r < nHeight; r++)
    {
        out.emplace_back();
        for (int c = 0; c < nWidth; c++)
        {
            BYTE red, green, blue;
            bmp.GetPixelRGB(r, c, red, green, blue);
            out.back().push_back(RGB(red, green, blue));
        }
    }
    bmp.DetachBits(FALSE);
    return out;
}

Picture ReadBits(PXBitmapBW& bmp)
{
    BITMAP bm;
    GetObjectA(bmp.m_hObject, sizeof(bm), &bm);
    bmp.AttachBits();
    Picture out;
    for (int r = 0; r < bm.bmHeight; r++)
    {
        std::string row;
        for (int c = 0; c < bm.bmWidth; c++)
            row += (bmp.m_pbBits[r * bm.bmWidthBytes + c / 8] & (0x80 >> (c % 8))) ? '1' : '0';
        out.push_back(row);
    }
    bmp.DetachBits(FALSE);
    return out;
}
