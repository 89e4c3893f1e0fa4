// plexbuf: the printer of the program. The chosen printer (the default one
// until the user picks another in the set-up dialog) is kept for the whole
// process; a PrintState made on the main window for one operation gives the
// printer DC of a print job, runs the job and its pages, the set-up dialog,
// and the DC the page layout measures with, which stays valid after the
// PrintState is gone until cleanup().
//
// The print dialogs go through one replaceable function, so that a test can
// answer them; a test may also send every job to a file.
#ifndef PLEXBUF_PRINTSTATE_H
#define PLEXBUF_PRINTSTATE_H

#include <windows.h>
#include <commdlg.h>

class PrintState
{
public:
    explicit PrintState(HWND hMain);
    ~PrintState();

    // Status word: 0 when printing may go on.
    enum { ok = 0, no_printer = 1, no_memory = 2 };
    DWORD status() const { return m_dwStatus; }

    // The printer DC of a print job (owned by this PrintState), or 0 when
    // there is no printer.
    HDC make_printer_dc(int mode);
    // A DC of the chosen printer that outlives this PrintState (released by
    // cleanup() or a new printer choice), or 0. Mode 0 for coordinates, 1 or
    // 2 for measuring the printed page (2 takes up a new printer choice).
    HDC get_printer_dc(int mode);

    // The printer set-up dialog; non-zero when the user chose a printer.
    int setup();

    // A job on the DC of make_printer_dc; non-zero when it started.
    int begin_job(const char* title);
    int new_page();
    int end_page();
    int end_job();
    // The number of pages begun in the running or last job.
    int page_count() const { return m_nPages; }

    // Releases the printer choice and the kept DC (at exit).
    void cleanup(int mode);

    // Runs a print dialog in place of PrintDlgA; tests answer with their own.
    typedef BOOL (WINAPI* PrintDialogFunc)(PRINTDLGA* pDlg);
    static PrintDialogFunc set_dialog_func(PrintDialogFunc pfn);
    // Every following job prints into this file (nullptr: to the printer's
    // own port). The name is copied, bounded to MAX_PATH.
    static void set_output_file(const char* pszPath);

private:
    PrintState(const PrintState&) = delete;
    PrintState& operator=(const PrintState&) = delete;

    HWND m_hMain;
    DWORD m_dwStatus;
    HDC m_hJobDC;
    int m_bInJob;
    int m_bInPage;
    int m_nPages;
};

#endif
