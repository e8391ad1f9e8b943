#pragma once
// The Win32 half of the skin data: its notices reach the application's forms as window
// messages. Call RegisterSkinDataComponents once at start-up, before the first window
// description is read: it registers the skin data classes for descriptions and makes every
// skin data created afterwards send its notices to the forms.
class TClassRegistry;
class TvnSkinNoticeSender;

void RegisterSkinDataComponents(TClassRegistry& registry);

// The sender that delivers notices as messages: synchronously to the owner form's window
// first (creating it if needed), then to every other form of the application in the order of
// its forms list, so every form hears each notice exactly once, the owner first. The first
// parameter is the skin data's address, the second 1000.
TvnSkinNoticeSender& FormsSkinNoticeSender();
