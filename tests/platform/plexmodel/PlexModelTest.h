// Shared helpers of the application-model library tests: a program with
// its main page, made current, removed again after each test.
#ifndef PLEXMODELTEST_H
#define PLEXMODELTEST_H

#include "PXTestSupport.h"
#include "plexmodel.h"

#include <cstring>
#include <string>

class ModelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_prog = kvrAddProgram(nullptr, 0);
        ASSERT_NE(nullptr, m_prog);
        m_main = kvrCreatePage("Main", KVR_PAGE_NORMAL, 0);
        ASSERT_NE(nullptr, m_main);
        ASSERT_EQ(KVR_OK, kvrActivatePage(m_main));
    }

    void TearDown() override
    {
        if (m_prog)
        {
            EXPECT_EQ(KVR_OK, kvrRemoveProgram(m_prog));
        }
    }

    // A block on the current page; fails the test when refused.
    kvrHandleType* Block(int type, const char* name, const char* custom = "")
    {
        int retry = 1;
        kvrHandleType* h = kvrCreatePowerBlock(type, name, &retry, custom);
        EXPECT_NE(nullptr, h) << name;
        EXPECT_EQ(0, retry) << name;
        return h;
    }

    // The index of a named output among all outputs of a block's record.
    static int OutputIndex(kvrHandleType* block, const char* output)
    {
        PowerBlockInfo info;
        if (!kvrGetPowerBlockInfo(block, &info))
            return -1;
        for (int i = 0; i < info.numOutputs; ++i)
            if (std::strcmp(info.outputs[i].name, output) == 0)
                return i;
        return -1;
    }

    // The connection index of a named output: group outputs do not count.
    static int ConnIndex(kvrHandleType* block, const char* output)
    {
        PowerBlockInfo info;
        if (!kvrGetPowerBlockInfo(block, &info))
            return -1;
        int n = 0;
        for (int i = 0; i < info.numOutputs; ++i)
        {
            if (info.outputs[i].flags & KVR_OUTPUT_GROUP)
                continue;
            if (std::strcmp(info.outputs[i].name, output) == 0)
                return n;
            ++n;
        }
        return -1;
    }

    kvrHandleType* m_prog = nullptr;
    kvrHandleType* m_main = nullptr;
};

// A text file in the temporary folder, removed when the object goes.
class TempFile
{
public:
    TempFile()
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "kvr", 0, m_path);
        f = std::fopen(m_path, "w+");
    }
    ~TempFile()
    {
        if (f)
            std::fclose(f);
        DeleteFileA(m_path);
    }
    std::string Text()
    {
        std::fflush(f);
        std::rewind(f);
        std::string text;
        int c;
        while ((c = std::fgetc(f)) != EOF)
            text += (char)c;
        return text;
    }
    void Put(const std::string& text) { std::fputs(text.c_str(), f); }
    FILE* f = nullptr;

private:
    char m_path[MAX_PATH] = "";
};

// Reads a value of a packed record at a byte offset.
template <class T>
T At(const void* record, size_t offset)
{
    T value;
    std::memcpy(&value, static_cast<const char*>(record) + offset, sizeof(value));
    return value;
}

#endif
