#pragma once
// Builds components from a window description (format in Description.h) through a class
// registry (ClassRegistry.h).
//
// The root object of the description is the component passed in (a form the program has
// made); its class name must be registered and match it. Reading then goes:
//  1. The root's properties and each nested object in the order written: every object is
//     created (owned by the root, parented to the enclosing object), named, bound to the
//     root's field of that name, and its properties set; event links are bound to the
//     root's handlers by name at once.
//  2. When every component exists, component links are set in the order they were read.
//  3. Every component's Loaded, the root first, then the others in the order read.
// Any fault throws TDescriptionError naming the line and column.
#include "framework/ClassRegistry.h"
#include "framework/Component.h"

#include <string_view>

void ReadDescription(std::string_view text, TComponent& root, const TClassRegistry& registry = ClassRegistry());
void ReadDescription(const TDescObject& description, TComponent& root, const TClassRegistry& registry = ClassRegistry());
