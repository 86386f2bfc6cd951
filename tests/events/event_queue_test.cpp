// The event queue: its elements behind the application's header, posting and its refusals, the
// full-queue rule, and the mouse-down reports of the window glue.
#include <vector>

#include "Events.h"
#include "events/events_internal.h"
#include "session_fixture.h"

namespace {

class EventQueueTest : public zebtest::SessionTest {
 protected:
  std::vector<EvQEl> Queued() {
    std::vector<EvQEl> events;
    for (EvQEl* e = reinterpret_cast<EvQEl*>(GetEvQHdr()->qHead); e;
         e = reinterpret_cast<EvQEl*>(e->qLink))
      events.push_back(*e);
    return events;
  }
};

TEST_F(EventQueueTest, TheHeaderIsTheApplicationsCellAndStartsEmpty) {
  EXPECT_EQ(GetEvQHdr(), &cells_.eventQueue);
  EXPECT_EQ(cells_.eventQueue.qFlags, 0);
  EXPECT_EQ(cells_.eventQueue.qHead, nullptr);
  EXPECT_EQ(cells_.eventQueue.qTail, nullptr);
  EXPECT_EQ(zeb::events::QueuedCount(), 0);
  EXPECT_EQ(zeb::events::CurrentModifiers(), btnState);
}

TEST_F(EventQueueTest, PostedEventsAreLinkedOldestFirstAndStamped) {
  zeb::events::SetLastMouse(Point{40, 30});
  const unsigned long before = TickCount();
  EXPECT_EQ(PostEvent(keyDown, 0x41), noErr);
  EvQElPtr element = nullptr;
  EXPECT_EQ(PPostEvent(mouseUp, 7, &element), noErr);
  ASSERT_NE(element, nullptr);
  const std::vector<EvQEl> q = Queued();
  ASSERT_EQ(q.size(), 2u);
  EXPECT_EQ(q[0].evtQWhat, keyDown);
  EXPECT_EQ(q[0].evtQMessage, 0x41u);
  EXPECT_EQ(q[0].qType, 1);
  EXPECT_GE(q[0].evtQWhen, before);
  EXPECT_EQ(q[0].evtQWhere.v, 40);
  EXPECT_EQ(q[0].evtQWhere.h, 30);
  EXPECT_EQ(q[0].evtQModifiers, btnState);
  EXPECT_EQ(q[1].evtQWhat, mouseUp);
  EXPECT_EQ(reinterpret_cast<EvQEl*>(cells_.eventQueue.qTail), element);
  EXPECT_EQ(zeb::events::PendingKinds() & (keyDownMask | mUpMask), keyDownMask | mUpMask);
}

TEST_F(EventQueueTest, KindsOutsideTheEventMaskAreRefused) {
  EXPECT_EQ(PostEvent(keyUp, 1), evtNotEnb);
  EvQElPtr element = reinterpret_cast<EvQElPtr>(1);
  EXPECT_EQ(PPostEvent(keyUp, 1, &element), evtNotEnb);
  EXPECT_EQ(element, nullptr);
  cells_.sysEvtMask = static_cast<short>(everyEvent & ~mDownMask);
  EXPECT_EQ(PostEvent(mouseDown, 0), evtNotEnb);
  cells_.sysEvtMask = -1;
  EXPECT_EQ(PostEvent(keyUp, 1), noErr);
  EXPECT_EQ(Queued().size(), 1u);
  PPostEvent(keyDown, 2, nullptr);  // posted; no element pointer to write
  EXPECT_EQ(Queued().size(), 2u);
}

TEST_F(EventQueueTest, AFullQueueLosesItsEightOldest) {
  for (long i = 1; i <= 33; ++i) ASSERT_EQ(PostEvent(keyDown, i), noErr);
  const std::vector<EvQEl> q = Queued();
  ASSERT_EQ(q.size(), 25u);
  EXPECT_EQ(q.front().evtQMessage, 9u);
  EXPECT_EQ(q.back().evtQMessage, 33u);
  EXPECT_EQ(zeb::events::QueuedCount(), 25);
}

TEST_F(EventQueueTest, RemovingTheLastEventEmptiesTheHeaderAndThePendingKinds) {
  EvQElPtr first = nullptr, second = nullptr;
  PPostEvent(keyDown, 1, &first);
  PPostEvent(mouseDown, 2, &second);
  zeb::events::AddPendingKinds(updateMask);
  zeb::events::RemoveQueued(first);
  EXPECT_EQ(reinterpret_cast<EvQEl*>(cells_.eventQueue.qHead), second);
  EXPECT_EQ(first->qType, -1);
  zeb::events::RemoveQueued(second);
  zeb::events::RemoveQueued(second);  // not queued any more: nothing happens
  EXPECT_EQ(cells_.eventQueue.qHead, nullptr);
  EXPECT_EQ(cells_.eventQueue.qTail, nullptr);
  EXPECT_EQ(zeb::events::PendingKinds(), updateMask);
}

TEST_F(EventQueueTest, ReportsCarryTheirPartAndOnlyADragReplacesADrag) {
  zeb::events::PostMouseDownReport(4);
  zeb::events::PostMouseDownReport(4);
  ASSERT_EQ(Queued().size(), 1u);
  EXPECT_EQ(Queued()[0].evtQWhere.v, -4);
  EXPECT_EQ(Queued()[0].evtQWhere.h, -1);
  EXPECT_EQ(Queued()[0].evtQMessage, 0u);
  zeb::events::PostMouseDownReport(6);
  zeb::events::PostMouseDownReport(4);
  const std::vector<EvQEl> q = Queued();
  ASSERT_EQ(q.size(), 3u);
  EXPECT_EQ(q[0].evtQWhere.v, -4);
  EXPECT_EQ(q[1].evtQWhere.v, -6);
  EXPECT_EQ(q[2].evtQWhere.v, -4);
}

TEST_F(EventQueueTest, ActivationRecordsAskForAnImmediatePoll) {
  GrafPort a{}, b{};
  zeb::events::TakeImmediatePoll();
  zeb::events::RecordDeactivate(&a);
  zeb::events::RecordActivate(&b);
  EXPECT_EQ(cells_.curDeactive, &a);
  EXPECT_EQ(cells_.curActivate, &b);
  EXPECT_NE(zeb::events::PendingKinds() & activMask, 0);
  EXPECT_TRUE(zeb::events::TakeImmediatePoll());
  EXPECT_FALSE(zeb::events::TakeImmediatePoll());
  zeb::events::ForgetWindow(&b);
  EXPECT_EQ(cells_.curActivate, nullptr);
  EXPECT_EQ(cells_.curDeactive, &a);
}

}  // namespace
