#include "framework/ClassRegistry.h"

#include <set>
#include <stdexcept>

namespace {

template <class List>
void CheckUnique(const List& list, const std::string& cls, const char* what) {
  std::set<std::string> seen;
  for (const auto& item : list)
    if (!seen.insert(item.Name).second)
      throw std::invalid_argument("class " + cls + " lists the " + what + " \"" + item.Name + "\" twice");
}

}  // namespace

void TClassRegistry::Register(TClassInfo info) {
  if (info.Name.empty()) throw std::invalid_argument("a registered class needs a name");
  if (!info.Parent.empty() && !Find(info.Parent))
    throw std::invalid_argument("class " + info.Name + ": parent class " + info.Parent + " is not registered");
  CheckUnique(info.Properties, info.Name, "property");
  CheckUnique(info.Handlers, info.Name, "handler");
  CheckUnique(info.Fields, info.Name, "field");
  for (auto& existing : FClasses)
    if (existing.Name == info.Name) {
      existing = std::move(info);
      return;
    }
  FClasses.push_back(std::move(info));
}

const TClassInfo* TClassRegistry::Find(std::string_view name) const {
  for (const auto& c : FClasses)
    if (c.Name == name) return &c;
  return nullptr;
}

namespace {

template <class Item, class Member>
const Item* FindInChain(const TClassRegistry& reg, const TClassInfo& cls, std::string_view name, Member member) {
  // The depth bound guards against a parent cycle made by re-registering a class.
  const TClassInfo* c = &cls;
  for (int depth = 0; c && depth < 64; ++depth) {
    for (const auto& item : c->*member)
      if (item.Name == name) return &item;
    c = c->Parent.empty() ? nullptr : reg.Find(c->Parent);
  }
  return nullptr;
}

}  // namespace

const TPropertyInfo* TClassRegistry::FindProperty(const TClassInfo& cls, std::string_view name) const {
  return FindInChain<TPropertyInfo>(*this, cls, name, &TClassInfo::Properties);
}
const THandlerInfo* TClassRegistry::FindHandler(const TClassInfo& cls, std::string_view name) const {
  return FindInChain<THandlerInfo>(*this, cls, name, &TClassInfo::Handlers);
}
const TFieldInfo* TClassRegistry::FindField(const TClassInfo& cls, std::string_view name) const {
  return FindInChain<TFieldInfo>(*this, cls, name, &TClassInfo::Fields);
}

bool TClassRegistry::IsInstance(const TClassInfo& cls, const TComponent& c) const {
  return !cls.IsInstance || cls.IsInstance(c);
}

TClassRegistry& ClassRegistry() {
  static TClassRegistry registry;
  return registry;
}
