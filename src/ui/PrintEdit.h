// PrintEdit: the page editing pane without a window that prints one page.
// Its scales come from the pane font made again for the printer, so that a
// model unit keeps its size on paper; the page is cut into tiles, one
// printer page each, with a header line naming the program, the page and
// the tile ("A-1": row letter, column number).
//
// The notes keep their own fonts: they are drawn with printer-sized copies
// that the print deletes when it ends.
#ifndef PRINTEDIT_H
#define PRINTEDIT_H

#include "EditChild.h"

#include <vector>

class FontObject;
class PrintState;
class PXTextDObj;

class PrintEdit : public EditChild
{
public:
    // hTarget: where the pages are drawn; none: the printer DC of the state.
    PrintEdit(PrintState* pState, const LayoutElement* pElement, Program* pProgram, Page* pPage,
              HDC hTarget = nullptr);
    ~PrintEdit() override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    FontObject* GetResourceRecord() override;
    HDC GetPaneDC() override { return m_hPrinterDC; }
    void ReleasePaneDC(HDC) override {}

    // Prints the tiles of the page. The number of printer pages begun;
    // -1 when the printer's page is too small to hold a tile (the user is
    // told).
    int PrintPages();
    // Draws the display objects of the tile whose top left corner is the
    // view point (x, y); true when anything was drawn.
    bool DrawTile(const RECT& rcPrintable, long x, long y);
    void DrawHeader(const RECT& rc, int nColumn, int nRow);
    // Builds the display objects to print: those of the page editing pane,
    // without the notes that hold only blanks.
    bool BuildDisplayObjects();

    SIZE GetTileSize() const { return m_Tile; }

protected:
    // A printer page begins and ends; tests watch the tiles here.
    virtual bool BeginTile();
    virtual void EndTile();
    // The printer's device capabilities (GetDeviceCaps).
    virtual int DeviceCaps(int nIndex) { return GetDeviceCaps(m_hPrinterDC, nIndex); }

private:
    bool AnyObjectIn(const RECT& rc) const;
    void MakeNoteFonts(int nPrinterDpi, int nScreenDpi);
    void DeleteNoteFonts();

    FontObject* m_pPrintFont;           // owned
    PrintState* m_pState;               // not owned
    HDC m_hPrinterDC;
    SIZE m_Tile;
    std::vector<FontObject*> m_NoteFonts;   // owned, the copies the notes print with
};

// Prints the page as the job "Application flow" on the printer of the
// main window; the screen pane's display objects are dropped first (the
// caller lays it out again). The number of printer pages, 0 when nothing
// printed, -1 when the print was refused.
int PrintPage(Page* pPage, ObjectChild* pScreenPane);
// Whether a printer can be printed on: the one chosen, else the default.
bool PrinterAvailable();
// The printer set-up dialog and the printer's release at exit.
void PrinterSetup();
void PrinterCleanup();
// A printer DC for the coordinate helpers; stays valid until PrinterCleanup.
HDC GetPrinterDC();

#endif
