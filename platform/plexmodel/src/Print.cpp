// Printing a block's settings for the editor's block report: one line per
// variable of the block's type, numbered things named from the tables the
// report hands over before each block.
#include "Block.h"
#include "BlockCatalogue.h"
#include "Model.h"
#include "Program.h"
#include "ExportGuard.h"
#include "../PlexModelRes.h"

#include <cstdlib>
#include <string>

using namespace kvr;

namespace {

struct ComboTables
{
    int kind = KVR_COMBO_OTHER;
    const ComboStruct* languages = nullptr;
    const ComboStruct* prompts = nullptr;
    const ComboStruct* lists = nullptr;
    const ComboStruct* voice = nullptr;
    const ComboStruct* fax = nullptr;
};

ComboTables g_Tables;

// The item value of "<default system prompt>".
const long kDefaultPrompt = 5000;

// The name of a number in a table, or 0.
const char* FindNumber(const ComboStruct* table, long number)
{
    for (; table && table->number != KVR_COMBO_END; ++table)
        if (table->number == number)
            return table->text;
    return nullptr;
}

// The entry at a position of a table (the system prompts are numbered by
// their place in the list), or 0.
const char* EntryAt(const ComboStruct* table, long index)
{
    if (!table || index < 0)
        return nullptr;
    for (long i = 0; table[i].number != KVR_COMBO_END; ++i)
        if (i == index)
            return table[i].text;
    return nullptr;
}

std::string Named(const char* name, const std::string& number)
{
    return name ? std::string(name) + " (" + number + ")" : number;
}

// What the report shows for one variable.
std::string ValueText(const Block* b, const VarDef& v, int offset)
{
    const std::string none = LoadText(IDS_KVR_NOVALUE, "");
    std::string text = VarValueText(b, v, offset);
    switch (v.symType)
    {
    case KVR_SYM_ITEM:
    {
        // The pickers store 0 for no item and 5000 for the system's own
        // prompt; neither is an item of the tables.
        long id = std::atol(text.c_str());
        if (text.empty() || id == 0)
            return none;
        if (id == kDefaultPrompt && g_Tables.kind != KVR_COMBO_FAXSELECT)
            return LoadText(IDS_KVR_DEFAULTPROMPT, "");
        return Named(FindNumber(g_Tables.kind == KVR_COMBO_FAXSELECT ? g_Tables.fax : g_Tables.voice, id), text);
    }
    case KVR_SYM_RESPERM:
    {
        long id = std::atol(text.c_str());
        return id ? Named(FindNumber(g_Tables.lists, id), text) : none;
    }
    case KVR_SYM_NUMBER:
        if (g_Tables.kind == KVR_COMBO_LANGUAGESELECT && v.memRep == KVR_MEM_INT16)
        {
            long index = std::atol(text.c_str());
            if (index < 0)
                return none;
            const char* name = EntryAt(g_Tables.prompts, index);
            return name ? name : text;
        }
        break;
    default:
        break;
    }
    return text.empty() ? none : text;
}

int TextHeight(HDC hDC, const std::string& text, RECT rc)
{
    DrawTextA(hDC, text.c_str(), -1, &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    return rc.bottom - rc.top;
}

int PrintFields(const char* name, HDC hDC, kvrPrintPager* pager, int* pY, int* pPage)
{
    if (!name || !hDC || !pager || !pager->nextPage || !pY || !pPage)
        return KVR_ERR_ARGUMENT;
    Block* b = g_pCurrent ? g_pCurrent->FindBlock(name) : nullptr;
    if (!b)
        return KVR_ERR_HANDLE;
    TEXTMETRICA tm;
    if (!GetTextMetricsA(hDC, &tm))
        return KVR_ERR_ARGUMENT;
    const int L = tm.tmHeight + tm.tmExternalLeading;
    const int W = tm.tmAveCharWidth;
    const int left = 4 * L;
    const int valueX = 4 * L + 35 * W;
    const int right = GetDeviceCaps(hDC, HORZRES) - 4 * L;
    const int bottom = GetDeviceCaps(hDC, VERTRES) - 4 * L;
    const int oldMode = SetBkMode(hDC, TRANSPARENT);
    int result = KVR_OK;
    for (int i = 0; b->def && i < b->def->numVars; ++i)
    {
        const VarDef& v = b->def->vars[i];
        int offset = 0;
        FindVar(b->def, v.name, &offset);
        const std::string value = ValueText(b, v, offset);
        RECT rcValue = { valueX, *pY, right > valueX ? right : valueX + W, bottom };
        int height = TextHeight(hDC, value, rcValue);
        if (height < L)
            height = L;
        if (*pY + height > bottom && *pY > left)
        {
            if (!pager->nextPage(pager->context, hDC, *pPage))
            {
                result = KVR_ERR_IO;
                break;
            }
            ++*pPage;
            *pY = left;
            rcValue.top = *pY;
        }
        RECT rcLabel = { left, *pY, valueX - W, *pY + L };
        DrawTextA(hDC, v.name, -1, &rcLabel, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        DrawTextA(hDC, value.c_str(), -1, &rcValue, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        *pY += height;
    }
    SetBkMode(hDC, oldMode);
    return result;
}

} // namespace

int kvrSetupComboString(int nKind, const ComboStruct* pLanguages, const ComboStruct* pSystemPrompts,
                        const ComboStruct* pLists, const ComboStruct* pVoiceItems, const ComboStruct* pFaxItems)
{
    return Guard(KVR_ERR_INTERNAL, [&] {
        g_Tables.kind = nKind;
        g_Tables.languages = pLanguages;
        g_Tables.prompts = pSystemPrompts;
        g_Tables.lists = pLists;
        g_Tables.voice = pVoiceItems;
        g_Tables.fax = pFaxItems;
        return KVR_OK;
    });
}

int kvrPrintAppPB(const char* pszQualifiedName, HDC hDC, kvrPrintPager* pPager, int* pY, int* pPageNumber)
{
    return Guard(KVR_ERR_INTERNAL, [&] { return PrintFields(pszQualifiedName, hDC, pPager, pY, pPageNumber); });
}
