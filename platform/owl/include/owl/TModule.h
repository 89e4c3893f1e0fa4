// TModule: a module of the program (the executable or a resource library)
// over its instance handle, which may be null when the library could not be
// loaded. TResId names a resource by text or by number.
#ifndef OWL_TMODULE_H
#define OWL_TMODULE_H

#include <windows.h>

class TResId
{
public:
    TResId() : m_psz(nullptr) {}
    TResId(const char* psz) : m_psz(psz) {}
    TResId(int nId) : m_psz(MAKEINTRESOURCEA(nId)) {}

    operator LPCSTR() const { return m_psz; }
    bool IsNull() const { return m_psz == nullptr; }
    bool IsInt() const { return IS_INTRESOURCE(m_psz); }

private:
    LPCSTR m_psz;
};

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
