// Encoding of words, longs and strings on top of the raw reads and writes.
#include "Buffer.h"

#include <string.h>

Buffer::~Buffer()
{
}

int Buffer::read_byte(unsigned char& b)
{
    return read(&b, 1);
}

int Buffer::read_word(unsigned short& w)
{
    unsigned char ab[2];
    if (!read(ab, 2))
        return 0;
    w = static_cast<unsigned short>(ab[0] | (ab[1] << 8));
    return 1;
}

int Buffer::read_word(short& w)
{
    unsigned short u;
    if (!read_word(u))
        return 0;
    w = static_cast<short>(u);
    return 1;
}

int Buffer::read_long(unsigned long& l)
{
    unsigned char ab[4];
    if (!read(ab, 4))
        return 0;
    l = static_cast<unsigned long>(ab[0]) | (static_cast<unsigned long>(ab[1]) << 8)
        | (static_cast<unsigned long>(ab[2]) << 16) | (static_cast<unsigned long>(ab[3]) << 24);
    return 1;
}

int Buffer::read_long(long& l)
{
    unsigned long u;
    if (!read_long(u))
        return 0;
    l = static_cast<long>(u);
    return 1;
}

int Buffer::read_string(char* psz, int nSize)
{
    if (!psz || nSize <= 0)
        return 0;
    psz[0] = '\0';
    unsigned short wLen;
    if (!read_word(wLen))
        return 0;
    if (static_cast<int>(wLen) >= nSize)
        return 0;
    if (wLen && !read(psz, wLen))
    {
        psz[0] = '\0';
        return 0;
    }
    psz[wLen] = '\0';
    return 1;
}

int Buffer::write_byte(unsigned char b)
{
    return write(&b, 1);
}

int Buffer::write_word(unsigned short w)
{
    unsigned char ab[2] = { static_cast<unsigned char>(w & 0xFF),
                            static_cast<unsigned char>(w >> 8) };
    return write(ab, 2);
}

int Buffer::write_long(unsigned long l)
{
    unsigned char ab[4] = { static_cast<unsigned char>(l & 0xFF),
                            static_cast<unsigned char>((l >> 8) & 0xFF),
                            static_cast<unsigned char>((l >> 16) & 0xFF),
                            static_cast<unsigned char>((l >> 24) & 0xFF) };
    return write(ab, 4);
}

int Buffer::write_string(const char* psz)
{
    size_t nLen = psz ? strlen(psz) : 0;
    if (nLen > 0xFFFF)
        return 0;
    if (!write_word(static_cast<unsigned short>(nLen)))
        return 0;
    return nLen == 0 || write(psz, static_cast<long>(nLen));
}
