// The program checker: the goto lines of a program as a directed graph
// between block names, searched for loops (blocks that can reach themselves
// again) and for blocks that no line leads to. Made on the diagnostics
// runner's stack for one run (PXUserApp::RunDiagnostics).
#ifndef CUSERAPPCHECKER_H
#define CUSERAPPCHECKER_H

#include "PXString.h"

#include <map>
#include <vector>

class Program;

// A block name as a key: ordered by lstrcmpA, so names that differ only in
// case are different keys.
class CStringKey
{
public:
    explicit CStringKey(const char* pszText) : m_pszText(pszText ? pszText : "") {}
    const char* GetText() const { return m_pszText; }
    bool operator<(const CStringKey& rOther) const;

private:
    const char* m_pszText; // not copied: the model's name outlives the checker
};

class CUserAppChecker
{
public:
    // Sizes the tables for every distinct block name of the program (and
    // "Begin", where the loop search starts) and builds the graph.
    explicit CUserAppChecker(Program* pProgram);
    ~CUserAppChecker();

    CUserAppChecker(const CUserAppChecker&) = delete;
    CUserAppChecker& operator=(const CUserAppChecker&) = delete;

    // The loops reachable from "Begin" (strongly connected components).
    void FindLoops();
    // The blocks, other than Begin, Rotary and Continue, that no counted
    // line leads to.
    void FindUnreachable();

    // The node index of a name; a new name takes the next free index.
    int IndexOf(const char* pszName);

    // Append the findings: one line per loop, each block name after two
    // blanks, the whole in double quotes; each unreachable block's name in
    // double quotes.
    void FormatLoops(CString& rText) const;
    void FormatUnreachable(CString& rText) const;

    bool LoopsFound() const { return m_bLoopsFound; }
    bool UnreachableFound() const { return m_bUnreachableFound; }
    int GetNumberOfBlocks() const { return m_iNumberOfBlocks; }
    // The findings as node indices, and the name of an index.
    const std::vector<std::vector<int>>& GetLoops() const { return m_listLoops; }
    const std::vector<int>& GetUnreachable() const { return m_listUnreachable; }
    const char* NameOf(int aiIndex) const;

private:
    bool HasEdge(int v, int w) const;
    void SetEdge(int v, int w);
    bool IsMenu(int v) const;
    // Tarjan's search from v with an explicit stack of frames, so that a
    // long chain of blocks cannot overflow the thread's stack.
    void Visit(int v);

    int m_iNumberOfBlocks;
    std::map<CStringKey, int> m_mapDictionaryOfIndexies;
    std::vector<const char*> m_apszNames;
    int m_nRowWords;                      // 32-bit words of one matrix row
    std::vector<unsigned long> m_adwMatrix; // m_iNumberOfBlocks rows of bits
    std::vector<int> m_aiLowLink;
    std::vector<int> m_aiDiscovery;
    std::vector<char> m_abOnStack;
    std::vector<int> m_vectStack;
    std::vector<std::vector<int>> m_listLoops;
    std::vector<int> m_listUnreachable;
    std::vector<int> m_listMenus;
    int m_nCounter;
    bool m_bLoopsFound;
    bool m_bUnreachableFound;
};

// The program-diagnostics level (one bit of 1 none, 2 low, 4 medium,
// 8 high) is a setting of the editor's application object, which installs
// its query here; without one the level is medium.
typedef DWORD (*PXDiagLevelQuery)();
PXDiagLevelQuery PXSetDiagLevelQuery(PXDiagLevelQuery pfnQuery);
DWORD PXTestDiagLevel(DWORD dwBits);

#endif
