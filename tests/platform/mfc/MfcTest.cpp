// Our MFC layer: the module state switch, the application object and the
// object list.
#include <afxcoll.h>
#include <afxwin.h>

#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace {

class Item : public CObject
{
public:
    explicit Item(int n) : m_n(n) {}
    int m_n;
};

std::vector<int> Contents(const CObList& list)
{
    std::vector<int> values;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        values.push_back(static_cast<Item*>(list.GetNext(pos))->m_n);
    return values;
}

} // namespace

TEST(MfcModuleState, TheSwitchRestoresTheCallersStateOnEveryWayOut)
{
    AFX_MODULE_STATE caller = {nullptr, nullptr, nullptr, "Caller"};
    AfxSetModuleState(&caller);
    {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        EXPECT_EQ(AfxGetStaticModuleState(), AfxGetModuleState());
    }
    EXPECT_EQ(&caller, AfxGetModuleState());
    try
    {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        throw std::runtime_error("leaves the scope");
    }
    catch (const std::runtime_error&)
    {
    }
    EXPECT_EQ(&caller, AfxGetModuleState());
    EXPECT_STREQ("Caller", AfxGetAppName());
    AfxSetModuleState(nullptr);
    EXPECT_EQ(AfxGetStaticModuleState(), AfxGetModuleState());
}

TEST(MfcModuleState, TheApplicationObjectNamesItsModule)
{
    {
        CWinApp app("Plexwright");
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_STREQ("Plexwright", AfxGetAppName());
        EXPECT_TRUE(AfxDllAttach(reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr))));
        EXPECT_EQ(GetModuleHandleA(nullptr), AfxGetResourceHandle());
        EXPECT_EQ(GetModuleHandleA(nullptr), app.m_hInstance);
    }
    EXPECT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ(nullptr, AfxGetAppName());
}

TEST(MfcObList, AddFindAndRemoveKeepTheOrder)
{
    Item a(1), b(2), c(3);
    CObList list(10);
    EXPECT_TRUE(list.IsEmpty());
    list.AddTail(&a);
    list.AddTail(&b);
    list.AddTail(&c);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Contents(list));

    const struct { Item* pRemove; std::vector<int> left; } kSteps[] = {
        {&b, {1, 3}}, {&c, {1}}, {&a, {}}};
    for (const auto& step : kSteps)
    {
        POSITION pos = list.Find(step.pRemove);
        ASSERT_NE(nullptr, pos);
        list.RemoveAt(pos);
        EXPECT_EQ(nullptr, list.Find(step.pRemove));
        EXPECT_EQ(step.left, Contents(list));
        EXPECT_EQ(static_cast<int>(step.left.size()), list.GetCount());
    }
    list.AddTail(&c);
    EXPECT_EQ((std::vector<int>{3}), Contents(list));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
}
