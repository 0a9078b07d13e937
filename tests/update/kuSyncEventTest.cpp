#include <gtest/gtest.h>

#include <set>

#include "update/thread/kuSyncEvent.h"
#include "update/thread/kuThreadTypes.h"

namespace tessaro {
namespace {

TEST(kuSyncEvent, HandlesAreUniqueAndNeverTheReservedValues) {
    std::set<std::uint32_t> handles;
    for (int i = 0; i < 100; ++i) {
        const std::uint32_t handle = TkuSyncEvent::Create();
        EXPECT_NE(handle, 0u);
        EXPECT_NE(handle, kuInvalidHandle);
        EXPECT_TRUE(handles.insert(handle).second);
    }
    for (const std::uint32_t handle : handles) EXPECT_TRUE(TkuSyncEvent::Close(handle));
}

TEST(kuSyncEvent, ManualResetStaysSetUntilReset) {
    const std::uint32_t handle = TkuSyncEvent::Create();
    const auto event = TkuSyncEvent::Find(handle);
    ASSERT_NE(event, nullptr);
    EXPECT_FALSE(event->IsSet());
    EXPECT_TRUE(TkuSyncEvent::Set(handle));
    EXPECT_TRUE(event->IsSet());
    EXPECT_TRUE(event->IsSet()) << "reading does not reset it";
    EXPECT_TRUE(TkuSyncEvent::Reset(handle));
    EXPECT_FALSE(event->IsSet());
    EXPECT_TRUE(TkuSyncEvent::Close(handle));
}

TEST(kuSyncEvent, ClosedAndUnknownHandlesFailCleanly) {
    const std::uint32_t handle = TkuSyncEvent::Create();
    ASSERT_TRUE(TkuSyncEvent::Close(handle));
    for (const std::uint32_t bad : {handle, 0u, kuInvalidHandle}) {
        EXPECT_FALSE(TkuSyncEvent::Set(bad));
        EXPECT_FALSE(TkuSyncEvent::Reset(bad));
        EXPECT_FALSE(TkuSyncEvent::Close(bad));
        EXPECT_EQ(TkuSyncEvent::Find(bad), nullptr);
    }
}

}  // namespace
}  // namespace tessaro
