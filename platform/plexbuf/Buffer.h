// plexbuf: the buffer library of the program files. A Buffer reads and
// writes bytes, 16-bit words, 32-bit longs and counted strings; FileBuffer is
// a Buffer over one open file. Words and longs are stored low byte first; a
// string is a word holding its length followed by its characters, without
// a terminating NUL.
#ifndef PLEXBUF_BUFFER_H
#define PLEXBUF_BUFFER_H

class Buffer
{
public:
    virtual ~Buffer();

    // Raw bytes. Non-zero when all count bytes were moved.
    virtual int read(void* pBuffer, long nCount) = 0;
    virtual int write(const void* pBuffer, long nCount) = 0;

    int read_byte(unsigned char& b);
    int read_word(unsigned short& w);
    int read_word(short& w);
    int read_long(long& l);
    int read_long(unsigned long& l);

    // Reads a string into psz, which holds nSize characters including the
    // NUL. A stored length that does not fit fails without writing beyond
    // psz (the text is then empty).
    int read_string(char* psz, int nSize);

    int write_byte(unsigned char b);
    int write_word(unsigned short w);
    int write_long(unsigned long l);
    // Texts longer than 65535 characters cannot be stored and fail.
    int write_string(const char* psz);
};

#endif
