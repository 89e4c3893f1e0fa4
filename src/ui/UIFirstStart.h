// The first start: the editor is its own installer. On a start where they
// are missing it puts in place what the editor and its libraries read from
// an installation: the values of the program's registry key, the program
// directory and the template that File New copies.
#ifndef UIFIRSTSTART_H
#define UIFIRSTSTART_H

#include <string>

// What an installation holds. The key lies under HKEY_LOCAL_MACHINE.
struct UIInstallation
{
    std::string strKey;         // the program's key
    std::string strProgDir;     // "ProgDir": ends with a backslash, names are appended to it
    std::string strBinDir;      // "BinDir": no final backslash, the launcher appends "\plexstudio.exe"
    std::string strHelpDir;     // "HelpDir": ends with a backslash
    std::string strVersion;     // "Plexwright Version"
};

// This program's installation: its key, the built-in program directory and
// the folder of the running executable.
UIInstallation UIThisInstallation();

// What could not be put in place, as bits; 0 when everything is there.
enum UIFirstStartFault
{
    UI_FIRSTSTART_KEY = 0x1,        // the key or one of its values
    UI_FIRSTSTART_PROGDIR = 0x2,    // the program directory or its "default" folder
    UI_FIRSTSTART_TEMPLATE = 0x4    // the template "default\default.ed"
};

// Puts in place each part that is missing: every value of the key that is
// not there, the program directory that "ProgDir" names (the value found,
// or the one just written) and its template. Whatever is present is kept
// as it is. The template is an empty application: the page "Main" with
// the default blocks that a new program gets.
unsigned UIPutInstallationInPlace(const UIInstallation& installation);

#endif
