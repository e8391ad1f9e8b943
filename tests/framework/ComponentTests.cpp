#include "framework/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what it hears and frees in a shared log.
class TProbe : public TComponent {
public:
  TProbe(TComponent* owner, std::string name, std::vector<std::string>* log)
      : TComponent(owner), FLog(log) { SetName(std::move(name)); }
  ~TProbe() override { FLog->push_back("free " + Name()); }
  TProbe* Watched = nullptr;  // not owned

protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op == TOperation::opRemove) {
      FLog->push_back(Name() + " heard " + c->Name() + " go");
      if (c == Watched) Watched = nullptr;
    }
  }

private:
  std::vector<std::string>* FLog;
};

TEST(Component, OwnerFreesOwnedComponentsNewestFirst) {
  std::vector<std::string> log;
  {
    TComponent owner;
    TComponent::Create<TProbe>(&owner, "a", &log);
    TComponent::Create<TProbe>(&owner, "b", &log);
    EXPECT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(owner.FindComponent("b")->Name(), "b");
    EXPECT_EQ(owner.FindComponent("c"), nullptr);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"free b", "free a"}));
}

TEST(Component, FreeNotificationClearsAPlainReference) {
  std::vector<std::string> log;
  TComponent owner;
  auto* watcher = TComponent::Create<TProbe>(&owner, "watcher", &log);
  auto* data = TComponent::Create<TProbe>(&owner, "data", &log);
  watcher->Watched = data;
  watcher->FreeNotification(data);
  owner.RemoveAndFree(data);
  EXPECT_EQ(watcher->Watched, nullptr);
  // The derived destructor runs first; the base tells the watchers before it finishes.
  EXPECT_EQ(log, (std::vector<std::string>{"free data", "watcher heard data go"}));
  EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(Component, WatcherFreedFirstLeavesNoDanglingEntry) {
  std::vector<std::string> log;
  TComponent owner;
  auto* watcher = TComponent::Create<TProbe>(&owner, "watcher", &log);
  auto* data = TComponent::Create<TProbe>(&owner, "data", &log);
  watcher->FreeNotification(data);
  owner.RemoveAndFree(watcher);
  log.clear();
  owner.RemoveAndFree(data);  // must not tell the freed watcher anything
  EXPECT_EQ(log, (std::vector<std::string>{"free data"}));
}

}  // namespace
