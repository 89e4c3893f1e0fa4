// Test printer for print jobs that end in a file.
#include "PXTestPrinter.h"

#include <winspool.h>

#include <fstream>
#include <string.h>

namespace pxtest
{
const char kTestPrinter[] = "Plexwright Test Printer";

namespace
{
const char kDriver[] = "Wine PostScript Driver";
const char kPpdName[] = "plextest.ppd";

// A small PostScript description: Letter paper at 300 dpi.
const char kPpd[] =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
    "*ModelName: \"Plexwright Test\"\n*NickName: \"Plexwright Test\"\n*ColorDevice: True\n"
    "*DefaultResolution: 300dpi\n*LanguageLevel: \"2\"\n*OpenUI *PageSize: PickOne\n*DefaultPageSize: Letter\n"
    "*PageSize Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n*CloseUI: *PageSize\n"
    "*DefaultImageableArea: Letter\n*ImageableArea Letter/Letter: \"18 36 594 756\"\n"
    "*DefaultPaperDimension: Letter\n*PaperDimension Letter/Letter: \"612 792\"\n";

bool PrinterWorks()
{
    HDC hDC = CreateDCA("WINSPOOL", kTestPrinter, nullptr, nullptr);
    if (!hDC)
        return false;
    DeleteDC(hDC);
    return true;
}
}

bool InstallTestPrinter()
{
    if (PrinterWorks())
        return true;
    char szDir[MAX_PATH];
    DWORD cb = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(szDir), sizeof szDir, &cb))
        return false;
    std::string ppd = std::string(szDir) + "\\" + kPpdName;
    {
        std::ofstream out(ppd.c_str(), std::ios::binary);
        out << kPpd;
        if (!out)
            return false;
    }
    DRIVER_INFO_3A di;
    memset(&di, 0, sizeof di);
    di.cVersion = 3;
    di.pName = const_cast<char*>(kDriver);
    di.pDriverPath = const_cast<char*>("wineps.drv");
    di.pDataFile = const_cast<char*>(kPpdName);
    di.pConfigFile = const_cast<char*>("wineps.drv");
    AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&di));   // already there is fine
    PRINTER_INFO_2A pi;
    memset(&pi, 0, sizeof pi);
    pi.pPrinterName = const_cast<char*>(kTestPrinter);
    pi.pPortName = const_cast<char*>("FILE:");
    pi.pDriverName = const_cast<char*>(kDriver);
    pi.pPrintProcessor = const_cast<char*>("WinPrint");
    pi.pDatatype = const_cast<char*>("RAW");
    HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&pi));
    if (h)
        ClosePrinter(h);
    return PrinterWorks();
}

BOOL WINAPI ChooseTestPrinter(PRINTDLGA* pDlg)
{
    const char* names[] = {"WINSPOOL", kTestPrinter, "FILE:"};
    size_t cb = sizeof(DEVNAMES);
    for (const char* p : names)
        cb += strlen(p) + 1;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cb);
    DEVNAMES* pNames = static_cast<DEVNAMES*>(GlobalLock(h));
    char* pBase = reinterpret_cast<char*>(pNames);
    WORD off = sizeof(DEVNAMES);
    WORD* offsets[] = {&pNames->wDriverOffset, &pNames->wDeviceOffset, &pNames->wOutputOffset};
    for (int i = 0; i < 3; ++i)
    {
        *offsets[i] = off;
        strcpy(pBase + off, names[i]);
        off = static_cast<WORD>(off + strlen(names[i]) + 1);
    }
    GlobalUnlock(h);
    // The caller owns the handles it passed in and frees them.
    pDlg->hDevNames = h;
    pDlg->hDevMode = nullptr;
    return TRUE;
}

BOOL WINAPI CancelPrintDialog(PRINTDLGA*)
{
    return FALSE;
}

int CountPostScriptPages(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in)
        return -1;
    int n = 0;
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, 8, "%%Page: ") == 0)
            ++n;
    return n;
}
}
