// The block image lists, made before any test of the executable runs, as
// the program's start-up makes them before its main frame opens the block
// palette. An executable that links this file holds the block image strip
// among its resources (PXBlockImages.rc).
#include "PXImageList.h"

#include <gtest/gtest.h>

namespace
{
class BlockImagesEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (!m_pResizedIconIL)
            PXCreateBlockImageLists();
    }
};

const ::testing::Environment* const s_pBlockImages =
    ::testing::AddGlobalTestEnvironment(new BlockImagesEnvironment);
}
