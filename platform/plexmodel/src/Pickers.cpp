// The pickers of the editor's Find dialog: the variables the current
// program's blocks use and the program's voice items, each chosen from a
// list in the model's own dialog.
#include "Block.h"
#include "BlockCatalogue.h"
#include "Model.h"
#include "Page.h"
#include "Program.h"
#include "../PlexModelRes.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "ExportGuard.h"

using namespace kvr;

namespace {

// What the picker shows and what the user chose (-1 none).
struct PickState
{
    UINT idCaption;
    const std::vector<std::string>* names;
    const char* initial;
    int chosen;
};

// The entry of the list box that holds the name (case-insensitive), or -1.
int FindEntry(HWND hList, const char* name)
{
    if (!name || !*name)
        return -1;
    LRESULT n = SendMessageA(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)name);
    return n == LB_ERR ? -1 : (int)n;
}

void Choose(HWND hDlg, PickState* state)
{
    HWND hList = GetDlgItem(hDlg, IDC_KVR_PICKLIST);
    LRESULT sel = SendMessageA(hList, LB_GETCURSEL, 0, 0);
    state->chosen = sel == LB_ERR ? -1 : (int)SendMessageA(hList, LB_GETITEMDATA, (WPARAM)sel, 0);
    EndDialog(hDlg, IDOK);
}

INT_PTR CALLBACK PickProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try
    {
        PickState* state = (PickState*)GetWindowLongPtrA(hDlg, DWLP_USER);
        switch (msg)
        {
        case WM_INITDIALOG:
        {
            state = (PickState*)lParam;
            SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)state);
            SetWindowTextA(hDlg, LoadText(state->idCaption, nullptr).c_str());
            HWND hList = GetDlgItem(hDlg, IDC_KVR_PICKLIST);
            for (size_t i = 0; i < state->names->size(); ++i)
            {
                LRESULT n = SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)(*state->names)[i].c_str());
                if (n >= 0)
                    SendMessageA(hList, LB_SETITEMDATA, (WPARAM)n, (LPARAM)i);
            }
            int n = FindEntry(hList, state->initial);
            if (n >= 0)
                SendMessageA(hList, LB_SETCURSEL, (WPARAM)n, 0);
            return TRUE;
        }
        case WM_COMMAND:
            if (!state)
                break;
            if (LOWORD(wParam) == IDOK ||
                (LOWORD(wParam) == IDC_KVR_PICKLIST && HIWORD(wParam) == LBN_DBLCLK))
            {
                Choose(hDlg, state);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL)
            {
                state->chosen = -1;
                EndDialog(hDlg, IDCANCEL);
                return TRUE;
            }
            break;
        }
    }
    catch (...)
    {
        EndDialog(hDlg, IDCANCEL);
    }
    return FALSE;
}

// The index of the name the user chose, or -1.
int Pick(HWND hOwner, UINT idCaption, const std::vector<std::string>& names, const char* initial)
{
    PickState state = { idCaption, &names, initial, -1 };
    INT_PTR result = DialogBoxParamA(ModuleHandle(), "KVRPICK", hOwner, PickProc, (LPARAM)&state);
    return result == IDOK ? state.chosen : -1;
}

bool IsVoiceItem(const Symbol* sym)
{
    if (sym->Type != KVR_SYM_ITEM || sym->ExclFlags || sym->ExclFlags2)
        return false;
    const kvrItemData* data = (const kvrItemData*)sym->Variable;
    return !data || data->mediaKind == 0;
}

// The variables the program's blocks use, each name once (the first
// setting's kind), in block order.
void CollectVariables(Program* prog, std::vector<kvrVariableInfo>& vars)
{
    for (Page* p : prog->pages)
        for (Block* b : p->blocks)
        {
            if (!b->def)
                continue;
            for (int i = 0; i < b->def->numVars; ++i)
            {
                const VarDef& v = b->def->vars[i];
                if (v.memRep != KVR_MEM_CHAR || v.symType == KVR_SYM_ITEM)
                    continue;
                int offset = 0;
                FindVar(b->def, v.name, &offset);
                const char* text = b->TextVar(offset);
                if (!text || !*text || std::strlen(text) >= KVR_SYMBOL_NAME_SIZE)
                    continue;
                bool known = false;
                for (const kvrVariableInfo& info : vars)
                    known = known || lstrcmpiA(info.Name, text) == 0;
                if (known)
                    continue;
                kvrVariableInfo info = {};
                CopyBounded(info.Name, sizeof(info.Name), text);
                info.Type = (short)v.symType;
                vars.push_back(info);
            }
        }
}

} // namespace

extern "C" {

kvrHandleType* kvrSelectVariable(const char* pszName, int, int, int, HWND hOwner)
{
    return Guard<kvrHandleType*>(nullptr, [&]() -> kvrHandleType* {
        Program* prog = g_pCurrent;
        if (!prog)
            return nullptr;
        prog->ForgetVariables();
        std::vector<kvrVariableInfo> vars;
        CollectVariables(prog, vars);
        std::vector<std::string> names;
        for (const kvrVariableInfo& info : vars)
            names.push_back(info.Name);
        int chosen = Pick(hOwner, IDS_KVR_PICKVARIABLE, names, pszName);
        // The dialog may have let the program go.
        if (chosen < 0 || g_pCurrent != prog || !AsProgram(prog))
            return nullptr;
        Variable* var = new Variable;
        var->info = vars[(size_t)chosen];
        try
        {
            prog->variables.push_back(var);
        }
        catch (...)
        {
            delete var;
            throw;
        }
        Register(var);
        return var;
    });
}

const kvrVariableInfo* kvrGetVariableInfo(kvrHandleType* hVariable)
{
    return Guard<const kvrVariableInfo*>(nullptr, [&]() -> const kvrVariableInfo* {
        Variable* var = AsVariable(hVariable);
        return var ? &var->info : nullptr;
    });
}

kvrHandleType* kvrPickVoiceSentence(HWND hOwner, const char* pszName)
{
    return Guard<kvrHandleType*>(nullptr, [&]() -> kvrHandleType* {
        Program* prog = g_pCurrent;
        if (!prog)
            return nullptr;
        std::vector<Symbol*> items;
        std::vector<std::string> names;
        for (Symbol* s : prog->symbols)
            if (IsVoiceItem(s))
            {
                items.push_back(s);
                names.push_back(s->Name);
            }
        int chosen = Pick(hOwner, IDS_KVR_PICKSENTENCE, names, pszName);
        if (chosen < 0)
            return nullptr;
        // The item must still be there after the dialog.
        Symbol* sym = items[(size_t)chosen];
        if (!IsLiveSymbol(sym, nullptr))
            return nullptr;
        return reinterpret_cast<kvrHandleType*>(sym);
    });
}

} // extern "C"
