#pragma once
// Every class Quillon's window description names, registered for reading it: the
// framework's controls are registered by TApplication::Initialize; this adds the skin
// components and TForm1. The program and the tests call it, so they read the same window.
#include "framework/ClassRegistry.h"

void RegisterQuillonClasses(TClassRegistry& registry);
