// UIObject and ProgramObject: display-object lists, numbering, the modified
// flag and the base forms of the program file.
#include "UIObject.h"
#include "Program.h"
#include "Buffer.h"

UIObject::UIObject()
{
    m_DisplayObjects.ownsElements(0);
}

UIObject::~UIObject()
{
    m_DisplayObjects.flush(TShouldDelete::NoDelete);
}

ProgramObject::ProgramObject(ProgramObject* pOwner)
    : m_pOwner(pOwner), m_nID(0)
{
}

bool ProgramObject::ReadBinary(Buffer& buf)
{
    long nID = 0;
    if (!buf.read_long(nID))
        return false;
    m_nID = nID;
    return true;
}

bool ProgramObject::WriteBinary(Buffer& buf)
{
    return buf.write_long(static_cast<unsigned long>(GetID())) != 0;
}

int ProgramObject::WriteText(LSStream&)
{
    return 0;
}

int ProgramObject::ReadText(LSStream&)
{
    return 0;
}

long ProgramObject::GetID()
{
    if (m_nID != 0)
        return m_nID;
    Program* pProgram = GetProgram();
    PXASSERT(pProgram != 0);
    m_nID = pProgram->NextID();
    return m_nID;
}

void ProgramObject::SetModified()
{
    Program* pProgram = GetProgram();
    if (pProgram)
        pProgram->SetModified();
}

bool ProgramObject::IsProgramDying() const
{
    Program* pProgram = GetProgram();
    return pProgram == nullptr || pProgram->PeekID() == -1;
}
