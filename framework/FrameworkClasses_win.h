#pragma once
// Registers the framework's own classes (TForm and the standard controls) with their
// properties for window descriptions. TApplication::Initialize calls it.
#include "framework/ClassRegistry.h"
#include "framework/Controls_win.h"
#include "framework/Graphics.h"

#include <stdexcept>
#include <string>
#include <vector>

void RegisterFrameworkClasses(TClassRegistry& registry);

// A colour written as a number (0x00BBGGRR) or as an identifier (clBtnFace).
TColor DescColor(const TDescValue& value);

// A control read from a description is placed on the object that encloses it.
template <class T>
inline TCreateFunction CreateControl() {
  return [](TComponent* owner, TComponent* parent) -> TComponent* {
    auto* parentControl = dynamic_cast<TWinControl*>(parent);
    if (!parentControl) throw std::invalid_argument("a control must be placed on a window");
    T* control = TComponent::Create<T>(owner);
    control->SetParent(parentControl);
    return control;
  };
}

template <class T>
inline TClassInfo ControlClass(std::string name, std::string parent, std::vector<TPropertyInfo> properties) {
  TClassInfo info = ComponentClass<T>(std::move(name), std::move(properties), std::move(parent));
  info.Create = CreateControl<T>();
  return info;
}

