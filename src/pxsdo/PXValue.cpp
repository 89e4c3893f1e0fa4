// Typed values: construction from a field's storage and the conversions
// between the native types.
#include "PXValue.h"
#include "PXTime.h"

const char PXTEXT_YES[] = "Yes";
const char PXTEXT_NO[] = "No";

namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

// Scans the leading number; bDigits tells whether there was one.
long long ScanNumber(const char* psz, bool& bDigits)
{
    bDigits = false;
    if (psz == 0)
        return 0;
    while (IsBlank(*psz))
        ++psz;
    bool bNeg = false;
    if (*psz == '+' || *psz == '-')
        bNeg = (*psz++ == '-');
    long long n = 0;
    while (*psz >= '0' && *psz <= '9')
    {
        bDigits = true;
        if (n < 100000000000LL)     // beyond every 32-bit number: stop growing
            n = n * 10 + (*psz - '0');
        ++psz;
    }
    return bNeg ? -n : n;
}

long ClampLong(long long n)
{
    if (n > 2147483647LL)
        return 2147483647L;
    if (n < -2147483647LL - 1)
        return -2147483647L - 1;
    return static_cast<long>(n);
}

// Out-of-range numbers are held at the limit of the 16-bit range; fields
// are kept in range by the checks of the field values, so this only meets
// data that came from elsewhere, which must never end the program.
short ClampShort(long long n)
{
    if (n > 32767)
        return 32767;
    if (n < -32768)
        return -32768;
    return static_cast<short>(n);
}

short TextToShort(const char* psz)
{
    bool bDigits;
    return ClampShort(ScanNumber(psz, bDigits));
}

CString FormatNumber(long l)
{
    CString s;
    s.Format("%d", static_cast<int>(l));
    return s;
}

// The value a source of another type holds, asked through its own accessor.
PXValue& Source(const PXValue& rValue)
{
    return const_cast<PXValue&>(rValue);
}

// The number an INT16, INT32 or BOOL value holds (a BOOL as it is stored,
// not reduced to 0 or 1).
long NumberOf(const PXValue& rValue)
{
    if (rValue.GetType() == PXST_INT16)
        return *Source(rValue).GetInt16();
    return *Source(rValue).GetInt32();
}

} // namespace

long PXTextToNumber(const char* psz)
{
    bool bDigits;
    return ClampLong(ScanNumber(psz, bDigits));
}

bool PXTextNumberOutOfRange(const char* psz, long lLow, long lHigh)
{
    bool bDigits;
    long long n = ScanNumber(psz, bDigits);
    return bDigits && (n < lLow || n > lHigh);
}

// ---------------------------------------------------------------------------
// PXValue: every typed operation is a programming error unless a class
// provides it.

PXSOFTTYPE PXValue::GetType() const { return PXST_NONE; }
int PXValue::GetAttributes() const { PXASSERT(0); }
long* PXValue::GetInt32() { PXASSERT(0); }
short* PXValue::GetInt16() { PXASSERT(0); }
CString* PXValue::GetText() { PXASSERT(0); }
PXRecArray* PXValue::GetRecArray() { PXASSERT(0); }
PXTime* PXValue::GetTime() { PXASSERT(0); }
PXMonthAndDay* PXValue::GetMonthAndDay() { PXASSERT(0); }
PXSoftRecSet* PXValue::GetRecordSet() { PXASSERT(0); }
PXValue& PXValue::operator=(const PXValue&) { PXASSERT(0); }
PXValue& PXValue::operator=(const long&) { PXASSERT(0); }
PXValue& PXValue::operator=(const short&) { PXASSERT(0); }
PXValue& PXValue::operator=(const CString&) { PXASSERT(0); }
PXValue& PXValue::operator=(PXRecArray&) { PXASSERT(0); }

// ---------------------------------------------------------------------------
// PXInt16

PXInt16::PXInt16(const void* pStorage, PX_FLDS_MEM wMemRepresentation) : m_sValue(0)
{
    PXASSERT(pStorage!=0);
    switch (wMemRepresentation)
    {
    case PXFM_CHAR:
        m_sValue = TextToShort(static_cast<const char*>(pStorage));
        break;
    case PXFM_INT16:
        m_sValue = *static_cast<const short*>(pStorage);
        break;
    case PXFM_BOOL:
        m_sValue = static_cast<short>(LOWORD(*static_cast<const long*>(pStorage)));
        break;
    case PXFM_STRING:
        m_sValue = TextToShort(*static_cast<const CString*>(pStorage));
        break;
    default:
        PXASSERT(0);
    }
}

PXValue& PXInt16::operator=(const PXValue& rValue)
{
    switch (rValue.GetType())
    {
    case PXST_INT16:
    case PXST_INT32:
    case PXST_BOOL:
        return operator=(NumberOf(rValue));
    case PXST_TEXT:
        return operator=(*Source(rValue).GetText());
    default:
        PXASSERT(0);
    }
    return *this;
}

PXValue& PXInt16::operator=(const long& rL)
{
    m_sValue = ClampShort(rL);
    return *this;
}

PXValue& PXInt16::operator=(const short& rS)
{
    m_sValue = rS;
    return *this;
}

PXValue& PXInt16::operator=(const CString& rText)
{
    m_sValue = TextToShort(rText);
    return *this;
}

// ---------------------------------------------------------------------------
// PXInt32

PXInt32::PXInt32(const void* pStorage, PX_FLDS_MEM wMemRepresentation) : m_lValue(0)
{
    PXASSERT(pStorage!=0);
    switch (wMemRepresentation)
    {
    case PXFM_CHAR:
        m_lValue = PXTextToNumber(static_cast<const char*>(pStorage));
        break;
    case PXFM_INT32:
    case PXFM_BOOL:
        m_lValue = *static_cast<const long*>(pStorage);
        break;
    case PXFM_INT16:
        m_lValue = *static_cast<const short*>(pStorage);
        break;
    default:
        PXASSERT(0);
    }
}

PXValue& PXInt32::operator=(const PXValue& rValue)
{
    switch (rValue.GetType())
    {
    case PXST_INT16:
    case PXST_INT32:
    case PXST_BOOL:
        return operator=(NumberOf(rValue));
    case PXST_TEXT:
        return operator=(*Source(rValue).GetText());
    default:
        PXASSERT(0);
    }
    return *this;
}

PXValue& PXInt32::operator=(const long& rL)
{
    m_lValue = rL;
    return *this;
}

PXValue& PXInt32::operator=(const short& rS)
{
    return operator=(static_cast<long>(rS));
}

PXValue& PXInt32::operator=(const CString& rText)
{
    m_lValue = PXTextToNumber(rText);
    return *this;
}

// ---------------------------------------------------------------------------
// PXBool

PXBool::PXBool(const void* pStorage, PX_FLDS_MEM wMemRepresentation) : m_lValue(0)
{
    PXASSERT(pStorage!=0);
    switch (wMemRepresentation)
    {
    case PXFM_INT16:
        m_lValue = *static_cast<const short*>(pStorage);
        break;
    case PXFM_BOOL:
        m_lValue = *static_cast<const long*>(pStorage);
        break;
    case PXFM_STRING:
        m_lValue = static_cast<const CString*>(pStorage)->IsEmpty() ? 0 : 1;
        break;
    default:
        PXASSERT(0);
    }
}

PXValue& PXBool::operator=(const PXValue& rValue)
{
    switch (rValue.GetType())
    {
    case PXST_INT16:
    case PXST_INT32:
    case PXST_BOOL:
        m_lValue = NumberOf(rValue);
        break;
    case PXST_TEXT:
        // Only "No" is false here; the text "0" is true, unlike a plain text
        // assigned to a BOOL.
        m_lValue = (*Source(rValue).GetText() == PXTEXT_NO) ? 0 : 1;
        break;
    default:
        PXASSERT(0);
    }
    return *this;
}

PXValue& PXBool::operator=(const long& rL)
{
    m_lValue = rL;
    return *this;
}

PXValue& PXBool::operator=(const short& rS)
{
    return operator=(static_cast<long>(rS));
}

PXValue& PXBool::operator=(const CString& rText)
{
    m_lValue = (rText == PXTEXT_NO || rText == "0") ? 0 : 1;
    return *this;
}

// ---------------------------------------------------------------------------
// PXText

PXText::PXText(const void* pStorage, PX_FLDS_MEM wMemRepresentation)
{
    PXASSERT(pStorage!=0);
    switch (wMemRepresentation)
    {
    case PXFM_CHAR:
        m_Text = static_cast<const char*>(pStorage);
        break;
    case PXFM_MEMSTRINGTABLEID:
        m_Text.LoadString(static_cast<UINT>(*static_cast<const long*>(pStorage)));
        break;
    case PXFM_INT32:
        m_Text = FormatNumber(*static_cast<const long*>(pStorage));
        break;
    case PXFM_INT16:
        m_Text = FormatNumber(*static_cast<const short*>(pStorage));
        break;
    case PXFM_BOOL:
        m_Text = *static_cast<const long*>(pStorage) ? PXTEXT_YES : PXTEXT_NO;
        break;
    case PXFM_STRING:
        m_Text = *static_cast<const CString*>(pStorage);
        break;
    default:
        PXASSERT(0);
    }
}

PXValue& PXText::operator=(const PXValue& rValue)
{
    switch (rValue.GetType())
    {
    case PXST_INT16:
    case PXST_INT32:
        return operator=(NumberOf(rValue));
    case PXST_TEXT:
        m_Text = *Source(rValue).GetText();
        break;
    case PXST_BOOL:
        m_Text = *Source(rValue).GetInt32() ? PXTEXT_YES : PXTEXT_NO;
        break;
    case PXST_MONTHANDDAY:
    {
        const PXMonthAndDay& rMD = static_cast<const PXMonthAndDay&>(rValue);
        m_Text.Format("%d/%d", rMD.GetMonth(), rMD.GetDay());
        break;
    }
    case PXST_TIME:
    {
        const PXTime& rT = static_cast<const PXTime&>(rValue);
        m_Text.Format("%d:%d", rT.GetHour(), rT.GetMinute());
        break;
    }
    default:
        PXASSERT(0);
    }
    return *this;
}

PXValue& PXText::operator=(const long& rL)
{
    m_Text = FormatNumber(rL);
    return *this;
}

PXValue& PXText::operator=(const short& rS)
{
    return operator=(static_cast<long>(rS));
}

PXValue& PXText::operator=(const CString& rText)
{
    m_Text = rText;
    return *this;
}
