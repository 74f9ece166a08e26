// An object kept for a fill: recalled with a reference of the caller's own, released when
// the memo ends, never kept outside a fill.
#include "foundations/fill_memo.h"

#include <gtest/gtest.h>

struct CountedObject : IUnknown {
    LONG refs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return (ULONG)--refs; }
};

TEST(FillMemoObjects, KeptForTheFillAndReleasedAtItsEnd)
{
    CountedObject object;
    RememberObject("test|object", &object);
    EXPECT_EQ(1, object.refs);
    {
        FillMemo fill;
        RememberObject("test|object", &object);
        IUnknown* recalled = RecallObject("test|object");
        ASSERT_EQ(&object, recalled);
        recalled->Release();
        EXPECT_EQ(2, object.refs);
    }
    EXPECT_EQ(1, object.refs);
    EXPECT_EQ(nullptr, RecallObject("test|object"));
}
