#pragma once
// The class and property registries that window descriptions are read through.
//
// Every class a description may name is registered once, as a table: how to create it, the
// registered class whose properties it inherits, and its properties (name, and a setter that
// takes the written value). A root class (a form made by code, e.g. TForm1) also lists its
// published event handlers and the fields bound to components by name. Registration is plain
// code: call it at start-up, before the first description is read (static registration objects
// would be dropped by the linker from a static library).
//
// A non-visual component with a string, a binary and a link property:
//
//   ClassRegistry().Register(ComponentClass<TvnSkinData>("TvnSkinData", {
//       ValueProperty<TvnSkinData>("FileName", [](TvnSkinData& c, const TDescValue& v) {
//         c.SetFileName(v.AsString()); }),
//       ValueProperty<TvnSkinData>("CompressedData", [](TvnSkinData& c, const TDescValue& v) {
//         c.SetData(v.AsBytes()); }),
//       LinkProperty<TvnSkinData, TvnStore>("Store", [](TvnSkinData& c, TvnStore* s) {
//         c.SetStore(s); }),
//   }));
//
// ComponentClass fills in creation (owned by the description's root) and the class check; a
// class that needs more (a control that takes its enclosing object as parent) sets Create
// itself, and a root class adds Handlers and Fields (see RootClass).
//
// Value setters run while the description is read, in the order written; they read the value
// with TDescValue::As... (which report a wrong kind at the value's line and column) and may
// throw: any exception becomes a TDescriptionError at the property's position. Event
// properties (OnClick = Button1Click) get the root's handler: a plain notification
// (EventProperty) takes a handler with the TNotifyEvent parameters; an event with parameters of
// its own (TypedEventProperty, e.g. an object's name and rectangle) takes a handler with exactly
// those parameters, or a plain one that is then called with the component as sender. A handler
// of any other shape is an error at the event's line. Link
// properties get the named component only after every component of the description exists,
// in the order the links were read; a name that names no component, or one of the wrong
// class, is an error.
#include "framework/Component.h"
#include "framework/Description.h"

#include <any>
#include <functional>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <string_view>
#include <vector>

// Creates a component owned by owner; parent is the component whose object block encloses it
// in the description (the root for top-level children), for controls that need a parent.
using TCreateFunction = std::function<TComponent*(TComponent* owner, TComponent* parent)>;

enum class TPropertyKind { Value, Event, Link };

struct TPropertyInfo {
  std::string Name;  // "Caption", "Font.Height", "OnClick"
  TPropertyKind Kind = TPropertyKind::Value;
  std::function<void(TComponent&, const TDescValue&)> SetValue;  // Kind == Value
  // Kind == Event: takes the handler's event (a std::function in the any); returns false when
  // the handler's parameters do not fit this event.
  std::function<bool(TComponent&, const std::any&)> SetEvent;
  // Kind == Link: returns false when the component is not of the class the property takes.
  std::function<bool(TComponent&, TComponent*)> SetLink;
};

// A published handler of a root class: makes the event that calls it on the given root, a
// std::function with the handler's parameters (TNotifyEvent for a plain notification handler).
struct THandlerInfo {
  std::string Name;
  std::function<std::any(TComponent& root)> Bind;
};

// A field of a root class set to the component of the same name; false for a wrong class.
struct TFieldInfo {
  std::string Name;
  std::function<bool(TComponent& root, TComponent* component)> Bind;
};

struct TClassInfo {
  std::string Name;
  std::string Parent;  // a registered class whose properties, handlers and fields also apply
  TCreateFunction Create;  // empty for classes that are only ever the root
  std::function<bool(const TComponent&)> IsInstance;
  std::vector<TPropertyInfo> Properties;
  std::vector<THandlerInfo> Handlers;
  std::vector<TFieldInfo> Fields;
};

class TClassRegistry {
public:
  // Adds or replaces a class. Throws std::invalid_argument for an unnamed class, a parent
  // that is not registered, or a property, handler or field listed twice.
  void Register(TClassInfo info);
  const TClassInfo* Find(std::string_view name) const;
  // Looks up through the parent chain.
  const TPropertyInfo* FindProperty(const TClassInfo& cls, std::string_view name) const;
  const THandlerInfo* FindHandler(const TClassInfo& cls, std::string_view name) const;
  const TFieldInfo* FindField(const TClassInfo& cls, std::string_view name) const;
  bool IsInstance(const TClassInfo& cls, const TComponent& c) const;

private:
  std::vector<TClassInfo> FClasses;
};

// The registry the program's descriptions are read through.
TClassRegistry& ClassRegistry();

// Table helpers.
template <class T>
TCreateFunction CreateComponent() {
  return [](TComponent* owner, TComponent*) -> TComponent* { return TComponent::Create<T>(owner); };
}

template <class T>
std::function<bool(const TComponent&)> InstanceOf() {
  return [](const TComponent& c) { return dynamic_cast<const T*>(&c) != nullptr; };
}

// A class created from descriptions: owned by the root, no parent needed.
template <class T>
TClassInfo ComponentClass(std::string name, std::vector<TPropertyInfo> properties = {}, std::string parent = {}) {
  TClassInfo info;
  info.Name = std::move(name);
  info.Parent = std::move(parent);
  info.Create = CreateComponent<T>();
  info.IsInstance = InstanceOf<T>();
  info.Properties = std::move(properties);
  return info;
}

// A class that is only ever the root of a description (made by code, then read into).
template <class T>
TClassInfo RootClass(std::string name, std::string parent, std::vector<THandlerInfo> handlers,
                     std::vector<TFieldInfo> fields) {
  TClassInfo info;
  info.Name = std::move(name);
  info.Parent = std::move(parent);
  info.IsInstance = InstanceOf<T>();
  info.Handlers = std::move(handlers);
  info.Fields = std::move(fields);
  return info;
}

template <class T>
TPropertyInfo ValueProperty(std::string name, std::function<void(T&, const TDescValue&)> set) {
  TPropertyInfo p;
  p.Name = std::move(name);
  p.Kind = TPropertyKind::Value;
  p.SetValue = [set = std::move(set)](TComponent& c, const TDescValue& v) { set(static_cast<T&>(c), v); };
  return p;
}

template <class T>
TPropertyInfo EventProperty(std::string name, std::function<void(T&, TNotifyEvent)> set) {
  TPropertyInfo p;
  p.Name = std::move(name);
  p.Kind = TPropertyKind::Event;
  p.SetEvent = [set = std::move(set)](TComponent& c, const std::any& e) {
    const auto* handler = std::any_cast<TNotifyEvent>(&e);
    if (!handler) return false;
    set(static_cast<T&>(c), *handler);
    return true;
  };
  return p;
}

// An event with parameters of its own (Event is a std::function<void(...)>). A plain
// notification handler fits too: it is called with the component as sender and the event's
// parameters are dropped.
template <class T, class Event>
TPropertyInfo TypedEventProperty(std::string name, std::function<void(T&, Event)> set) {
  TPropertyInfo p;
  p.Name = std::move(name);
  p.Kind = TPropertyKind::Event;
  p.SetEvent = [set = std::move(set)](TComponent& c, const std::any& e) {
    T& component = static_cast<T&>(c);
    if (const auto* typed = std::any_cast<Event>(&e)) {
      set(component, *typed);
      return true;
    }
    if (const auto* plain = std::any_cast<TNotifyEvent>(&e)) {
      set(component, Event([plain = *plain, &component](auto&&...) { plain(&component); }));
      return true;
    }
    return false;
  };
  return p;
}

template <class T, class Linked>
TPropertyInfo LinkProperty(std::string name, std::function<void(T&, Linked*)> set) {
  TPropertyInfo p;
  p.Name = std::move(name);
  p.Kind = TPropertyKind::Link;
  p.SetLink = [set = std::move(set)](TComponent& c, TComponent* target) {
    auto* linked = dynamic_cast<Linked*>(target);
    if (!linked) return false;
    set(static_cast<T&>(c), linked);
    return true;
  };
  return p;
}

// A handler method of the root; its parameters are those of the events it fits
// (void Button1Click(TComponent* sender) fits every plain notification).
template <class Root, class... Args>
THandlerInfo Handler(std::string name, void (Root::*method)(Args...)) {
  return {std::move(name), [method](TComponent& root) -> std::any {
            Root* r = &static_cast<Root&>(root);
            return std::function<void(Args...)>(
                [r, method](Args... args) { (r->*method)(std::forward<Args>(args)...); });
          }};
}

template <class Root, class Member>
TFieldInfo Field(std::string name, Member* Root::*field) {
  return {std::move(name), [field](TComponent& root, TComponent* c) {
            auto* typed = dynamic_cast<Member*>(c);
            if (!typed) return false;
            static_cast<Root&>(root).*field = typed;
            return true;
          }};
}
