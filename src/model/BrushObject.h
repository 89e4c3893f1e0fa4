// Named brushes: BrushObject and the brush table Brushes, made at start from
// its default rows.
#ifndef BRUSHOBJECT_H
#define BRUSHOBJECT_H

#include "PXafx.h"
#include "classlib/Array.h"

class BrushObject : public Object
{
public:
    // A solid brush. The name is the table's text and is not copied.
    BrushObject(const char* pszName, COLORREF colour);
    ~BrushObject() override;

    const char* GetName() const { return m_pszName; }
    HBRUSH GetBrush() const { return m_hBrush; }
    COLORREF GetColour() const { return m_colour; }

    classType isA() const override { return 0; }
    const char* nameOf() const override { return "BRUSHOBJECT"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override { return this == &test; }
    void printOn(std::ostream&) const override {}

private:
    BrushObject(const BrushObject&) = delete;
    BrushObject& operator=(const BrushObject&) = delete;

    HBRUSH m_hBrush;
    COLORREF m_colour;
    const char* m_pszName;
};

// One default brush: the table ends with a row without a name.
struct BrushRow
{
    const char* pszName;
    COLORREF colour;
};

extern const BrushRow DefaultBrushRows[];

class Brushes : public Array
{
public:
    explicit Brushes(const BrushRow* pRows);
    // The first brush of that name (case-sensitive), or none.
    BrushObject* Find(const char* pszName) const;
};

extern Brushes* g_pBrushes;

#endif
