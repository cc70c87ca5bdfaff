// Components: ownership and freeing order, free notifications, loading state, run-time classes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Classes.h"
#include "ui/TypInfo.h"

namespace {

std::vector<std::string>* g_log = nullptr;

class TProbeOwner : public ui::TComponent {
  UI_CLASS(TProbeOwner, ui::TComponent)
 public:
  using TComponent::TComponent;
  // Virtual, so calling it on a half-destroyed owner would show.
  virtual std::string Describe() const { return "probe owner"; }
};

class TProbe : public ui::TComponent {
  UI_CLASS(TProbe, ui::TComponent)
 public:
  TProbe(ui::TComponent* owner, std::string name) : TComponent(owner), name_(std::move(name)) {}
  ~TProbe() override {
    // A skinner's destructor writes back into its owner: the owner must still be whole.
    std::string ownerState = "none";
    if (auto* o = dynamic_cast<TProbeOwner*>(Owner())) ownerState = o->Describe();
    if (g_log) g_log->push_back(name_ + " freed, owner: " + ownerState);
  }
  void Notification(ui::TComponent* c, ui::TOperation op) override {
    TComponent::Notification(c, op);
    if (g_log && op == ui::TOperation::opRemove && c != this)
      g_log->push_back(name_ + " heard removal of " + static_cast<TProbe*>(c)->name_);
  }
  void Loaded() override {
    TComponent::Loaded();
    if (g_log) g_log->push_back(name_ + " loaded");
  }

 private:
  std::string name_;
};

UI_IMPLEMENT_CLASS(TProbeOwner, ui::TComponent)
UI_IMPLEMENT_CLASS(TProbe, ui::TComponent)

class Components : public ::testing::Test {
 protected:
  void SetUp() override { g_log = &log; }
  void TearDown() override { g_log = nullptr; }
  std::vector<std::string> log;
};

}  // namespace

TEST_F(Components, OwnerFreesWhatItOwnsWhileItIsStillWhole) {
  auto* owner = new TProbeOwner(nullptr);
  new TProbe(owner, "a");
  new TProbe(owner, "b");
  ASSERT_EQ(owner->ComponentCount(), 2);
  delete owner;
  int freed = 0;
  for (const auto& line : log) {
    if (line.find(" freed") == std::string::npos) continue;
    ++freed;
    EXPECT_NE(line.find("owner: probe owner"), std::string::npos) << line;
  }
  EXPECT_EQ(freed, 2);
}

TEST_F(Components, FreeingRemovesFromOwnerSoItIsNotFreedTwice) {
  TProbeOwner owner(nullptr);
  auto* a = new TProbe(&owner, "a");
  auto* b = new TProbe(&owner, "b");
  delete a;
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(b->Owner(), &owner);
  // A sibling hears of the removal through its owner.
  EXPECT_NE(std::find(log.begin(), log.end(), "b heard removal of a"), log.end());
}

TEST_F(Components, OwnedComponentsOfALocalOwnerAreFreedToo) {
  {
    TProbeOwner owner(nullptr);
    new TProbe(&owner, "x");
  }
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].rfind("x freed", 0), 0u);
}

TEST_F(Components, FreeNotificationReachesAComponentWithAnotherOwner) {
  auto* holder = new TProbe(nullptr, "holder");
  auto* other = new TProbe(nullptr, "other");
  other->FreeNotification(holder);
  delete other;
  EXPECT_NE(std::find(log.begin(), log.end(), "holder heard removal of other"), log.end());
  delete holder;
}

TEST_F(Components, InsertingMovesOwnershipAndNamesAreUniquePerOwner) {
  TProbeOwner first(nullptr), second(nullptr);
  auto* c = new TProbe(&first, "c");
  c->SetName("Thing");
  second.InsertComponent(c);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(second.FindComponent("thing"), c);
  auto* d = new TProbe(&second, "d");
  EXPECT_THROW(d->SetName("THING"), ui::EComponentError);
}

TEST_F(Components, ClassNamesAndIsTestsFollowTheChain) {
  TProbeOwner owner(nullptr);
  EXPECT_EQ(owner.ClassName(), "TProbeOwner");
  EXPECT_TRUE(owner.Is<ui::TComponent>());
  EXPECT_TRUE(owner.Is<ui::TPersistent>());
  EXPECT_FALSE(owner.Is<TProbe>());
  EXPECT_EQ(ui::GetOrdProperty(&owner, "tag"), 0);
}

TEST_F(Components, StringListSplitsAtEveryKindOfLineBreak) {
  ui::TStringList list;
  list.SetText(L"a\r\nb\rc\nd\n\ne");
  ASSERT_EQ(list.Count(), 6);
  EXPECT_EQ(list[1], L"b");
  EXPECT_EQ(list[4], L"");
  EXPECT_EQ(list[5], L"e");
  list.AddTagged(L"a", 7);
  EXPECT_EQ(list.IndexOf(L"a"), 0);  // duplicates allowed; first wins
  EXPECT_EQ(list.GetTag(6), 7);
  EXPECT_THROW(list.Get(7), ui::EStringListError);
}

TEST_F(Components, MemoryStreamReadsWritesAndReportsShortReads) {
  ui::TMemoryStream s;
  const char text[] = "skin";
  s.WriteBuffer(text, 4);
  EXPECT_EQ(s.Size(), 4);
  s.SetPosition(1);
  char out[8] = {};
  EXPECT_EQ(s.Read(out, 8), 3);
  EXPECT_STREQ(out, "kin");
  s.SetPosition(2);
  EXPECT_THROW(s.ReadBuffer(out, 3), ui::EReadError);
}
