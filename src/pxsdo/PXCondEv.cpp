// Conditions at run time: the evaluation on a record and the walk inside the
// block of the branch taken.
#include "PXCondSt.h"
#include "PXFieldValue.h"
#include "PXSObj.h"
#include "PXSction.h"
#include "PXSoftRec.h"

#include <new>

namespace {

// A text ordered as the platform's locale-aware comparison orders it.
struct PXLocaleText
{
    CString s;
};

bool operator<(const PXLocaleText& a, const PXLocaleText& b)
{
    return lstrcmpA(a.s, b.s) < 0;
}

} // namespace

PXCondStatementPos* PXCondStatement::GetFirstPosInBranch(int nKind, PXSoftRec* pRec)
{
    BOOL bResult = Evaluate(pRec);
    PXSection* pBlock = BranchBlock(bResult ? 1 : 0);
    if (!pBlock)
        return nullptr;
    PXCondStatementPos* pCondPos = new (std::nothrow) PXCondStatementPos;
    if (!pCondPos)
        PXTHROW_XMEM(0);
    PXStatementPos* pPos = pCondPos;
    pBlock->GetFirstPos(nKind, pRec, pPos, FALSE);
    if (!pPos)
        return nullptr;     // nothing applies; the position is gone
    pCondPos->m_nBranch = bResult ? 1 : 0;
    return pCondPos;
}

void PXCondStatement::GetNextPosInBranch(int nKind, PXSoftRec* pRec, PXCondStatementPos*& pCondPos)
{
    PXSection* pSection = BranchBlock(pCondPos->m_nBranch);
    PXASSERT(pSection!=0);
    PXStatementPos* pPos = pCondPos;
    try
    {
        pSection->GetNextPos(nKind, pRec, pPos);
    }
    catch (...)
    {
        // A failed step frees the position it was given.
        pCondPos = static_cast<PXCondStatementPos*>(pPos);
        throw;
    }
    pCondPos = static_cast<PXCondStatementPos*>(pPos);
}

PXStatement* PXCondStatement::GetStatementAtInBranch(int nKind, const PXCondStatementPos* pCondPos) const
{
    PXSection* pSection = BranchBlock(pCondPos->m_nBranch);
    PXASSERT(pSection!=0);
    return pSection->GetStatementAt(nKind, pCondPos);
}

BOOL PXCondStatement::Evaluate(PXSoftRec* pRec)
{
    // The check keeps its text of old, which names the flags by their values.
    if (!(HasStyle(0x8000 | PXCOND_EQUAL | PXCOND_GREATER)
          || HasStyle(0x8000 | PXCOND_RANGEINCL | PXCOND_RANGEEXCL)
          || HasStyle(0x8000 | PXCOND_EMPTY) || HasStyle(0x8000 | PXCOND_RESERVED)))
        PXAssertFailed("(HasStyle(0x8300)||HasStyle(0x8030)|| HasStyle(0x8040)||HasStyle(0x8080))",
                       __FILE__, __LINE__);
    PXASSERT(pRec!=0);

    WORD wField = GetFieldId();
    PXSOFTTYPE t = pRec->GetFieldType(wField);
    PXFieldValue v(wField, pRec);
    BOOL bFieldOps = HasStyle(0x8000 | PXCOND_FIELDOPS);

    // The minimum text length applies only with a server that answers.
    long nMinLength = 0;
    if (HasStyle(0x8000 | PXCOND_MINLENGTH))
    {
        PXSdoHost* pApp = PXSoftObj::GetApp();
        if (pApp && !pApp->IsStandalone())
            nMinLength = pApp->GetCustomerProfile();
    }

    // Operand j in the field's type.
    auto opInt16 = [&](int j) -> short {
        WORD w = GetOptParam(j);
        if (bFieldOps)
            return *PXFieldValue(w, pRec).GetInt16();
        return static_cast<short>(w);
    };
    auto opInt32 = [&](int j) -> long {
        WORD w = GetOptParam(j);
        if (bFieldOps)
            return *PXFieldValue(w, pRec).GetInt32();
        return static_cast<long>(w);
    };
    auto opText = [&](int j) -> CString {
        WORD w = GetOptParam(j);
        if (bFieldOps)
            return *PXFieldValue(w, pRec).GetText();
        CString s;
        s.LoadStringA(w);
        return s;
    };

    BOOL c = FALSE;
    if (HasStyle(0x8000 | PXCOND_EQUAL | PXCOND_GREATER))
    {
        if (HasStyle(0x8000 | PXCOND_EQUAL))
        {
            switch (t)
            {
            case PXST_INT16: c = (*v.GetInt16() == opInt16(0)); break;
            case PXST_INT32:
            case PXST_BOOL: c = (*v.GetInt32() == opInt32(0)); break;
            case PXST_TEXT:
                if (HasStyle(0x8000 | PXCOND_MINLENGTH))
                    c = nMinLength == 0 || v.GetText()->GetLength() == nMinLength;
                else
                    c = lstrcmpA(*v.GetText(), opText(0)) == 0;
                break;
            default: PXASSERT(0);
            }
        }
        if (!c && HasStyle(0x8000 | PXCOND_GREATER))
        {
            switch (t)
            {
            case PXST_INT16: c = (*v.GetInt16() > opInt16(0)); break;
            case PXST_INT32: c = (*v.GetInt32() > opInt32(0)); break;
            case PXST_TEXT:
                if (HasStyle(0x8000 | PXCOND_MINLENGTH))
                    c = nMinLength == 0 || v.GetText()->GetLength() > nMinLength;
                else
                    c = lstrcmpA(*v.GetText(), opText(0)) > 0;
                break;
            default: PXASSERT(0);
            }
        }
    }
    else if (!HasStyle(0x8000 | PXCOND_RANGEINCL | PXCOND_RANGEEXCL))
    {
        if (HasStyle(0x8000 | PXCOND_RESERVED))
            PXASSERT(0);
        // The empty test: any type is read as its text.
        if (v.GetText()->IsEmpty())
            return GetStyle() == (0x8000 | PXCOND_EMPTY);
        c = FALSE;
    }
    else
    {
        BOOL bIncl = HasStyle(0x8000 | PXCOND_RANGEINCL);
        switch (t)
        {
        case PXST_INT16:
        {
            short sLo = opInt16(0), sHi = opInt16(1), s = *v.GetInt16();
            PXASSERT(sLo<sHi);
            c = (sLo < s) ? (s < sHi || (bIncl && s == sHi)) : (bIncl && s == sLo);
            break;
        }
        case PXST_INT32:
        {
            long iLo = opInt32(0), iHi = opInt32(1), i = *v.GetInt32();
            PXASSERT(iLo<iHi);
            c = (iLo < i) ? (i < iHi || (bIncl && i == iHi)) : (bIncl && i == iLo);
            break;
        }
        case PXST_TEXT:
        {
            PXLocaleText stringLo{ opText(0) }, stringHi{ opText(1) }, text{ *v.GetText() };
            PXASSERT(stringLo<stringHi);
            if (stringLo < text)
                c = text < stringHi || (bIncl && lstrcmpA(text.s, stringHi.s) == 0);
            else
                c = bIncl && lstrcmpA(text.s, stringLo.s) == 0;
            break;
        }
        default:
            PXASSERT(0);
        }
    }
    return HasStyle(0x8000 | PXCOND_NOT) ? !c : c;
}
