// TSplashWindow: a borderless window centred on the screen that shows a
// DIB while the program starts, with an optional text line and progress
// gauge. With a time-out it closes itself once the time is up and the gauge
// (when it has one) has reached 100 percent; with CaptureMouse a click
// closes it at once.
#ifndef OWL_TSPLASHWINDOW_H
#define OWL_TSPLASHWINDOW_H

#include "owl/TWindow.h"

class TDib;

class TSplashWindow : public TWindow
{
public:
    enum TStyle
    {
        None = 0,
        ShrinkToFit = 1,    // the window takes the picture's size (at most the given one)
        MakeGauge = 2,
        MakeStatic = 4,     // a text line under the picture
        CaptureMouse = 8
    };

    // The DIB must live as long as the window.
    TSplashWindow(TDib& dib, int width, int height, int style = None, UINT timeOut = 0,
                  const char* pszTitle = nullptr, TModule* pModule = nullptr);

    const char* GetClassName() override { return "PXSPLASHWINDOW"; }
    bool Create() override;
    void SetupWindow() override;
    void Paint(HDC hDC, bool erase, RECT& rect) override;
    void EvTimer(UINT timerId) override;
    void EvLButtonDown(UINT modKeys, POINT pt) override;

    void SetText(const char* pszText);
    const char* GetText() const { return m_szText; }
    // Clamped to 0..100; repaints the gauge at once.
    void SetPercentDone(int percent);
    int GetPercentDone() const { return m_nPercent; }
    bool HasTimedOut() const { return m_bTimedOut; }
    int GetStyle() const { return m_nStyle; }

    // Heights of the text line and of the gauge at the bottom.
    static const int kTextHeight = 18;
    static const int kGaugeHeight = 14;

private:
    void CloseWhenDone();

    TDib& m_dib;
    int m_nStyle;
    UINT m_nTimeOut;
    int m_nPercent;
    bool m_bTimedOut;
    char m_szText[128];
};

#endif
