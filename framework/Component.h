#pragma once
// Components: objects with an owner that frees them, a name, and free-notification, so a
// component that holds a plain reference to another hears when that one goes away.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TComponent;

// An event without arguments beyond its sender (a click, a change). Empty when unassigned.
using TNotifyEvent = std::function<void(TComponent* sender)>;

enum class TOperation { opInsert, opRemove };

// Where a component is in its life: being read from a window description, being designed.
struct TComponentState {
  bool Loading = false;
  bool Designing = false;
};

class TComponent {
public:
  // The owner, if any, takes ownership: it frees this component when it is freed itself.
  // Create owned components with Create<T>(owner, ...), which hands the object to the owner.
  explicit TComponent(TComponent* owner = nullptr);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  template <class T, class... Args>
  static T* Create(TComponent* owner, Args&&... args) {
    auto object = std::make_unique<T>(owner, std::forward<Args>(args)...);
    T* raw = object.get();
    if (owner) owner->InsertComponent(std::move(object));
    else object.release();  // an ownerless component is freed by whoever made it
    return raw;
  }

  TComponent* Owner() const { return FOwner; }  // not owned
  const std::string& Name() const { return FName; }
  void SetName(std::string name) { FName = std::move(name); }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents[index].get(); }
  TComponent* FindComponent(const std::string& name) const;

  // Frees an owned component now (its owner removes it from its list first).
  void RemoveAndFree(TComponent* component);

  // Asks to be told (through Notification with opRemove) when the other component is freed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  TComponentState& ComponentState() { return FState; }
  const TComponentState& ComponentState() const { return FState; }

  // Called once after a window description has set every property and link.
  virtual void Loaded() { FState.Loading = false; }

  // True from the moment this component's destruction began.
  bool Destroying() const { return FDestroying; }

protected:
  // Told when a component this one watches (or owns) is inserted or removed. A removal
  // notice comes from the base destructor of the removed component: the receiver may only
  // compare the pointer and read the base part (its name).
  virtual void Notification(TComponent* component, TOperation operation);

private:
  void InsertComponent(std::unique_ptr<TComponent> component);
  void UnlinkNotifications();

  TComponent* FOwner = nullptr;  // not owned
  std::string FName;
  TComponentState FState;
  std::vector<std::unique_ptr<TComponent>> FComponents;
  std::vector<TComponent*> FFreeNotifies;  // not owned: told when this one is freed
  bool FDestroying = false;
};
