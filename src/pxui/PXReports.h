// The printed reports: the block report of a program, the script of the
// active application's voice and fax items and the SuperBlock report. Each
// is one print job on the chosen printer with a page layout of its own: a
// frame and a page number on every page, headings, label and value
// columns, word wrapping and page breaks.
#ifndef PXREPORTS_H
#define PXREPORTS_H

#include <windows.h>

#include "plexmodel.h"

#include <string>

class PrintState;
class Program;

// Each answers 0 when the job ran, -1 when nothing was printed (no
// printer, printing cancelled, a job or first page that did not start, no
// program). Nothing is reported to the user.
int PrintBlockReport(Program* pProgram);
int PrintVoiceFaxScript(Program* pProgram);
int PrintSuperBlockReport(Program* pProgram);

// Prints one text in the font at x, y with word breaks, breaking the page
// where the text reaches the bottom; with bAdvance y moves below it.
void PrintReportText(HDC hDC, PrintState* pState, const char* pszText, int x, int& y, HFONT hFont,
                     BOOL bAdvance);
// Puts blanks into words wider than the text rectangle at x, y (from x to
// the right limit) so that the text breaks inside it.
void WrapLongWords(HDC hDC, std::string& rText, int x, int y);
// The frame and the page number of the current page; counts the page.
void PrintPageFooter(HDC hDC);

// The lookup tables of the block report, from the server's lists and the
// active application's items; a table is made only for a list that is not
// empty and ends with an entry numbered KVR_COMBO_END.
void BuildComboTables();
void FreeComboTables();
struct PXComboTables
{
    ComboStruct* pLanguages;
    ComboStruct* pSystemPrompts;
    ComboStruct* pLists;
    ComboStruct* pVoiceItems;
    ComboStruct* pFaxItems;
};
const PXComboTables& GetComboTables();

// The layout of the running report, in printer pixels.
struct PXReportLayout
{
    int nLine;          // L: the body font's height and external leading
    int nCharWidth;     // W: its average character width
    int nPageWidth;     // HORZRES
    int nPageHeight;    // VERTRES
    int nValueColumn;   // 4L + n W
    int nPageNumber;    // the page the next footer numbers
    HFONT hBodyFont;    // the footer's font
    int Margin() const { return 4 * nLine; }
    int RightLimit() const { return nPageWidth - 4 * nLine; }
    int BottomLimit() const { return nPageHeight - 4 * nLine; }
};
PXReportLayout& GetReportLayout();
// Computes the layout on the DC with the body font and a value column of
// nValueChars average characters; page number 1.
void SetReportLayout(HDC hDC, HFONT hBodyFont, int nValueChars);

// The font heights of a report: title, heading, labels, body, comments.
// With bScale they follow the paper when VERTRES div 82 lies 2 or more from
// 75; otherwise 121, 98, 82, 82, 82.
struct PXReportHeights
{
    int nTitle, nHeading, nLabels, nBody, nComments;
};
PXReportHeights ReportFontHeights(int nVertRes, bool bScale);

// Where the reports draw: by default the printer's DC of the job. A test
// may have them draw into a DC of its own (a metafile made on the printer's
// DC) while the job runs; nullptr restores the default. Answers the
// previous one.
typedef HDC (*PXReportDrawTarget)(HDC hPrinterDC);
PXReportDrawTarget SetReportDrawTarget(PXReportDrawTarget pfn);

#endif
