// The program checker: builds the graph of block names from the goto lines
// that count, then finds its loops (Tarjan's strongly connected components
// from "Begin") and the blocks that no counted line leads to.
#include "CUserAppChecker.h"

#include "Goto.h"
#include "PXAssert.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"
#include "plexmodel.h"

#include <algorithm>
#include <climits>
#include <set>
#include <string.h>

namespace
{
const char s_szBegin[] = "Begin";
const char s_szRotary[] = "Rotary";
const char s_szContinue[] = "Continue";
const int MENU_BLOCK = 402;

PXDiagLevelQuery g_pfnDiagLevel = nullptr;

// A line counts when its output applies with the block's settings.
bool CountsAsLine(PowerBlock& rBlock, Goto& rLine)
{
    return rLine.GetTarget() != nullptr &&
           (kvrSDOIsOutputOptionalApplicable(rBlock.GetType(), rBlock.GetHandle(), rLine.GetOutputName()) &
            KVR_OUT_APPLICABLE) != 0;
}

// Every block of the program, page by page in list order.
template <typename Fn> void ForEachBlock(Program* pProgram, Fn fn)
{
    for (ListIterator pages(pProgram->GetPages()); pages;)
    {
        Page& page = static_cast<Page&>(pages++);
        for (ListIterator blocks(page.GetBlocks()); blocks;)
            fn(static_cast<PowerBlock&>(blocks++));
    }
}
} // namespace

bool CStringKey::operator<(const CStringKey& rOther) const
{
    int n = lstrcmpA(m_pszText, rOther.m_pszText);
    // lstrcmpA may call two different texts equal; they stay two names.
    return n != 0 ? n < 0 : strcmp(m_pszText, rOther.m_pszText) < 0;
}

CUserAppChecker::CUserAppChecker(Program* pProgram)
    : m_iNumberOfBlocks(0), m_nRowWords(0), m_nCounter(0), m_bLoopsFound(false), m_bUnreachableFound(false)
{
    PXASSERT(pProgram != 0);
    // Every name that can become a node: the blocks', their lines' targets'
    // and "Begin", where the loop search starts.
    std::set<CStringKey> names;
    names.insert(CStringKey(s_szBegin));
    ForEachBlock(pProgram, [&](PowerBlock& block) {
        names.insert(CStringKey(block.GetName()));
        for (ListIterator gotos(block.GetGotos()); gotos;)
        {
            Goto& line = static_cast<Goto&>(gotos++);
            if (line.GetTarget())
                names.insert(CStringKey(line.GetTarget()->GetName()));
        }
    });
    m_iNumberOfBlocks = static_cast<int>(names.size());
    m_nRowWords = (m_iNumberOfBlocks + 31) / 32;
    m_apszNames.assign(m_iNumberOfBlocks, nullptr);
    m_adwMatrix.assign(static_cast<size_t>(m_nRowWords) * m_iNumberOfBlocks, 0);
    m_aiLowLink.assign(m_iNumberOfBlocks, INT_MAX);
    m_aiDiscovery.assign(m_iNumberOfBlocks, INT_MAX);
    m_abOnStack.assign(m_iNumberOfBlocks, 0);
    m_vectStack.reserve(m_iNumberOfBlocks);

    ForEachBlock(pProgram, [&](PowerBlock& block) {
        int v = IndexOf(block.GetName());
        if (block.GetType() == MENU_BLOCK)
            m_listMenus.push_back(v);
        for (ListIterator gotos(block.GetGotos()); gotos;)
        {
            Goto& line = static_cast<Goto&>(gotos++);
            if (CountsAsLine(block, line))
                SetEdge(v, IndexOf(line.GetTarget()->GetName()));
        }
    });
    std::sort(m_listMenus.begin(), m_listMenus.end());
}

CUserAppChecker::~CUserAppChecker() = default;

int CUserAppChecker::IndexOf(const char* pszName)
{
    CStringKey key(pszName);
    auto found = m_mapDictionaryOfIndexies.find(key);
    if (found != m_mapDictionaryOfIndexies.end())
        return found->second;
    int nIndex = static_cast<int>(m_mapDictionaryOfIndexies.size());
    // The tables hold every name the constructor met; only those are asked.
    PXASSERT(nIndex < m_iNumberOfBlocks);
    auto result = m_mapDictionaryOfIndexies.insert(std::make_pair(key, nIndex));
    PXASSERT(result.first != m_mapDictionaryOfIndexies.end());
    m_apszNames[nIndex] = key.GetText();
    return nIndex;
}

const char* CUserAppChecker::NameOf(int aiIndex) const
{
    PXASSERT(aiIndex >= 0 && aiIndex < m_iNumberOfBlocks);
    return m_apszNames[aiIndex] ? m_apszNames[aiIndex] : "";
}

bool CUserAppChecker::HasEdge(int v, int w) const
{
    return (m_adwMatrix[static_cast<size_t>(v) * m_nRowWords + w / 32] >> (w % 32)) & 1;
}

void CUserAppChecker::SetEdge(int v, int w)
{
    m_adwMatrix[static_cast<size_t>(v) * m_nRowWords + w / 32] |= 1ul << (w % 32);
}

bool CUserAppChecker::IsMenu(int v) const
{
    return std::binary_search(m_listMenus.begin(), m_listMenus.end(), v);
}

void CUserAppChecker::FindLoops()
{
    int v = IndexOf(s_szBegin);
    if (m_aiDiscovery[v] == INT_MAX)
        Visit(v);
    m_bLoopsFound = !m_listLoops.empty();
}

void CUserAppChecker::Visit(int nStart)
{
    struct Frame
    {
        int v;
        int w; // the next successor to look at
    };
    std::vector<Frame> frames;
    auto enter = [&](int v) {
        m_aiDiscovery[v] = m_aiLowLink[v] = m_nCounter++;
        m_vectStack.push_back(v);
        m_abOnStack[v] = 1;
        frames.push_back({v, 0});
    };
    enter(nStart);
    while (!frames.empty())
    {
        Frame& frame = frames.back();
        const int v = frame.v;
        if (frame.w < m_iNumberOfBlocks)
        {
            int w = frame.w++;
            if (!HasEdge(v, w))
                continue;
            if (m_aiDiscovery[w] == INT_MAX)
                enter(w); // its low link reaches v when its frame ends
            else if (m_abOnStack[w])
                m_aiLowLink[v] = std::min(m_aiLowLink[v], m_aiDiscovery[w]);
            continue;
        }
        if (m_aiLowLink[v] == m_aiDiscovery[v])
        {
            auto r_it = std::find(m_vectStack.begin(), m_vectStack.end(), v);
            PXASSERT(r_it != m_vectStack.end());
            std::vector<int> component(r_it, m_vectStack.end());
            bool bRecord = component.size() > 1 || (HasEdge(v, v) && !IsMenu(v));
            for (int n : component)
                m_abOnStack[n] = 0;
            m_vectStack.erase(r_it, m_vectStack.end());
            if (bRecord)
                m_listLoops.push_back(std::move(component));
        }
        frames.pop_back();
        if (!frames.empty())
        {
            int& low = m_aiLowLink[frames.back().v];
            low = std::min(low, m_aiLowLink[v]);
        }
    }
}

void CUserAppChecker::FindUnreachable()
{
    std::vector<char> start(m_iNumberOfBlocks, 0);
    for (const char* psz : {s_szBegin, s_szRotary, s_szContinue})
    {
        auto found = m_mapDictionaryOfIndexies.find(CStringKey(psz));
        if (found != m_mapDictionaryOfIndexies.end())
            start[found->second] = 1;
    }
    m_listUnreachable.clear();
    for (int w = 0; w < m_iNumberOfBlocks; ++w)
    {
        if (start[w])
            continue;
        bool bLedTo = false;
        for (int v = 0; v < m_iNumberOfBlocks && !bLedTo; ++v)
            bLedTo = HasEdge(v, w);
        // A name that no block carries (an index never handed out) is no block.
        if (!bLedTo && m_apszNames[w])
            m_listUnreachable.push_back(w);
    }
    m_bUnreachableFound = !m_listUnreachable.empty();
}

void CUserAppChecker::FormatLoops(CString& rText) const
{
    for (const std::vector<int>& loop : m_listLoops)
    {
        rText += '"';
        for (int aiIndex : loop)
        {
            PXASSERT(aiIndex < m_iNumberOfBlocks);
            rText += "  ";
            rText += NameOf(aiIndex);
        }
        rText += "\"\n";
    }
}

void CUserAppChecker::FormatUnreachable(CString& rText) const
{
    for (int aiIndex : m_listUnreachable)
    {
        PXASSERT(aiIndex < m_iNumberOfBlocks);
        rText += '"';
        rText += NameOf(aiIndex);
        rText += '"';
    }
}

PXDiagLevelQuery PXSetDiagLevelQuery(PXDiagLevelQuery pfnQuery)
{
    PXDiagLevelQuery pfnOld = g_pfnDiagLevel;
    g_pfnDiagLevel = pfnQuery;
    return pfnOld;
}

DWORD PXTestDiagLevel(DWORD dwBits)
{
    return (g_pfnDiagLevel ? g_pfnDiagLevel() : 4) & dwBits;
}
