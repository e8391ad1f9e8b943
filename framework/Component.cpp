#include "framework/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : FOwner(owner) {}

TComponent::~TComponent() {
  FDestroying = true;
  // Everyone who asked hears of the removal before anything of this object is gone.
  std::vector<TComponent*> notifies;
  notifies.swap(FFreeNotifies);
  for (TComponent* c : notifies) {
    std::erase(c->FFreeNotifies, this);
    c->Notification(this, TOperation::opRemove);
  }
  // Owned components go in reverse order of creation, each still in the list while it dies
  // so that siblings' notifications can find it.
  while (!FComponents.empty()) {
    std::unique_ptr<TComponent> last = std::move(FComponents.back());
    FComponents.pop_back();
    last.reset();
  }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (const auto& c : FComponents)
    if (!name.empty() && c->FName == name) return c.get();
  return nullptr;
}

void TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
  TComponent* raw = component.get();
  FComponents.push_back(std::move(component));
  Notification(raw, TOperation::opInsert);
}

void TComponent::RemoveAndFree(TComponent* component) {
  auto it = std::find_if(FComponents.begin(), FComponents.end(),
                         [&](const auto& p) { return p.get() == component; });
  if (it == FComponents.end()) return;
  std::unique_ptr<TComponent> taken = std::move(*it);
  FComponents.erase(it);
  Notification(taken.get(), TOperation::opRemove);
  taken.reset();
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(other->FFreeNotifies.begin(), other->FFreeNotifies.end(), this) == other->FFreeNotifies.end())
    other->FFreeNotifies.push_back(this);
  // Notifications go both ways, so neither side keeps a dangling entry.
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), other) == FFreeNotifies.end())
    FFreeNotifies.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  std::erase(other->FFreeNotifies, this);
  std::erase(FFreeNotifies, other);
}

void TComponent::Notification(TComponent*, TOperation) {}
