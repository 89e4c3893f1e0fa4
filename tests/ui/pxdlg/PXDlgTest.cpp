// The dialog library pxdlg.dll against the program's dialog definitions:
// every template a definition names is in the library, can be created, and
// has every control the definition names, with the window class and style
// its soft control needs. The definitions are the program's own, read with
// the program's definition classes; the templates are created hidden with
// plain Win32 and a dialog procedure that does nothing.
#include "PXTestSupport.h"

#include "PXCondSt.h"
#include "PXMulStm.h"
#include "PXSDlgDf.h"
#include "PXSction.h"
#include "PXStatmt.h"
#include "pxspsdef.h"

#include <commctrl.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char s_szLibrary[] = "pxdlg.dll";

// Class words of the soft-control statements.
enum : WORD
{
    CLS_BITMAPBUTTON = 0x4001,
    CLS_LISTVIEW = 0x4003,
    CLS_EDIT = 0x4004,
    CLS_COMBOBOX = 0x4006,
    CLS_GROUP = 0x4071,
    CLS_RADIOGROUP = 0x4072,
    CLS_ITEMPICKER = 0x4076,
    CLS_ITEMEDITOR = 0x4077,
    CLS_EDITUPDOWN = 0x4078,
    CLS_APPFILECOMBO = 0x4079
};

// Soft notification codes and reaction actions the checks look at.
enum : WORD
{
    NTF_READY = 0x401,
    NTF_CLICKED = 0x404,
    NTF_CHECKED = 0x405,
    NTF_UNCHECKED = 0x406,
    NTF_CHANGED = 0x40D,
    ACT_ENABLE = 0x465,
    ACT_DISABLE = 0x466,
    ACT_TEXT = 0x467,
    ACT_FOCUS = 0x469
};

template <class D>
struct DefRef
{
    explicit DefRef(D* p) : p(p) {}
    ~DefRef()
    {
        if (p && p->Release() == 0)
            delete p;
    }
    DefRef(const DefRef&) = delete;
    DefRef& operator=(const DefRef&) = delete;
    D* operator->() const { return p; }
    D* p;
};

BOOL CALLBACK CollectId(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD>*>(param)->push_back(static_cast<WORD>(reinterpret_cast<UINT_PTR>(name)));
    return TRUE;
}

// The definition resources of the program: records 22001 to 23026, sheets
// 18001 to 19125, dialogs all others.
void DefinitionIds(std::vector<WORD>& rDialogs, std::vector<WORD>& rSheets)
{
    std::vector<WORD> ids;
    EnumResourceNamesA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(10) /* RT_RCDATA */, CollectId,
                       reinterpret_cast<LONG_PTR>(&ids));
    for (WORD id : ids)
    {
        if (id >= 22001 && id <= 23026)
            continue;
        if (id >= 18001 && id <= 19125)
            rSheets.push_back(id);
        else
            rDialogs.push_back(id);
    }
}

INT_PTR CALLBACK InertDlgProc(HWND, UINT uMsg, WPARAM, LPARAM)
{
    return uMsg == WM_INITDIALOG;
}

std::string ClassOf(HWND hWnd)
{
    char sz[100] = "";
    GetClassNameA(hWnd, sz, sizeof(sz));
    return sz;
}

bool IsClass(HWND hWnd, const char* pszClass)
{
    return lstrcmpiA(ClassOf(hWnd).c_str(), pszClass) == 0;
}

DWORD StyleOf(HWND hWnd)
{
    return static_cast<DWORD>(GetWindowLongA(hWnd, GWL_STYLE));
}

std::string Hex(DWORD dw)
{
    std::ostringstream os;
    os << "0x" << std::hex << dw;
    return os.str();
}

// What a dialog template's header says: style and font.
struct TemplateInfo
{
    bool bFound = false;
    DWORD dwStyle = 0;
    int nPointSize = 0;
    std::string face;
};

const WORD* SkipSzOrOrd(const WORD* p)
{
    if (*p == 0xFFFF)
        return p + 2;
    while (*p)
        ++p;
    return p + 1;
}

TemplateInfo ReadTemplate(HMODULE hLib, WORD wTemplate)
{
    TemplateInfo info;
    HRSRC hRes = FindResourceA(hLib, MAKEINTRESOURCEA(wTemplate), RT_DIALOG);
    if (!hRes)
        return info;
    const BYTE* pb = static_cast<const BYTE*>(LockResource(LoadResource(hLib, hRes)));
    DWORD dwSize = SizeofResource(hLib, hRes);
    if (!pb || dwSize < 18)
        return info;
    info.bFound = true;
    const WORD* pw = reinterpret_cast<const WORD*>(pb);
    bool bEx = pw[0] == 1 && pw[1] == 0xFFFF;
    const WORD* p;
    if (bEx)
    {
        info.dwStyle = *reinterpret_cast<const DWORD*>(pb + 12);
        p = reinterpret_cast<const WORD*>(pb + 26);
    }
    else
    {
        info.dwStyle = *reinterpret_cast<const DWORD*>(pb);
        p = reinterpret_cast<const WORD*>(pb + 18);
    }
    p = SkipSzOrOrd(p);   // menu
    p = SkipSzOrOrd(p);   // class
    p = SkipSzOrOrd(p);   // title
    if (info.dwStyle & DS_SETFONT)
    {
        info.nPointSize = *p++;
        if (bEx)
            p += 2;   // weight, italic and character set
        for (; reinterpret_cast<const BYTE*>(p + 1) <= pb + dwSize && *p; ++p)
            info.face += static_cast<char>(*p);
    }
    return info;
}

// Checks one dialog definition against its template, created hidden. The
// answer lists every problem found, each naming the dialog and the control.
class TemplateCheck
{
public:
    TemplateCheck(HMODULE hLib, PXSoftDlgDef* pDef, WORD wTemplate, bool bPage)
        : m_hLib(hLib), m_pDef(pDef), m_wDlg(pDef->GetDlgID()), m_wTemplate(wTemplate), m_bPage(bPage)
    {
    }

    std::vector<std::string> Run();

private:
    void Problem(WORD wCtrl, const std::string& what)
    {
        std::ostringstream os;
        os << "dialog " << m_wDlg << " (template " << m_wTemplate << ")";
        if (wCtrl)
            os << ", control " << wCtrl;
        os << ": " << what;
        m_problems.push_back(os.str());
    }

    // The window of a control id (the dialog for its own id), or null with
    // a problem reported.
    HWND Need(WORD wCtrl, const char* pszRole);
    void NeedClass(WORD wCtrl, const char* pszRole, const char* pszClass);
    void NeedEdit(WORD wCtrl, const char* pszRole) { NeedClass(wCtrl, pszRole, "edit"); }
    void NeedDropList(WORD wCtrl, const char* pszRole);
    void NeedReportList(WORD wCtrl, const char* pszRole);
    void NeedPushButton(WORD wCtrl, const char* pszRole);
    void NeedCheckBox(WORD wCtrl, const char* pszRole);

    void CheckFrame();
    void CheckPlain(PXStatement* pS);
    void CheckGroup(PXMultiLineStatement* pS);
    void CheckDataLinks();
    void CheckNotifications();
    void CheckReactions(PXMultiLineStatement* pList);
    bool IsGroup(WORD wCtrl) const
    {
        PXStatement* pS = m_pDef->FindCtrlStatement(wCtrl);
        return pS && pS->GetType() == PXTOK_GROUPCTRL;
    }

    HMODULE m_hLib;
    PXSoftDlgDef* m_pDef;
    WORD m_wDlg;
    WORD m_wTemplate;
    bool m_bPage;
    HWND m_hDlg = nullptr;
    std::vector<std::string> m_problems;
};

HWND TemplateCheck::Need(WORD wCtrl, const char* pszRole)
{
    if (wCtrl == m_wDlg)
        return m_hDlg;
    HWND hWnd = GetDlgItem(m_hDlg, wCtrl);
    if (!hWnd)
        Problem(wCtrl, std::string(pszRole) + ": no such control in the template");
    return hWnd;
}

void TemplateCheck::NeedClass(WORD wCtrl, const char* pszRole, const char* pszClass)
{
    HWND hWnd = Need(wCtrl, pszRole);
    if (hWnd && !IsClass(hWnd, pszClass))
        Problem(wCtrl, std::string(pszRole) + ": class " + ClassOf(hWnd) + ", wanted " + pszClass);
}

void TemplateCheck::NeedDropList(WORD wCtrl, const char* pszRole)
{
    HWND hWnd = Need(wCtrl, pszRole);
    if (!hWnd)
        return;
    DWORD dwStyle = StyleOf(hWnd);
    if (!IsClass(hWnd, "combobox"))
        Problem(wCtrl, std::string(pszRole) + ": class " + ClassOf(hWnd) + ", wanted a combo box");
    else if ((dwStyle & 0x3) != CBS_DROPDOWNLIST)
        Problem(wCtrl, std::string(pszRole) + ": not a drop-down list, style " + Hex(dwStyle));
    else if (dwStyle & CBS_SORT)
        Problem(wCtrl, std::string(pszRole) + ": sorts its entries (CBS_SORT)");
}

void TemplateCheck::NeedReportList(WORD wCtrl, const char* pszRole)
{
    HWND hWnd = Need(wCtrl, pszRole);
    if (!hWnd)
        return;
    if (!IsClass(hWnd, WC_LISTVIEWA))
        Problem(wCtrl, std::string(pszRole) + ": class " + ClassOf(hWnd) + ", wanted a list view");
    else if ((StyleOf(hWnd) & LVS_TYPEMASK) != LVS_REPORT)
        Problem(wCtrl, std::string(pszRole) + ": not a report view, style " + Hex(StyleOf(hWnd)));
}

void TemplateCheck::NeedPushButton(WORD wCtrl, const char* pszRole)
{
    HWND hWnd = Need(wCtrl, pszRole);
    if (!hWnd)
        return;
    DWORD dwType = StyleOf(hWnd) & BS_TYPEMASK;
    if (!IsClass(hWnd, "button") || (dwType != BS_PUSHBUTTON && dwType != BS_DEFPUSHBUTTON))
        Problem(wCtrl, std::string(pszRole) + ": not a push button (" + ClassOf(hWnd) + ", style " +
                           Hex(StyleOf(hWnd)) + ")");
}

void TemplateCheck::NeedCheckBox(WORD wCtrl, const char* pszRole)
{
    HWND hWnd = Need(wCtrl, pszRole);
    if (hWnd && (!IsClass(hWnd, "button") || (StyleOf(hWnd) & BS_TYPEMASK) != BS_AUTOCHECKBOX))
        Problem(wCtrl, std::string(pszRole) + ": not an automatic check box (" + ClassOf(hWnd) + ", style " +
                           Hex(StyleOf(hWnd)) + ")");
}

std::vector<std::string> TemplateCheck::Run()
{
    TemplateInfo info = ReadTemplate(m_hLib, m_wTemplate);
    if (!info.bFound)
    {
        Problem(0, "the template is not in the dialog library");
        return m_problems;
    }
    if (info.nPointSize != 8 || info.face != "MS Sans Serif")
        Problem(0, "font " + info.face + " " + std::to_string(info.nPointSize) + ", wanted MS Sans Serif 8");
    if (m_bPage)
    {
        // A property page: a child dialog that the sheet holds.
        if ((info.dwStyle & (WS_CHILD | DS_CONTROL)) != (WS_CHILD | DS_CONTROL) || (info.dwStyle & WS_POPUP))
            Problem(0, "a property page needs a child dialog (WS_CHILD, DS_CONTROL), style " + Hex(info.dwStyle));
    }
    else if (!(info.dwStyle & WS_POPUP) || (info.dwStyle & WS_CHILD) || !(info.dwStyle & WS_CAPTION))
    {
        Problem(0, "a stand-alone dialog needs a pop-up window with a caption, style " + Hex(info.dwStyle));
    }
    if (info.dwStyle & WS_VISIBLE)
        Problem(0, "the template is visible from the start");

    // Pages are created as children of a hidden window, as the sheet does.
    HWND hParent = nullptr;
    if (m_bPage)
        hParent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    m_hDlg = CreateDialogParamA(m_hLib, MAKEINTRESOURCEA(m_wTemplate), hParent, InertDlgProc, 0);
    if (!m_hDlg)
    {
        Problem(0, "the template cannot be created, error " + std::to_string(GetLastError()));
    }
    else
    {
        CheckFrame();
        PXSection* pSC = m_pDef->GetSoftControlSection();
        for (int i = 0; pSC && i < pSC->GetNbStatements(PXKIND_BODY); ++i)
        {
            PXStatement* pS = pSC->GetStatement(PXKIND_BODY, i);
            if (pS->GetType() == PXTOK_PLAINCTRL)
                CheckPlain(pS);
            else if (pS->GetType() == PXTOK_GROUPCTRL)
                CheckGroup(static_cast<PXMultiLineStatement*>(pS));
            else
                Problem(pS->GetParam(0), "soft-control statement of type " + Hex(pS->GetType()));
        }
        CheckDataLinks();
        CheckNotifications();
        DestroyWindow(m_hDlg);
    }
    if (hParent)
        DestroyWindow(hParent);
    return m_problems;
}

// A stand-alone dialog has OK, Cancel and Help; a page has none of them
// (the sheet has its own).
void TemplateCheck::CheckFrame()
{
    if (m_bPage)
    {
        for (int id : {IDOK, IDCANCEL})
            if (GetDlgItem(m_hDlg, id))
                Problem(static_cast<WORD>(id), "a property page has no OK or Cancel of its own");
        return;
    }
    NeedPushButton(IDOK, "OK");
    NeedPushButton(IDCANCEL, "Cancel");
    NeedPushButton(IDHELP, "Help");
}

void TemplateCheck::CheckPlain(PXStatement* pS)
{
    WORD wCtrl = pS->GetParam(0);
    switch (pS->GetParam(1))
    {
    case CLS_EDIT:
        NeedEdit(wCtrl, "edit");
        break;
    case CLS_COMBOBOX:
        NeedDropList(wCtrl, "combo box");
        break;
    case CLS_LISTVIEW:
        NeedReportList(wCtrl, "list view");
        break;
    case CLS_BITMAPBUTTON:
    {
        HWND hWnd = Need(wCtrl, "bitmap button");
        if (hWnd && (!IsClass(hWnd, "button") || !(StyleOf(hWnd) & BS_ICON)))
            Problem(wCtrl, "bitmap button: not a button with BS_ICON, style " + Hex(StyleOf(hWnd)));
        break;
    }
    default:
        Problem(wCtrl, "plain control of class word " + Hex(pS->GetParam(1)));
    }
}

void TemplateCheck::CheckGroup(PXMultiLineStatement* pS)
{
    WORD wGroup = pS->GetParam(0);
    std::vector<WORD> members;
    for (int i = 0; i < pS->GetNbStatements(PXKIND_BODY); ++i)
        members.push_back(pS->GetStatement(PXKIND_BODY, i)->GetParam(0));
    // Every member takes part in the group's enable and disable reactions.
    for (WORD w : members)
        Need(w, "group member");
    auto needMembers = [&](size_t n) {
        if (members.size() < n)
            Problem(wGroup, "group with " + std::to_string(members.size()) + " members, wanted at least " +
                                std::to_string(n));
        return members.size() >= n;
    };

    switch (pS->GetParam(1))
    {
    case CLS_GROUP:
        break;
    case CLS_RADIOGROUP:
    {
        int nGroupStarts = 0;
        for (WORD w : members)
        {
            HWND hWnd = GetDlgItem(m_hDlg, w);
            if (!hWnd)
                continue;
            if (!IsClass(hWnd, "button") || (StyleOf(hWnd) & BS_TYPEMASK) != BS_AUTORADIOBUTTON)
                Problem(w, "radio group member: not an automatic radio button, style " + Hex(StyleOf(hWnd)));
            if (StyleOf(hWnd) & WS_GROUP)
                ++nGroupStarts;
        }
        if (nGroupStarts != 1)
            Problem(wGroup, "radio group: " + std::to_string(nGroupStarts) + " members with WS_GROUP, wanted 1");
        break;
    }
    case CLS_ITEMPICKER:
        if (needMembers(3))
        {
            NeedDropList(members[0], "item picker's list");
            NeedPushButton(members[2], "item picker's New/Edit button");
        }
        break;
    case CLS_ITEMEDITOR:
        if (needMembers(6))
        {
            NeedReportList(members[0], "item editor's list");
            const char* const buttons[] = {"Add", "Edit", "Delete", "Copy", "Paste"};
            for (int i = 0; i < 5; ++i)
                NeedPushButton(members[i + 1], (std::string("item editor's ") + buttons[i] + " button").c_str());
        }
        break;
    case CLS_EDITUPDOWN:
    {
        short nMin = static_cast<short>(pS->GetOptParam(0));
        short nMax = static_cast<short>(pS->GetOptParam(1));
        if (nMin < -32767 || nMax < -32767 || nMin > nMax || nMax - nMin >= 32767)
            Problem(wGroup, "edit with up-down: range " + std::to_string(nMin) + " to " + std::to_string(nMax));
        if (!needMembers(2))
            break;
        HWND hUpDown = Need(members[0], "up-down");
        if (!hUpDown)
            break;
        DWORD dwStyle = StyleOf(hUpDown);
        if (!IsClass(hUpDown, UPDOWN_CLASSA))
            Problem(members[0], "up-down: class " + ClassOf(hUpDown));
        else if ((dwStyle & (UDS_SETBUDDYINT | UDS_AUTOBUDDY)) != (UDS_SETBUDDYINT | UDS_AUTOBUDDY))
            Problem(members[0], "up-down without UDS_SETBUDDYINT and UDS_AUTOBUDDY, style " + Hex(dwStyle));
        HWND hPrev = GetWindow(hUpDown, GW_HWNDPREV);
        if (!hPrev || !IsClass(hPrev, "edit") || hPrev != GetDlgItem(m_hDlg, members[1]))
            Problem(members[0], "up-down: the control before it is not its edit " + std::to_string(members[1]));
        else if (reinterpret_cast<HWND>(SendMessageA(hUpDown, UDM_GETBUDDY, 0, 0)) != hPrev)
            Problem(members[0], "up-down: its buddy is not the edit " + std::to_string(members[1]));
        break;
    }
    case CLS_APPFILECOMBO:
        if (needMembers(7))
        {
            NeedReportList(members[0], "application list");
            NeedEdit(members[1], "name edit");
            NeedEdit(members[3], "ID edit");
            NeedDropList(members[5], "volume list");
        }
        break;
    default:
        Problem(wGroup, "group control of class word " + Hex(pS->GetParam(1)));
    }
}

// Data links: a control with a soft-control statement of its own is
// checked above; every other linked control is an edit or a check box.
void TemplateCheck::CheckDataLinks()
{
    PXSection* pDDL = m_pDef->GetDlgDataLinkSection();
    for (int i = 0; pDDL && i < pDDL->GetNbStatements(PXKIND_BODY); ++i)
    {
        auto* pLink = static_cast<PXMultiLineStatement*>(pDDL->GetStatement(PXKIND_BODY, i));
        WORD wCtrl = pLink->GetParam(0);
        bool bParams = pLink->HasStyle(0x002);
        PXStatement* pCtrl = m_pDef->FindCtrlStatement(wCtrl);
        if (pCtrl)
        {
            WORD wClass = pCtrl->GetParam(1);
            if (wClass == CLS_BITMAPBUTTON || wClass == CLS_GROUP)
                Problem(wCtrl, "a control of class word " + Hex(wClass) + " has no field");
            if (wClass == CLS_LISTVIEW && pLink->GetNbStatements(PXKIND_BODY) == 0)
                Problem(wCtrl, "list view without columns");
            continue;
        }
        HWND hWnd = Need(wCtrl, "data-linked control");
        if (!hWnd)
            continue;
        if (bParams)
        {
            // Also writes a row of a record set: a check box with two params.
            NeedCheckBox(wCtrl, "data-linked check box with a record-set row");
            if (pLink->GetNbStatements(PXKIND_BODY) != 2)
                Problem(wCtrl, "check box with " + std::to_string(pLink->GetNbStatements(PXKIND_BODY)) +
                                   " params, wanted 2");
        }
        else if (!IsClass(hWnd, "edit"))
        {
            NeedCheckBox(wCtrl, "data-linked control (edit or check box)");
        }
    }
}

void TemplateCheck::CheckNotifications()
{
    PXSectionArray* pNotifs = m_pDef->GetSections(0x1008);
    for (int i = 0; pNotifs && i < pNotifs->GetSize(); ++i)
    {
        PXSection* pSection = pNotifs->GetSection(i);
        PXStatement* pHeader = pSection->GetStatement(PXKIND_HEADER, 0);
        WORD wCtrl = pHeader->GetParam(0);
        WORD wCode = pHeader->GetParam(1);
        // A section that does nothing never needs its control.
        if (pSection->GetNbStatements(PXKIND_BODY) == 0)
            continue;
        if (wCtrl == m_wDlg)
        {
            if (wCode != NTF_READY && wCode != NTF_CHANGED)
                Problem(wCtrl, "the dialog itself does not report " + Hex(wCode));
        }
        else if (!IsGroup(wCtrl))
        {
            HWND hWnd = Need(wCtrl, "control whose notification has reactions");
            if (hWnd && (wCode == NTF_CHECKED || wCode == NTF_UNCHECKED))
            {
                NeedCheckBox(wCtrl, "control reporting checked/unchecked");
            }
            else if (hWnd && wCode == NTF_CLICKED)
            {
                DWORD dwStyle = StyleOf(hWnd);
                if (!IsClass(hWnd, "button") || (dwStyle & 0x3) == 0x3 || (dwStyle & 0x6) == 0x6)
                    Problem(wCtrl, "clicked comes from a push or radio button only, " + ClassOf(hWnd) +
                                       " style " + Hex(dwStyle));
            }
        }
        CheckReactions(pSection);
    }
}

void TemplateCheck::CheckReactions(PXMultiLineStatement* pList)
{
    for (int i = 0; pList && i < pList->GetNbStatements(PXKIND_BODY); ++i)
    {
        PXStatement* pS = pList->GetStatement(PXKIND_BODY, i);
        switch (pS->GetType())
        {
        case PXTOK_REACTION:
        {
            WORD wTarget = pS->GetParam(0);
            WORD wAction = pS->GetParam(1);
            if (wTarget == m_wDlg)
            {
                if (wAction != ACT_TEXT)
                    Problem(wTarget, "the dialog itself only takes a caption, action " + Hex(wAction));
            }
            else if (IsGroup(wTarget))
            {
                if (wAction != ACT_ENABLE && wAction != ACT_DISABLE)
                    Problem(wTarget, "a group only enables or disables, action " + Hex(wAction));
            }
            else if (HWND hWnd = Need(wTarget, "reaction target"))
            {
                if (wAction == ACT_FOCUS && !(StyleOf(hWnd) & WS_TABSTOP))
                    Problem(wTarget, "focus goes to a control that is no tab stop");
            }
            break;
        }
        case PXTOK_EXTENSION:
            if (pS->GetParam(0) < 32000 || pS->GetParam(0) > 32007)
                Problem(0, "extension " + std::to_string(pS->GetParam(0)));
            break;
        case PXTOK_COND:
        {
            auto* pCond = static_cast<PXCondStatement*>(pS);
            CheckReactions(pCond->FindThenBlock());
            CheckReactions(pCond->FindElseBlock());
            break;
        }
        default:
            Problem(0, "notification statement of type " + Hex(pS->GetType()));
        }
    }
}

class PXDlgLibraryTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        s_hLib = LoadLibraryA(s_szLibrary);
    }
    static void TearDownTestSuite()
    {
        if (s_hLib)
            FreeLibrary(s_hLib);
        s_hLib = nullptr;
    }
    void SetUp() override { ASSERT_NE(nullptr, s_hLib) << s_szLibrary << " does not load, error " << GetLastError(); }

    // The dialogs that are pages of a property sheet, with the sheets.
    static std::map<WORD, std::set<WORD>> SheetPages(const std::vector<WORD>& sheets)
    {
        std::map<WORD, std::set<WORD>> pages;
        for (WORD wSheet : sheets)
        {
            DefRef<PXSoftPropSheetDef> d(PXSoftPropSheetDef::Get(wSheet));
            PXSection* pRefs = d->GetReferencesSection();
            for (int i = 0; i < pRefs->GetNbStatements(PXKIND_BODY); ++i)
            {
                PXStatement* pS = pRefs->GetStatement(PXKIND_BODY, i);
                if (pS->GetType() == PXTOK_SOFTDLG)
                    pages[pS->GetParam(0)].insert(wSheet);
            }
        }
        return pages;
    }

    static std::vector<std::string> Check(WORD wDlg, WORD wTemplate, bool bPage)
    {
        DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(wDlg));
        return TemplateCheck(s_hLib, d.p, wTemplate ? wTemplate : d->GetTemplateID(), bPage).Run();
    }

    static HMODULE s_hLib;
};

HMODULE PXDlgLibraryTest::s_hLib = nullptr;

} // namespace

TEST_F(PXDlgLibraryTest, IsAResourceLibraryWithoutCode)
{
    // No entry point: loading and freeing it runs nothing.
    const BYTE* pb = reinterpret_cast<const BYTE*>(s_hLib);
    auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pb);
    auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(pb + pDos->e_lfanew);
    EXPECT_TRUE(pNt->FileHeader.Characteristics & IMAGE_FILE_DLL);
    EXPECT_EQ(0u, pNt->OptionalHeader.AddressOfEntryPoint);
    // A template the program has no definition for is not there by accident.
    EXPECT_EQ(nullptr, FindResourceA(s_hLib, MAKEINTRESOURCEA(10002), RT_DIALOG));
}

// Every dialog definition of the program: its template is in the library
// and holds every control the definition names, as its soft control needs.
TEST_F(PXDlgLibraryTest, EveryDialogDefinitionFindsItsControls)
{
    std::vector<WORD> dialogs, sheets;
    DefinitionIds(dialogs, sheets);
    ASSERT_FALSE(dialogs.empty());
    ASSERT_FALSE(sheets.empty());
    std::map<WORD, std::set<WORD>> pages = SheetPages(sheets);
    std::set<WORD> checked;
    int nLive = PXSoftObjDef::GetLiveCount();
    for (WORD wDlg : dialogs)
    {
        SCOPED_TRACE(wDlg);
        try
        {
            bool bPage = pages.count(wDlg) != 0;
            for (const std::string& problem : Check(wDlg, 0, bPage))
                ADD_FAILURE() << problem;
            checked.insert(wDlg);
        }
        catch (const PXAssertion& a)
        {
            ADD_FAILURE() << "dialog " << wDlg << ": consistency failure " << a.expr << " at " << a.file << ":"
                          << a.line;
        }
        catch (const PXException& x)
        {
            ADD_FAILURE() << "dialog " << wDlg << ": exception " << x.m_nDescr;
        }
    }
    EXPECT_EQ(nLive, PXSoftObjDef::GetLiveCount());
    // Both kinds were among them: stand-alone dialogs and sheet pages.
    EXPECT_TRUE(checked.count(14501) && checked.count(14520));
    EXPECT_TRUE(checked.count(15003) && checked.count(15110));
    // Every page of every sheet is a dialog definition of the program.
    for (const auto& page : pages)
        EXPECT_TRUE(checked.count(page.first)) << "page " << page.first << " of sheet "
                                               << *page.second.begin() << " was not checked";
}

// Every page of every property sheet: its template is a child dialog.
TEST_F(PXDlgLibraryTest, EverySheetPageIsAChildTemplate)
{
    std::vector<WORD> dialogs, sheets;
    DefinitionIds(dialogs, sheets);
    for (const auto& page : SheetPages(sheets))
    {
        DefRef<PXSoftDlgDef> d(PXSoftDlgDef::Get(page.first));
        WORD wTemplate = d->GetTemplateID();
        TemplateInfo info = ReadTemplate(s_hLib, wTemplate);
        ASSERT_TRUE(info.bFound) << "page " << page.first << ": template " << wTemplate << " missing";
        EXPECT_EQ(static_cast<DWORD>(WS_CHILD | DS_CONTROL), info.dwStyle & (WS_CHILD | DS_CONTROL | WS_POPUP))
            << "page " << page.first << " (template " << wTemplate << "), style " << Hex(info.dwStyle);
    }
}

// The check itself: a definition against the template of another dialog,
// or as the wrong kind of dialog, names what does not fit.
TEST_F(PXDlgLibraryTest, AMismatchedTemplateIsReportedByControl)
{
    struct Case
    {
        WORD wDlg;
        WORD wTemplate;
        bool bPage;
        const char* pszExpected;   // a problem text must hold this
    };
    const Case cases[] = {
        // Menu definition over the outputs page: the picker's list is a list view there.
        {15110, 11002, true, "control 301: item picker's list: class SysListView32"},
        {15110, 11002, true, "control 307: group member: no such control"},
        // Outputs definition over the Menu page: 301 is a combo box there.
        {15003, 11001, true, "control 301: list view: class ComboBox"},
        // Express Fax over the Thru-Dial page: 303 is the New button, not an edit.
        {15107, 11004, true, "control 303: edit: class Button"},
        // Thru-Dial over Express Fax: 304 is the mailbox label there, 305 missing.
        {15111, 11011, true, "control 304: radio group member: not an automatic radio button"},
        {15111, 11011, true, "control 305: group member: no such control"},
        // Express Fax over Thru-Dial: two of the three radio buttons, one of
        // them starting the group, make a group all the same; 301 is a combo box.
        {15107, 11004, true, "control 301: radio group member: not an automatic radio button"},
        // Auto Save over the Password Check page: neither the up-down nor the check box.
        {14520, 11012, true, "control 102: up-down: no such control"},
        {14520, 11012, true, "control 101: data-linked control: no such control"},
        // Auto Save over the application chooser: 102 and 103 are there, as
        // the name edit and a label.
        {14520, 10001, false, "control 103: edit: class Static"},
        {14520, 10001, false, "control 102: up-down: class Edit"},
        // A stand-alone dialog checked as a page, and a page as a stand-alone dialog.
        {14509, 10001, true, "property page needs a child dialog"},
        {14509, 10001, true, "control 1: a property page has no OK or Cancel"},
        {15003, 11002, false, "stand-alone dialog needs a pop-up window"},
        {15003, 11002, false, "the template cannot be created"},
        // Password Check over the Menu page: 319/320 are a combo box and its ID field there.
        {15103, 11001, true, "control 320: up-down: class Static"},
        // The voice item editor over the application chooser.
        {14501, 10001, false, "control 103: item editor's Add button: not a push button"},
        // A template the library does not have.
        {15001, 10002, true, "not in the dialog library"},
    };
    for (const Case& c : cases)
    {
        std::vector<std::string> problems = Check(c.wDlg, c.wTemplate, c.bPage);
        bool bFound = false;
        for (const std::string& p : problems)
            bFound = bFound || p.find(c.pszExpected) != std::string::npos;
        std::string all;
        for (const std::string& p : problems)
            all += "\n  " + p;
        EXPECT_TRUE(bFound) << "dialog " << c.wDlg << " over template " << c.wTemplate << ": no problem with \""
                            << c.pszExpected << "\" among:" << all;
        // Every problem names the dialog and the template.
        std::string head = "dialog " + std::to_string(c.wDlg) + " (template " + std::to_string(c.wTemplate) + ")";
        for (const std::string& p : problems)
            EXPECT_EQ(0u, p.find(head)) << p;
    }
}
