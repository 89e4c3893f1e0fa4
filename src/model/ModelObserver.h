// How the program model tells the editor's windows of its changes, and the
// editor's settings that the model reads. The model knows the windows only
// through ModelObserver: the application installs its main frame as the
// observer (ModelSetObserver) and hands its settings over (ModelSetSettings).
// While no observer is installed, changes go nowhere.
#ifndef MODELOBSERVER_H
#define MODELOBSERVER_H

#include "PXafx.h"

class UIObject;

// What happened to a model object, as every window that shows it is told
// (the kind of NotifyChildren).
enum ObjectChange
{
    OBJECT_REPAINT = 1,          // drawn again as it is
    OBJECT_REBUILD = 2,          // display objects made again
    OBJECT_CHANGING = 3,         // about to change or go: display objects removed, deselected
    OBJECT_ADDED = 4,            // added or changed: display objects made
    OBJECT_REMOVE = 5,           // display objects removed without deselecting
    OBJECT_REBUILD_REPAINT = 6   // display objects made again and drawn
};

// Which goto lines of a PowerBlock are told the same change (the flags of
// NotifyChildren).
enum ObjectChangeFlags
{
    OBJECT_INCOMING_GOTOS = 0x1,   // the lines of the page that end at the block
    OBJECT_OWN_GOTOS = 0x2         // the block's own lines
};

class ModelObserver
{
public:
    virtual ~ModelObserver() {}
    // Every window that shows the object: kind an ObjectChange, flags
    // ObjectChangeFlags.
    virtual void NotifyChildren(UIObject* pObject, int nKind, int nFlags) = 0;
    // A program's modified flag changed: the captions of its windows.
    virtual void RefreshCaptions() = 0;
    // Something that can change a command's look changed.
    virtual void RefreshCommandStates() = 0;
    // The status line: the text (none clears it), at the error level when
    // bHighlight.
    virtual void SetStatusText(const char* pszText, int bHighlight) = 0;
};

// The status line as the model's long operations use it (goto routing): a
// progress text at a level (0 plain, 2 progress, 3 error; a text below the
// line's current level is not taken), dots appended to it, and the level
// set back to 0 when the operation ends. The frame's status line installs
// itself (ModelSetStatusLine).
class ModelStatusLine
{
public:
    virtual ~ModelStatusLine() {}
    // With bUpdate the line paints at once.
    virtual void SetText(int nLevel, const char* pszText, bool bUpdate) = 0;
    virtual void AppendText(int nLevel, const char* pszText, bool bUpdate) = 0;
    virtual void ResetLevel() = 0;
};

// Installs the status line (none: there is none); answers the previous one.
ModelStatusLine* ModelSetStatusLine(ModelStatusLine* pStatusLine);
// The installed status line, or none.
ModelStatusLine* GetModelStatusLine();

// Installs the observer (none: changes go nowhere); answers the previous one.
ModelObserver* ModelSetObserver(ModelObserver* pObserver);
// The installed observer, or one that does nothing: never none.
ModelObserver& GetModelObserver();
// True when this observer is the installed one.
bool ModelIsObserver(const ModelObserver* pObserver);

// The editor's option bits that the model reads; the editor's option word
// has them at the same places.
enum
{
    MODEL_OPT_SMARTROUTING = 0x0001,
    MODEL_OPT_LABELSTUBS = 0x0010,
    MODEL_OPT_SNAPTOGRID = 0x0020
};

// The page grid's step in model units without an editor.
#define MODEL_DEFAULT_GRIDSTEP 34
// The settings file without an editor, named without a path: the profile
// functions keep it in the Windows directory.
#define MODEL_DEFAULT_SETTINGSFILE "KALVERODIN.INI"

struct ModelSettings
{
    DWORD dwOptions = 0;                       // the editor's option word
    int nGridStep = MODEL_DEFAULT_GRIDSTEP;    // the page grid's step in model units
    CString strSettingsFile = MODEL_DEFAULT_SETTINGSFILE;   // "Default Positions" of new pages
};

void ModelSetSettings(const ModelSettings& settings);
const ModelSettings& GetModelSettings();
bool ModelIsOptionSet(DWORD dwBit);

#endif
