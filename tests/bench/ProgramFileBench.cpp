// Benchmark of program files: generates a large program (50 pages, 5,000
// blocks with their variables, 8,000 gotos with segments, text notes),
// saves it and loads it back, and prints the save and load times next to a
// bare line scan and a bare write of the same bytes, as ratios. Not a test:
// run it by hand (see the README). "--pages n" makes a smaller program; the
// build's tests run it so, to keep it working.
#include "BenchBlocks.h"
#include "FileBuffer.h"
#include "FontObject.h"
#include "Goto.h"
#include "Icons.h"
#include "LSReport.h"
#include "LSStream.h"
#include "PXMsgBox.h"
#include "PXTextUI.h"
#include "Page.h"
#include "PowerBlock.h"
#include "Program.h"
#include "ProgramFile.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
int PAGES = 50;
const int BLOCKS_PER_PAGE = 100;
const int GOTOS_PER_PAGE = 160;
const int NOTES_PER_PAGE = 4;
const int RUNS = 3;

int g_nBoxes = 0;
int g_nPrompts = 0;

int QuietBox(HWND, const char* pszText, const char* pszCaption, UINT)
{
    ++g_nBoxes;
    fprintf(stderr, "box: %s: %s\n", pszCaption, pszText);
    return IDOK;
}

int QuietPrompt(short&, const char* pszText)
{
    ++g_nPrompts;
    fprintf(stderr, "prompt: %s\n", pszText);
    return IDCANCEL;
}

double Now()
{
    static LARGE_INTEGER freq = {};
    if (!freq.QuadPart)
        QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Program* Generate(int& nBlocks, int& nGotos, int& nSegments, int& nNotes)
{
    std::mt19937 rng(5000u);
    const int types[] = { 402, 393, 395, 406, 398, 405, 410, 411, 413, 412 };
    Program* pProgram = new Program("Bench", 0);
    nBlocks = nGotos = nSegments = nNotes = 0;
    for (int p = 0; p < PAGES; ++p)
    {
        char szPage[16];
        snprintf(szPage, sizeof(szPage), p == 0 ? "Main" : "Super%02d", p);
        Page* pPage = new Page(pProgram, szPage, p == 0 ? PX_PAGE_MAIN : PX_PAGE_SUPERBLOCK, 0);
        pProgram->AddPage(pPage);
        std::vector<PowerBlock*> blocks;
        for (int b = 0; b < BLOCKS_PER_PAGE; ++b)
        {
            char szName[32];
            snprintf(szName, sizeof(szName), "Block%03d", b);
            int nType = b == 0 ? KVR_PB_BEGIN : types[rng() % (sizeof(types) / sizeof(types[0]))];
            PowerBlock* pBlock = MakeBlock(pPage, nType, szName, (b % 10) * 240, (b / 10) * 120);
            if (!pBlock)
                continue;
            if (b % 3 == 0)
                pBlock->SetDescription("Generated block, with a description of some length for the benchmark");
            blocks.push_back(pBlock);
            ++nBlocks;
        }
        int nPageGotos = 0;
        for (size_t i = 0; i < blocks.size() && nPageGotos < GOTOS_PER_PAGE; ++i)
        {
            PowerBlock* pBlock = blocks[i];
            for (int o = 0; o < pBlock->GetOutputCount() && nPageGotos < GOTOS_PER_PAGE; ++o)
            {
                const PBOutputEntry& out = pBlock->GetInfo()->outputs[o];
                if (out.flags & (KVR_OUTPUT_GROUP | KVR_OUTPUT_NEVERSHOWN))
                    continue;
                PowerBlock* pTarget = blocks[(i + 1 + rng() % (blocks.size() - 1)) % blocks.size()];
                if (pTarget == pBlock)
                    continue;
                Goto* pGoto = pBlock->Connect(pTarget, out.name, 0);
                if (!pGoto)
                    continue;
                long x0 = pBlock->GetX(), y0 = pBlock->GetY(), x1 = pTarget->GetX(), y1 = pTarget->GetY();
                pGoto->AddSegment(x0, y0, x0 + 20, y0);
                pGoto->AddSegment(x0 + 20, y0, x0 + 20, y1);
                pGoto->AddSegment(x0 + 20, y1, x1, y1);
                nSegments += 3;
                ++nPageGotos;
            }
        }
        nGotos += nPageGotos;
        for (int n = 0; n < NOTES_PER_PAGE; ++n)
        {
            PXTextUI* pNote = new PXTextUI(pPage, 10, 400, 1300 + 80 * n, 1370 + 80 * n,
                                           new FontObject("", "Arial", -13, 400, 0));
            pNote->SetText("A note of the benchmark, with commas, and\r\ntwo lines");
            pPage->AddNote(pNote);
            ++nNotes;
        }
    }
    return pProgram;
}

std::vector<std::string> Lines(const std::string& path)
{
    std::vector<std::string> lines;
    LSStream& stream = LSOpenFile(LS_READ, path.c_str());
    CString line;
    while (stream.IsOpen() && LSReadLine(line))
        lines.push_back(static_cast<const char*>(line));
    LSCloseFile(stream);
    return lines;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--pages")
        PAGES = std::max(1, std::min(50, atoi(argv[2])));
    PXSetMessageBoxHook(QuietBox);
    LSSetPromptRunner(QuietPrompt);
    char szTemp[MAX_PATH];
    char szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    GetTempFileNameA(szTemp, "pxb", 0, szDir);
    DeleteFileA(szDir);
    CreateDirectoryA(szDir, nullptr);
    SetCurrentDirectoryA(szDir);
    const std::string path = std::string(szDir) + "\\bench.ed";
    const std::string copy = std::string(szDir) + "\\copy.ed";

    IconInfoTable table = {};
    kvrGetPowerBlockList(&table, 0, 1);
    Icons icons(&table);
    Icons::SetCurrent(&icons);

    int nBlocks, nGotos, nSegments, nNotes;
    double t0 = Now();
    std::unique_ptr<Program> pProgram(Generate(nBlocks, nGotos, nSegments, nNotes));
    double tGenerate = Now() - t0;
    printf("program: %d pages, %d blocks, %d gotos, %d segments, %d text notes (made in %.3f s)\n", PAGES,
           nBlocks, nGotos, nSegments, nNotes, tGenerate);

    std::vector<double> saves, loads, scans, writes;
    size_t nBytes = 0, nLines = 0;
    for (int r = 0; r < RUNS; ++r)
    {
        double t = Now();
        if (PXFileSaveProgram(path.c_str(), pProgram.get(), nullptr) != 1)
        {
            fprintf(stderr, "save failed\n");
            return 1;
        }
        saves.push_back(Now() - t);

        t = Now();
        std::unique_ptr<Program> pLoaded(PXFileLoadProgram(path.c_str(), nullptr));
        loads.push_back(Now() - t);
        if (!pLoaded)
        {
            fprintf(stderr, "load failed\n");
            return 1;
        }
        pLoaded.reset();

        // The bare line scan: every line of the file through the record stream.
        t = Now();
        std::vector<std::string> lines = Lines(path);
        scans.push_back(Now() - t);
        nLines = lines.size();

        // The bare write: the same lines through a checked, replacing file.
        t = Now();
        {
            FileBuffer file(copy.c_str(), "w+b", FileBuffer::replace);
            for (const std::string& line : lines)
            {
                file.write(line.data(), static_cast<long>(line.size()));
                file.write("\r\n", 2);
            }
            file.commit(nullptr);
        }
        writes.push_back(Now() - t);
        WIN32_FILE_ATTRIBUTE_DATA fad;
        if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &fad))
            nBytes = fad.nFileSizeLow;
    }
    double save = Median(saves), load = Median(loads), scan = Median(scans), write = Median(writes);
    printf("file: %zu bytes, %zu lines (median of %d runs)\n", nBytes, nLines, RUNS);
    printf("save  %8.3f s   bare write %8.3f s   save / write = %6.1f\n", save, write, save / write);
    printf("load  %8.3f s   bare scan  %8.3f s   load / scan  = %6.1f\n", load, scan, load / scan);
    printf("boxes %d, prompts %d\n", g_nBoxes, g_nPrompts);

    pProgram.reset();
    DeleteFileA(path.c_str());
    DeleteFileA(copy.c_str());
    DeleteFileA((std::string(szDir) + "\\bench.BAK").c_str());
    DeleteFileA((std::string(szDir) + "\\kvrlslog.txt").c_str());
    SetCurrentDirectoryA(szTemp);
    RemoveDirectoryA(szDir);
    return g_nBoxes == 0 && g_nPrompts == 0 ? 0 : 1;
}
