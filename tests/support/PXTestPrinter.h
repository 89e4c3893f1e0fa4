// Test printer: a PostScript printer of Wine's own driver on the FILE: port,
// added to the test prefix once, and a print-dialog answer that chooses it
// (or none), so that print jobs of a test go to a file it can read.
#ifndef PXTESTPRINTER_H
#define PXTESTPRINTER_H

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace pxtest
{
extern const char kTestPrinter[];
// Adds the test printer when it is missing; false when it cannot be used.
bool InstallTestPrinter();
// Print-dialog answers: the test printer, or a cancelled dialog.
BOOL WINAPI ChooseTestPrinter(PRINTDLGA* pDlg);
BOOL WINAPI CancelPrintDialog(PRINTDLGA* pDlg);
// The number of pages of a PostScript file of the driver (its "%%Page:"
// comments); -1 when the file cannot be read.
int CountPostScriptPages(const std::string& path);
}

#endif
