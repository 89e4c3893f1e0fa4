// TDib from ".bmp" files (good and malformed) and the splash window's
// size, gauge and time-out.
#include "OwlTestSupport.h"

#include "owl/TDib.h"
#include "owl/TSplashWindow.h"

#include <stdio.h>
#include <string.h>

namespace {

// A 24-bit bottom-up bitmap file of w by h pixels.
std::vector<unsigned char> MakeBmp(int w, int h)
{
    int stride = ((w * 24 + 31) / 32) * 4;
    BITMAPFILEHEADER bfh = {};
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = w;
    bih.biHeight = h;
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
    bfh.bfSize = bfh.bfOffBits + stride * h;
    std::vector<unsigned char> data(bfh.bfSize, 0x80);
    memcpy(data.data(), &bfh, sizeof(bfh));
    memcpy(data.data() + sizeof(bfh), &bih, sizeof(bih));
    return data;
}

std::string WriteTemp(const std::vector<unsigned char>& data, const char* pszName)
{
    char szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    std::string path = std::string(szDir) + pszName;
    FILE* f = fopen(path.c_str(), "wb");
    if (f)
    {
        fwrite(data.data(), 1, data.size(), f);
        fclose(f);
    }
    return path;
}

} // namespace

TEST(Dib, ReadsAGoodFile)
{
    std::string path = WriteTemp(MakeBmp(40, 30), "owltest_good.bmp");
    TDib dib(path.c_str());
    ASSERT_TRUE(dib.IsOK());
    EXPECT_EQ(40, dib.Width());
    EXPECT_EQ(30, dib.Height());
    EXPECT_NE(nullptr, dib.GetBits());
    DeleteFileA(path.c_str());
}

TEST(Dib, RefusesMalformedFiles)
{
    // (what is wrong, how the good file is spoiled)
    struct Case
    {
        const char* pszWhat;
        void (*spoil)(std::vector<unsigned char>&);
    } cases[] = {
        { "truncated pixels", [](std::vector<unsigned char>& d) { d.resize(d.size() - 10); } },
        { "only a header", [](std::vector<unsigned char>& d) { d.resize(20); } },
        { "bad magic", [](std::vector<unsigned char>& d) { d[0] = 'X'; } },
        { "pixels past the end", [](std::vector<unsigned char>& d) {
              BITMAPFILEHEADER* p = reinterpret_cast<BITMAPFILEHEADER*>(d.data());
              p->bfOffBits = 0x7ffffff0; } },
        { "huge width", [](std::vector<unsigned char>& d) {
              BITMAPINFOHEADER* p = reinterpret_cast<BITMAPINFOHEADER*>(d.data() + sizeof(BITMAPFILEHEADER));
              p->biWidth = 0x7fffffff; } },
        { "zero height", [](std::vector<unsigned char>& d) {
              BITMAPINFOHEADER* p = reinterpret_cast<BITMAPINFOHEADER*>(d.data() + sizeof(BITMAPFILEHEADER));
              p->biHeight = 0; } },
        { "header size past the end", [](std::vector<unsigned char>& d) {
              BITMAPINFOHEADER* p = reinterpret_cast<BITMAPINFOHEADER*>(d.data() + sizeof(BITMAPFILEHEADER));
              p->biSize = 0x10000000; } },
        { "odd bit count", [](std::vector<unsigned char>& d) {
              BITMAPINFOHEADER* p = reinterpret_cast<BITMAPINFOHEADER*>(d.data() + sizeof(BITMAPFILEHEADER));
              p->biBitCount = 7; } },
        { "bit fields with fewer pixel bytes than the rows need", [](std::vector<unsigned char>& d) {
              BITMAPFILEHEADER* pf = reinterpret_cast<BITMAPFILEHEADER*>(d.data());
              BITMAPINFOHEADER* p = reinterpret_cast<BITMAPINFOHEADER*>(d.data() + sizeof(BITMAPFILEHEADER));
              p->biCompression = BI_BITFIELDS;
              p->biBitCount = 32;
              p->biSizeImage = 4;
              pf->bfOffBits += 3 * sizeof(DWORD); } },
        { "a compression the screen cannot draw", [](std::vector<unsigned char>& d) {
              BITMAPINFOHEADER* p = reinterpret_cast<BITMAPINFOHEADER*>(d.data() + sizeof(BITMAPFILEHEADER));
              p->biCompression = BI_JPEG;
              p->biSizeImage = 4; } },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        std::vector<unsigned char> data = MakeBmp(40, 30);
        c.spoil(data);
        std::string path = WriteTemp(data, "owltest_bad.bmp");
        TDib dib(path.c_str());
        EXPECT_FALSE(dib.IsOK());
        EXPECT_EQ(0, dib.Width());
        DeleteFileA(path.c_str());
    }
    TDib missing("Z:\\no\\such\\splash.bmp");
    EXPECT_FALSE(missing.IsOK());
}

TEST(Splash, ShrinksToThePictureAndClosesWhenDoneAndTimedOut)
{
    std::string path = WriteTemp(MakeBmp(200, 100), "owltest_splash.bmp");
    TDib dib(path.c_str());
    ASSERT_TRUE(dib.IsOK());
    TSplashWindow splash(dib, 800, 600,
                         TSplashWindow::ShrinkToFit | TSplashWindow::MakeGauge | TSplashWindow::MakeStatic, 50);
    ASSERT_TRUE(splash.Create());
    splash.SetText("");
    splash.SetPercentDone(5);
    RECT rc = splash.GetClientRect();
    EXPECT_EQ(200, rc.right);
    EXPECT_EQ(100 + TSplashWindow::kTextHeight + TSplashWindow::kGaugeHeight, rc.bottom);
    PumpFor(200);
    EXPECT_TRUE(splash.HasTimedOut());
    EXPECT_TRUE(splash.IsWindow());          // the gauge is not full yet
    splash.SetPercentDone(55);
    EXPECT_TRUE(splash.IsWindow());
    splash.SetPercentDone(250);              // clamped
    EXPECT_EQ(100, splash.GetPercentDone());
    EXPECT_FALSE(splash.IsWindow());
    DeleteFileA(path.c_str());
}

TEST(Splash, WithoutGaugeClosesOnTheTimeOutAndAClickClosesIt)
{
    std::string path = WriteTemp(MakeBmp(20, 20), "owltest_splash2.bmp");
    TDib dib(path.c_str());
    {
        TSplashWindow splash(dib, 100, 100, TSplashWindow::None, 30);
        ASSERT_TRUE(splash.Create());
        RECT rc = splash.GetClientRect();
        EXPECT_EQ(100, rc.right);            // no shrinking: the given size
        PumpFor(200);
        EXPECT_FALSE(splash.IsWindow());
    }
    {
        TSplashWindow splash(dib, 100, 100, TSplashWindow::CaptureMouse | TSplashWindow::MakeGauge, 0);
        ASSERT_TRUE(splash.Create());
        SendMessageA(splash.HWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_FALSE(splash.IsWindow());
    }
    DeleteFileA(path.c_str());
}
