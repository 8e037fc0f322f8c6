#pragma once
// Declarations of the engine's own types, for headers that only pass them on.
struct HookRow;
struct PreferenceKey;
class VantorelFileManager;
class VantorelStartup;
