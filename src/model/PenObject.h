// Named pens: PenObject and the pen table Pens, made at start from its
// default rows.
#ifndef PENOBJECT_H
#define PENOBJECT_H

#include "PXafx.h"
#include "classlib/Array.h"

class PenObject : public Object
{
public:
    // The name is the table's text and is not copied.
    PenObject(const char* pszName, int nStyle, int nWidth, COLORREF colour);
    ~PenObject() override;

    const char* GetName() const { return m_pszName; }
    HPEN GetPen() const { return m_hPen; }

    classType isA() const override { return 0; }
    const char* nameOf() const override { return "BRUSHOBJECT"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override { return this == &test; }
    void printOn(std::ostream&) const override {}

private:
    PenObject(const PenObject&) = delete;
    PenObject& operator=(const PenObject&) = delete;

    HPEN m_hPen;
    const char* m_pszName;
};

// One default pen: the table ends with a row without a name.
struct PenRow
{
    const char* pszName;
    short nStyle;
    short nWidth;
    COLORREF colour;
};

// The start-up sets the width of "divider" to the system's border height
// before it makes the table.
extern PenRow DefaultPenRows[];

class Pens : public Array
{
public:
    explicit Pens(const PenRow* pRows);
    // The first pen of that name (case-sensitive), or none.
    PenObject* Find(const char* pszName) const;
};

extern Pens* g_pPens;

#endif
