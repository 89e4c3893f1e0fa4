// TModule: a module of the program (the executable or a resource library)
// over its instance handle, which may be null when the library could not be
// loaded.
#ifndef OWL_TMODULE_H
#define OWL_TMODULE_H

#include <windows.h>

#include "owl/TResId.h"

class TModule
{
public:
    // Over an existing handle; the module is not freed by this object.
    TModule(const char* pszName, HINSTANCE hInstance);
    virtual ~TModule();

    TModule(const TModule&) = delete;
    TModule& operator=(const TModule&) = delete;

    HINSTANCE GetHandle() const { return m_hInstance; }
    HINSTANCE GetInstance() const { return m_hInstance; }
    operator HINSTANCE() const { return m_hInstance; }
    const char* GetName() const { return m_szName; }

    // False for a null handle or a missing resource.
    bool HasResource(TResId id, LPCSTR type) const;
    // Characters copied (0 when the string is missing or the module null).
    int LoadString(UINT id, char* pszBuf, int nBufSize) const;
    HMENU LoadMenu(TResId id) const;
    HACCEL LoadAccelerators(TResId id) const;
    HICON LoadIcon(TResId id) const;

    // The module of the running executable.
    static TModule& GetExeModule();

protected:
    void SetHandle(HINSTANCE hInstance) { m_hInstance = hInstance; }
    void SetName(const char* pszName);

private:
    HINSTANCE m_hInstance;
    char m_szName[80];
};

#endif
