// TAboutDialog: "About Plexwright", with the build of the installed
// program read from the registry.
#ifndef TABOUTDIALOG_H
#define TABOUTDIALOG_H

#include "owl/TDialog.h"

// The registry value of the build, under the program's key.
#define PX_REGVALUE_VERSION "Plexwright Version"
// The longest build text read, in bytes with its NUL.
#define PX_VERSION_SIZE 32

class TAboutDialog : public TDialog
{
public:
    explicit TAboutDialog(TWindow* pParent);

    void SetupWindow() override;
    void TransferData(TTransferDirection direction) override;

    // The build text of the registry, or false when the key or a string
    // value cannot be read (the key is opened for reading only).
    static bool ReadVersion(char* pszVersion, size_t cbVersion);
};

#endif
