// The page lists of the page dialogs: one line per page of one kind, with
// the page as the line's item data.
#ifndef PAGELIST_H
#define PAGELIST_H

#include "PXafx.h"

class Page;
class Program;

// The line of a page: a SuperBlock's name in 16 columns, a tab and
// "Export" or "Internal"; a Verification Block's bare name.
CString PageListLine(Program* pProgram, Page* pPage);
// Empties the list box and adds the program's pages of the kind.
void FillPageList(HWND hList, Program* pProgram, int nKind);
// Adds the page's line (at nIndex, or in sorted place when -1); answers
// the line's index, or -1.
int AddPageLine(HWND hList, Program* pProgram, Page* pPage, int nIndex = -1);
// The page of the selected line, or none; its index through pnIndex.
Page* SelectedPage(HWND hList, int* pnIndex = nullptr);

#endif
