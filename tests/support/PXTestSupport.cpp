#include "PXTestSupport.h"

namespace {
MessageBoxRecorder* g_pRecorder = nullptr;
}

MessageBoxRecorder::MessageBoxRecorder()
{
    g_pRecorder = this;
    m_pfnPrev = PXSetMessageBoxHook(&MessageBoxRecorder::Hook);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    PXSetMessageBoxHook(m_pfnPrev);
    g_pRecorder = nullptr;
}

int MessageBoxRecorder::Hook(HWND hOwner, const char* pszText, const char* pszCaption, UINT uType)
{
    MessageBoxRecorder* p = g_pRecorder;
    p->boxes.push_back(PXShownBox{ hOwner, pszText ? pszText : "", pszCaption ? pszCaption : "", uType });
    if (p->m_answers.empty())
        return p->nDefault;
    int n = p->m_answers.front();
    p->m_answers.pop_front();
    return n;
}

void PXRemoveTree(const std::string& dir)
{
    const std::string folder = !dir.empty() && dir.back() == '\\' ? dir : dir + "\\";
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((folder + "*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                PXRemoveTree(path);
            else
            {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryA(folder.c_str());
}
