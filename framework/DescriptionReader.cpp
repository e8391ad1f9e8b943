#include "framework/DescriptionReader.h"

#include <exception>
#include <set>
#include <string>
#include <vector>

namespace {

struct TPendingLink {
  TComponent* Component;
  const TPropertyInfo* Property;
  const TDescProperty* Written;
};

class TBuilder {
public:
  TBuilder(TComponent& root, const TClassRegistry& registry) : FRoot(root), FRegistry(registry) {}

  void Build(const TDescObject& description) {
    const TClassInfo* rootClass = FRegistry.Find(description.ClassName);
    if (!rootClass) Fail(description, "unknown class \"" + description.ClassName + "\"");
    if (!FRegistry.IsInstance(*rootClass, FRoot))
      Fail(description, "the root component is not a " + description.ClassName);
    FRootClass = rootClass;
    FRoot.SetName(description.Name);
    FRoot.ComponentState().Loading = true;
    FLoadOrder.push_back(&FRoot);
    FNames.insert(description.Name);
    ReadBody(description, FRoot, *rootClass);

    for (const TPendingLink& link : FLinks) {
      const std::string& name = link.Written->Value.AsIdentifier();
      TComponent* target = name == FRoot.Name() ? &FRoot : FRoot.FindComponent(name);
      if (!target) link.Written->Value.Fail("no component named \"" + name + "\"");
      bool ok = false;
      Guard(*link.Written, [&] { ok = link.Property->SetLink(*link.Component, target); });
      if (!ok) link.Written->Value.Fail("\"" + name + "\" is not of the class " + link.Property->Name + " takes");
    }
    for (TComponent* c : FLoadOrder) c->Loaded();
  }

private:
  [[noreturn]] static void Fail(const TDescObject& at, const std::string& message) {
    throw TDescriptionError(at.Line, at.Column, message);
  }

  // Runs a setter; whatever it throws is reported at the property's position.
  template <class F>
  static void Guard(const TDescProperty& written, F&& f) {
    try {
      f();
    } catch (const TDescriptionError&) {
      throw;
    } catch (const std::exception& e) {
      throw TDescriptionError(written.Line, written.Column, "\"" + written.Name + "\": " + e.what());
    }
  }

  void ReadBody(const TDescObject& description, TComponent& component, const TClassInfo& cls) {
    for (const TDescProperty& written : description.Properties) SetProperty(written, component, cls);
    for (const TDescObject& child : description.Children) ReadChild(child, component);
  }

  void SetProperty(const TDescProperty& written, TComponent& component, const TClassInfo& cls) {
    const TPropertyInfo* prop = FRegistry.FindProperty(cls, written.Name);
    if (!prop) throw TDescriptionError(written.Line, written.Column, "class " + cls.Name + " has no property \"" + written.Name + "\"");
    switch (prop->Kind) {
      case TPropertyKind::Value:
        Guard(written, [&] { prop->SetValue(component, written.Value); });
        break;
      case TPropertyKind::Event: {
        const std::string& handlerName = written.Value.AsIdentifier();
        const THandlerInfo* handler = FRegistry.FindHandler(*FRootClass, handlerName);
        if (!handler) written.Value.Fail("class " + FRootClass->Name + " has no handler \"" + handlerName + "\"");
        bool fits = false;
        Guard(written, [&] { fits = prop->SetEvent(component, handler->Bind(FRoot)); });
        if (!fits)
          written.Value.Fail("handler \"" + handlerName + "\" does not take the parameters of " + written.Name);
        break;
      }
      case TPropertyKind::Link:
        written.Value.AsIdentifier();  // a link is a name; anything else is wrong already now
        FLinks.push_back({&component, prop, &written});
        break;
    }
  }

  void ReadChild(const TDescObject& child, TComponent& parent) {
    const TClassInfo* cls = FRegistry.Find(child.ClassName);
    if (!cls) Fail(child, "unknown class \"" + child.ClassName + "\"");
    if (!cls->Create) Fail(child, "class " + child.ClassName + " cannot be created from a description");
    if (!FNames.insert(child.Name).second) Fail(child, "a second component named \"" + child.Name + "\"");
    TComponent* component = nullptr;
    try {
      component = cls->Create(&FRoot, &parent);
    } catch (const TDescriptionError&) {
      throw;
    } catch (const std::exception& e) {
      Fail(child, "cannot create " + child.Name + ": " + e.what());
    }
    if (!component) Fail(child, "cannot create " + child.Name);
    component->SetName(child.Name);
    component->ComponentState().Loading = true;
    FLoadOrder.push_back(component);
    if (const TFieldInfo* field = FRegistry.FindField(*FRootClass, child.Name))
      if (!field->Bind(FRoot, component)) Fail(child, "field " + child.Name + " of " + FRootClass->Name + " does not take a " + child.ClassName);
    ReadBody(child, *component, *cls);
  }

  TComponent& FRoot;
  const TClassRegistry& FRegistry;
  const TClassInfo* FRootClass = nullptr;
  std::vector<TComponent*> FLoadOrder;  // not owned
  std::vector<TPendingLink> FLinks;
  std::set<std::string> FNames;
};

}  // namespace

void ReadDescription(const TDescObject& description, TComponent& root, const TClassRegistry& registry) {
  TBuilder(root, registry).Build(description);
}

void ReadDescription(std::string_view text, TComponent& root, const TClassRegistry& registry) {
  TDescObject description = ParseDescription(text);
  ReadDescription(description, root, registry);
}
