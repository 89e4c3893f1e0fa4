// The two bases of everything the editor shows or lets the user pick:
// UIObject (any shown object, with the display objects that show it) and
// ProgramObject (an object of one program, with its owner and its number
// in the program file).
#ifndef UIOBJECT_H
#define UIOBJECT_H

#include "PXafx.h"
#include "classlib/List.h"

class Buffer;
class LSStream;
class Program;
class Page;

// Class numbers of the model and palette classes; they double as the record
// types of the binary program file.
enum
{
    PX_CLASS_PROGRAM = 356,
    PX_CLASS_PAGE = 357,
    PX_CLASS_POWERBLOCK = 358,
    PX_CLASS_GOTO = 359,
    PX_CLASS_SEGMENT = 360,
    PX_CLASS_GROUPICON = 361,
    PX_CLASS_POWERBLOCKICON = 362,
    PX_CLASS_GOTOBLOCK = 363,
    PX_CLASS_TEXTUI = 368
};

class UIObject : public Object
{
public:
    UIObject();
    // Empties the display-object list without destroying its entries.
    ~UIObject() override;

    classType isA() const override = 0;
    const char* nameOf() const override { return "KVROBJECT"; }
    hashValueType hashValue() const override { return 0; }
    int isEqual(const Object& test) const override { return this == &test; }
    void printOn(std::ostream&) const override {}

    virtual bool IsSelectable() const { return true; }
    virtual bool IsDraggable() const { return true; }
    virtual bool IsShownInPalette() const { return true; }
    virtual bool IsProgramObject() const { return false; }

    // The display objects that show this object; not owning.
    List& GetDisplayObjects() { return m_DisplayObjects; }

private:
    UIObject(const UIObject&) = delete;
    UIObject& operator=(const UIObject&) = delete;

    List m_DisplayObjects;
};

class ProgramObject : public UIObject
{
public:
    explicit ProgramObject(ProgramObject* pOwner = nullptr);

    bool IsProgramObject() const override { return true; }

    // The binary form reads and writes the object's ID first.
    virtual bool ReadBinary(Buffer& buf);
    virtual bool WriteBinary(Buffer& buf);
    virtual Program* GetProgram() const = 0;
    virtual Page* GetPage() const = 0;
    // The text form; the base refuses both (0).
    virtual int WriteText(LSStream& stream);
    virtual int ReadText(LSStream& stream);

    // The object's number in its program, given on first request.
    long GetID();
    // Without numbering: 0 not yet numbered, -1 being destroyed.
    long PeekID() const { return m_nID; }
    // The loader restores stored numbers.
    void SetID(long nID) { m_nID = nID; }

    // Marks the object's program modified.
    void SetModified();

    ProgramObject* GetOwner() const { return m_pOwner; }
    void SetOwner(ProgramObject* pOwner) { m_pOwner = pOwner; }

    // True while the object's program is being torn down: its children
    // then make no calls into the application model.
    bool IsProgramDying() const;

protected:
    ProgramObject* m_pOwner;
    long m_nID;
};

#endif
