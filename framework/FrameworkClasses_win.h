#pragma once
// Registers the framework's own classes (TForm and the standard controls) with their
// properties for window descriptions. TApplication::Initialize calls it.
#include "framework/ClassRegistry.h"
#include "framework/Graphics.h"

void RegisterFrameworkClasses(TClassRegistry& registry);

// A colour written as a number (0x00BBGGRR) or as an identifier (clBtnFace).
TColor DescColor(const TDescValue& value);
