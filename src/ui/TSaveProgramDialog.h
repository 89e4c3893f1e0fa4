// TSaveProgramDialog: "Save application file": a name and a description
// for a program that has none yet, with the program files already in the
// program directory listed beside them.
#ifndef TSAVEPROGRAMDIALOG_H
#define TSAVEPROGRAMDIALOG_H

#include "TBaseDialog.h"
#include "owl/TEdit.h"

// A program's name: at most 8 characters, with its NUL.
#define PX_PROGNAME_SIZE 9
// A program's description as the dialog takes it, with its NUL.
#define PX_PROGDESCR_SIZE 80
// The caller's buffer of AskProgramSaveName: the name and ".ed".
#define PX_SAVENAME_SIZE (PX_PROGNAME_SIZE + 3)

class TSaveProgramDialog : public TBaseDialog
{
public:
    // The caller's buffer (at least PX_PROGNAME_SIZE characters) is
    // emptied now and receives the name on OK.
    TSaveProgramDialog(TWindow* pParent, char* pszName);

    void TransferData(TTransferDirection direction) override;
    bool CanClose() override;
    LRESULT EvCommand(UINT id, HWND hWndCtl, UINT notifyCode) override;

    // A name the program directory can take: not empty, none of the
    // characters that file names or the server refuse.
    static bool IsValidName(const char* pszName);

private:
    void FillList();

    char* m_pszName;            // not owned
    char m_szDescr[PX_PROGDESCR_SIZE];
    TEdit* m_pName;
    TEdit* m_pDescr;
};

// Asks for the save name of a program that has none, over the main window:
// true with name + ".ed" in the buffer (PX_SAVENAME_SIZE characters) when
// the dialog ended with OK (the description file is then written).
bool AskProgramSaveName(char* pszName);

#endif
