// Named bitmaps: BitmapObject, loaded on first use from the program's
// resources or the bitmap resource library, and the table Bitmaps that
// keeps every bitmap asked for (also one that could not be loaded, so the
// load is not tried again).
#ifndef BITMAPOBJECT_H
#define BITMAPOBJECT_H

#include "PXafx.h"
#include "classlib/Array.h"

class Bitmaps;

class BitmapObject : public Object
{
public:
    // Loads the bitmap resource of that name; reports when it cannot.
    explicit BitmapObject(const char* pszName);
    ~BitmapObject() override;

    // The bitmap of that name in the table, made and appended on first use.
    static BitmapObject* Get(Bitmaps& table, const char* pszName);

    // The bitmap resource library, searched after the program's own
    // resources; set by the application at start-up (none: not searched).
    static void SetLibrary(HINSTANCE hLibrary);

    const char* GetName() const { return m_Name; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    classType isA() const override { return 0; }
    const char* nameOf() const override { return "BRUSHOBJECT"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override { return this == &test; }
    void printOn(std::ostream&) const override {}

private:
    BitmapObject(const BitmapObject&) = delete;
    BitmapObject& operator=(const BitmapObject&) = delete;

    CString m_Name;
    HBITMAP m_hBitmap = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

class Bitmaps : public Array
{
public:
    Bitmaps();
    BitmapObject* Find(const char* pszName) const;
};

extern Bitmaps* g_pBitmaps;

#endif
